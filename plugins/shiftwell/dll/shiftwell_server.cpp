// What the NuvShiftwell DLL serves: its effect and page classes.
#include "framework/server/server_identity.h"
#include "plugins/shiftwell/shiftwell_effect.h"

namespace nuv::server {

const ServerIdentity& ThisServer() {
    static constexpr ServerIdentity server = IdentityOf<shiftwell::NuvMfx>(shiftwell::kDeliverableName, shiftwell::kIdentity);
    return server;
}

}  // namespace nuv::server
