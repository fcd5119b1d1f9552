// Switches a window's redrawing off for one scope (WM_SETREDRAW) and back on
// at its end. A hidden window is left alone: switching redrawing back on
// would mark it visible. Window thread.
#pragma once

#include "platform/com.h"

namespace nuv::win32 {

class RedrawSuspension {
public:
    explicit RedrawSuspension(HWND window) : window_(IsWindowVisible(window) ? window : nullptr) {
        if (window_ != nullptr) SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    }
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;
    ~RedrawSuspension() {
        if (window_ != nullptr) SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    }

private:
    HWND window_;
};

}  // namespace nuv::win32
