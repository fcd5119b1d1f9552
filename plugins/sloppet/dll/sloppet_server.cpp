// What the NuvSloppet DLL serves: its effect and page classes.
#include "framework/page/property_page.h"
#include "framework/server/server_identity.h"
#include "plugins/sloppet/sloppet_effect.h"

namespace nuv::server {

const ServerIdentity& ThisServer() {
    static constexpr ServerIdentity server = IdentityOf<sloppet::NuvMfx>(sloppet::kDeliverableName, sloppet::kIdentity, &CreatePage<>);
    return server;
}

}  // namespace nuv::server
