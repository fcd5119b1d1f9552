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

void MouseCapture::Take(HWND window) {
    SetCapture(window);
    window_ = window;
}

void MouseCapture::Release() {
    if (window_ == nullptr) return;
    const HWND held = window_;
    window_ = nullptr;
    if (GetCapture() == held) ReleaseCapture();
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
