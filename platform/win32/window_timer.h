// Owner of one window timer: SetTimer when started, KillTimer when stopped or
// when the owner ends. Window thread.
#pragma once

#include "platform/com.h"

namespace nuv::win32 {

class WindowTimer {
public:
    WindowTimer() = default;
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;
    ~WindowTimer() { Stop(); }

    // Starts timer `id` of `window` with a period in milliseconds (a running
    // one is stopped first). Returns SetTimer's answer, 0 on failure.
    UINT_PTR Start(HWND window, UINT_PTR id, UINT periodMs) {
        Stop();
        id_ = SetTimer(window, id, periodMs, nullptr);
        window_ = id_ != 0 ? window : nullptr;
        return id_;
    }
    void Stop() {
        if (id_ != 0) KillTimer(window_, id_);
        id_ = 0;
        window_ = nullptr;
    }
    // The identifier SetTimer gave; 0 while not running.
    UINT_PTR Id() const { return id_; }
    bool Running() const { return id_ != 0; }
    // True for the WM_TIMER of this timer.
    bool IsTick(WPARAM timerId) const { return id_ != 0 && timerId == id_; }

private:
    HWND window_ = nullptr;
    UINT_PTR id_ = 0;
};

}  // namespace nuv::win32
