// What the NuvShiftwell DLL serves: its effect and page classes.
#include "framework/page/property_page.h"
#include "framework/server/server_identity.h"
#include "plugins/shiftwell/shiftwell_effect.h"

namespace nuv::server {

namespace {

// The page's background is bitmap 138 and its power button control 1019,
// where the other deliverables use 130 and 1018.
constexpr int kShiftwellBackgroundBitmapId = 138;
constexpr int kShiftwellPowerButtonId = 1019;

class ShiftwellPage final : public NuvMfxPropertyPage {
public:
    ShiftwellPage() : NuvMfxPropertyPage(kShiftwellBackgroundBitmapId, kShiftwellPowerButtonId) {}
};

}  // namespace

const ServerIdentity& ThisServer() {
    static constexpr ServerIdentity server =
        IdentityOf<shiftwell::NuvMfx>(shiftwell::kDeliverableName, shiftwell::kIdentity, &CreatePage<ShiftwellPage>);
    return server;
}

}  // namespace nuv::server
