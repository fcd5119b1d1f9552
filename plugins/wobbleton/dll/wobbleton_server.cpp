// What the NuvWobbleton DLL serves: its effect and page classes.
#include "framework/page/property_page.h"
#include "framework/server/server_identity.h"
#include "plugins/wobbleton/wobbleton_effect.h"
#include "plugins/wobbleton/wobbleton_page.h"

namespace nuv::server {

const ServerIdentity& ThisServer() {
    static constexpr ServerIdentity server = IdentityOf<wobbleton::NuvMfx>(wobbleton::kDeliverableName, wobbleton::kIdentity, &CreatePage<wobbleton::WobbletonPage>);
    return server;
}

}  // namespace nuv::server
