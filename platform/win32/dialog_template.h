// Dialog templates read from a module's resources: a copy that creates its
// dialog hidden, and the outer size a template gets from the dialog manager,
// measured on a probe dialog that is never shown.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/com.h"

namespace nuv::win32 {

// [any thread] Template `templateId` of `module` with WS_VISIBLE taken out of
// its style (plain and extended templates alike); empty when the template is
// missing or unreadable.
std::vector<std::uint8_t> HiddenTemplateCopy(HINSTANCE module, int templateId);

// [window thread] Creates template `templateId` of `module` as a hidden
// modeless dialog owned by the desktop window, reads its window size and
// destroys it. Nothing when the template is missing or creation failed.
// The probe's procedure answers only WM_INITDIALOG, so that the dialog
// manager frees everything it made for the probe (its font among them).
std::optional<SIZE> MeasureDialogTemplate(HINSTANCE module, int templateId);

}  // namespace nuv::win32
