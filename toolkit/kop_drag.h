// A mouse drag of a control, held by the mouse capture. It begins with the
// capture taken and ends exactly once: by the control (at the button's
// release, or when it disables itself), or by the messages that end a drag
// the control never sees released: WM_CANCELMODE, WM_CAPTURECHANGED to
// another window, WM_DESTROY. Window thread.
#pragma once

#include "platform/win32/mouse_tracking.h"

namespace nuv::kop {

class KopDrag {
public:
    // Takes the capture for `window`; the drag is in progress.
    void Begin(HWND window);
    // Ends a drag in progress and releases the capture; false when none was.
    bool End();
    // Ends a drag in progress when `message` (to `window`) is one that ends
    // it from outside; true when it did.
    bool EndedBy(UINT message, LPARAM lParam, HWND window);
    bool Active() const { return active_; }

private:
    win32::MouseCapture capture_;
    bool active_ = false;
};

}  // namespace nuv::kop
