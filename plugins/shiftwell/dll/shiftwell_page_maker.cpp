// The NuvShiftwell page: its background is bitmap 138 and its power button
// control 1019, where the other deliverables use 130 and 1018.
#include "framework/page/property_page.h"

namespace nuv {

NuvMfxPropertyPage* CreateNuvMfxPropertyPage() { return new (std::nothrow) NuvMfxPropertyPage(138, 1019); }

}  // namespace nuv
