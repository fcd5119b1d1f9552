// The outer size a dialog template gets from the dialog manager, measured on
// a probe dialog that is never shown.
#pragma once

#include <optional>

#include "platform/com.h"

namespace nuv::win32 {

// Window thread. Creates template `templateId` of `module` as a hidden
// modeless dialog owned by the desktop window, reads its window size and
// destroys it. Nothing when the template is missing or creation failed.
// The probe's procedure answers only WM_INITDIALOG, so that the dialog
// manager frees everything it made for the probe (its font among them).
std::optional<SIZE> MeasureDialogTemplate(HINSTANCE module, int templateId);

}  // namespace nuv::win32
