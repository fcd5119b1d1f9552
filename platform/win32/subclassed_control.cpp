#include "platform/win32/subclassed_control.h"

#include <commctrl.h>

namespace nuv::win32 {

namespace {
constexpr UINT_PTR kSubclassId = 1;
// The window property naming the object that took a control over, so that the
// object is found from the handle alone. GetWindowSubclass would answer the
// same, but the 64-bit comctl32 import library of mingw-w64 lacks it.
constexpr wchar_t kOwnerProperty[] = L"NuvSubclassedControl";
}  // namespace

SubclassedControl::~SubclassedControl() { Detach(); }

bool SubclassedControl::Attach(HWND dialog, int id) {
    Detach();
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) return false;
    if (!SetPropW(control, kOwnerProperty, this)) return false;
    if (!SetWindowSubclass(control, &SubclassedControl::Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        RemovePropW(control, kOwnerProperty);
        return false;
    }
    window_ = control;
    return true;
}

void SubclassedControl::Detach() {
    if (window_ != nullptr) {
        RemoveWindowSubclass(window_, &SubclassedControl::Procedure, kSubclassId);
        RemovePropW(window_, kOwnerProperty);
        window_ = nullptr;
    }
}

SubclassedControl* SubclassedControl::FromHandle(HWND window) {
    return window == nullptr ? nullptr : static_cast<SubclassedControl*>(GetPropW(window, kOwnerProperty));
}

bool SubclassedControl::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
bool SubclassedControl::OnReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT SubclassedControl::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefSubclassProc(window_, message, wParam, lParam);
}

// A handler that throws leaves its message to the control's own procedure.
LRESULT CALLBACK SubclassedControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR selfData) {
    SubclassedControl* self = reinterpret_cast<SubclassedControl*>(selfData);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &SubclassedControl::Procedure, kSubclassId);
        RemovePropW(window, kOwnerProperty);
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
