// What the NuvWobbleton DLL serves: its effect and page classes.
#include "framework/server/server_identity.h"
#include "plugins/wobbleton/wobbleton_effect.h"

namespace nuv::server {

const ServerIdentity& ThisServer() {
    static constexpr ServerIdentity server = IdentityOf<wobbleton::NuvMfx>(wobbleton::kDeliverableName, wobbleton::kIdentity);
    return server;
}

}  // namespace nuv::server
