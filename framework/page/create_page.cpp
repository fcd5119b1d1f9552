// The framework's page maker, alone in this file so that a deliverable that
// defines CreateNuvMfxPropertyPage itself takes precedence over it at link
// time.
#include "framework/page/property_page.h"

namespace nuv {

NuvMfxPropertyPage* CreateNuvMfxPropertyPage() { return new (std::nothrow) NuvMfxPropertyPage(); }

}  // namespace nuv
