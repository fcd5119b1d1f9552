#include "platform/win32/mouse_tracking.h"

namespace nuv::win32 {

bool RequestMouseNotification(HWND window, DWORD flags, DWORD hoverTimeMs) {
    TRACKMOUSEEVENT request{};
    request.cbSize = sizeof(request);
    request.dwFlags = flags;
    request.hwndTrack = window;
    request.dwHoverTime = hoverTimeMs;
    return TrackMouseEvent(&request) != FALSE;
}

void ReleaseCaptureOf(HWND window) {
    if (GetCapture() == window) ReleaseCapture();
}

void MouseCapture::Take(HWND window) {
    SetCapture(window);
    Detach();  // a capture held before went to `window` with this call
    Reset(window);
}

void CursorConfinement::Confine(const RECT& screenRect) {
    if (!active_) {
        hasPrevious_ = GetClipCursor(&previous_) != FALSE;
        active_ = true;
    }
    ClipCursor(&screenRect);
}

void CursorConfinement::Release() {
    if (!active_) return;
    active_ = false;
    ClipCursor(hasPrevious_ ? &previous_ : nullptr);
}

}  // namespace nuv::win32
