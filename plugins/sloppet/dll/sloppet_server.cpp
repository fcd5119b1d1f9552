// What the NuvSloppet DLL serves: its effect and page classes.
#include "framework/server/server_identity.h"
#include "plugins/sloppet/sloppet_effect.h"
#include "plugins/sloppet/sloppet_page.h"

namespace nuv::server {

const ServerIdentity& ThisServer() {
    static constexpr ServerIdentity server =
        IdentityOf<sloppet::NuvMfx>(sloppet::kDeliverableName, sloppet::kIdentity, &CreatePage<sloppet::SloppetPage>);
    return server;
}

}  // namespace nuv::server
