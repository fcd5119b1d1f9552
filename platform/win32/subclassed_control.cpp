#include "platform/win32/subclassed_control.h"

#include <commctrl.h>

namespace nuv::win32 {

namespace {
constexpr UINT_PTR kSubclassId = 1;
}

SubclassedControl::~SubclassedControl() { Detach(); }

bool SubclassedControl::Attach(HWND dialog, int id) {
    Detach();
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return false;
    if (!SetWindowSubclass(control, &SubclassedControl::Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    window_ = control;
    return true;
}

void SubclassedControl::Detach() {
    if (window_ != nullptr) {
        RemoveWindowSubclass(window_, &SubclassedControl::Procedure, kSubclassId);
        window_ = nullptr;
    }
}

SubclassedControl* SubclassedControl::FromHandle(HWND window) {
    DWORD_PTR self = 0;
    if (window == nullptr || !GetWindowSubclass(window, &SubclassedControl::Procedure, kSubclassId, &self)) {
        return nullptr;
    }
    return reinterpret_cast<SubclassedControl*>(self);
}

bool SubclassedControl::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
bool SubclassedControl::OnReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT SubclassedControl::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefSubclassProc(window_, message, wParam, lParam);
}

// Window thread: every message of a control we took over. A handler that
// throws leaves its message to the control's own procedure.
LRESULT CALLBACK SubclassedControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR selfData) {
    SubclassedControl* self = reinterpret_cast<SubclassedControl*>(selfData);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &SubclassedControl::Procedure, kSubclassId);
        self->window_ = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->OnMessage(message, wParam, lParam, result);
    } catch (...) {
        handled = false;
    }
    return handled ? result : DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace nuv::win32
