// What the NuvOndulo DLL serves: its effect and page classes.
#include "framework/server/server_identity.h"
#include "plugins/ondulo/ondulo_effect.h"

namespace nuv::server {

const ServerIdentity& ThisServer() {
    static constexpr ServerIdentity server = IdentityOf<ondulo::NuvMfx>(ondulo::kDeliverableName, ondulo::kIdentity);
    return server;
}

}  // namespace nuv::server
