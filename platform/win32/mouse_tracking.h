// Mouse helpers of the dialog and its controls: leave and hover notification,
// and owners of the mouse capture and of the cursor confinement, each given
// back when its owner ends. Window thread.
#pragma once

#include "platform/com.h"
#include "platform/unique_any.h"

namespace nuv::win32 {

// Asks for WM_MOUSELEAVE / WM_MOUSEHOVER (or their non-client forms, as
// `flags` says) for `window`. False when the request was refused.
bool RequestMouseNotification(HWND window, DWORD flags, DWORD hoverTimeMs);

// Gives the capture back when `window` still holds it; a capture that
// another window took away is left alone.
void ReleaseCaptureOf(HWND window);

// The mouse capture for one window, taken and released explicitly or
// released when the owner ends.
class MouseCapture : public UniqueAny<HWND, &ReleaseCaptureOf> {
public:
    void Take(HWND window);
    void Release() { Reset(); }
    // The capture went elsewhere (WM_CAPTURECHANGED): nothing left to release.
    void Lost() { Detach(); }
    bool Held() const { return static_cast<bool>(*this); }
};

// Confines the cursor to a screen rectangle; the clip rectangle in force
// before comes back on Release or when the owner ends.
class CursorConfinement {
public:
    CursorConfinement() = default;
    CursorConfinement(const CursorConfinement&) = delete;
    CursorConfinement& operator=(const CursorConfinement&) = delete;
    ~CursorConfinement() { Release(); }

    void Confine(const RECT& screenRect);
    void Release();
    bool Active() const { return active_; }

private:
    RECT previous_{};
    bool hasPrevious_ = false;  // else the cursor is freed entirely
    bool active_ = false;
};

}  // namespace nuv::win32
