// What the NuvVelocurveV2 DLL serves: its effect and page classes.
#include "framework/page/property_page.h"
#include "framework/server/server_identity.h"
#include "plugins/velocurve/velocurve_effect.h"
#include "plugins/velocurve/velocurve_page.h"

namespace nuv::server {

const ServerIdentity& ThisServer() {
    static constexpr ServerIdentity server = IdentityOf<velocurve::NuvMfx>(velocurve::kDeliverableName, velocurve::kIdentity, &CreatePage<velocurve::VelocurvePage>);
    return server;
}

}  // namespace nuv::server
