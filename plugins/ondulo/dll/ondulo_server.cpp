// What the NuvOndulo DLL serves: its effect and page classes.
#include "framework/page/property_page.h"
#include "framework/server/server_identity.h"
#include "plugins/ondulo/ondulo_effect.h"
#include "plugins/ondulo/ondulo_page.h"

namespace nuv::server {

const ServerIdentity& ThisServer() {
    static constexpr ServerIdentity server = IdentityOf<ondulo::NuvMfx>(
        ondulo::kDeliverableName, ondulo::kIdentity, &CreatePage<ondulo::NuvMfxPropertyPage>);
    return server;
}

}  // namespace nuv::server
