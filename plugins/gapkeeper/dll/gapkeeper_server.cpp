// What the NuvGapkeeper DLL serves: its effect and page classes.
#include "framework/server/server_identity.h"
#include "plugins/gapkeeper/gapkeeper_effect.h"
#include "plugins/gapkeeper/gapkeeper_page.h"

namespace nuv::server {

const ServerIdentity& ThisServer() {
    static constexpr ServerIdentity server = IdentityOf<gapkeeper::NuvMfx>(
        gapkeeper::kDeliverableName, gapkeeper::kIdentity, &CreatePage<gapkeeper::GapkeeperPage>);
    return server;
}

}  // namespace nuv::server
