// What the NuvVelocurveV2 DLL serves: its effect and page classes.
#include "framework/server/server_identity.h"
#include "plugins/velocurve/velocurve_effect.h"

namespace nuv::server {

const ServerIdentity& ThisServer() {
    static constexpr ServerIdentity server = IdentityOf<velocurve::NuvMfx>(velocurve::kDeliverableName, velocurve::kIdentity);
    return server;
}

}  // namespace nuv::server
