#include "platform/win32/dialog_window.h"

#include <cstdint>
#include <vector>

#include "platform/win32/dialog_template.h"
#include "platform/win32/subclassed_control.h"

namespace nuv::win32 {

namespace {

// Messages whose result a dialog procedure returns itself rather than through
// DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON;
}

// Messages a control's parent receives on the control's behalf.
bool IsReflectable(UINT message) {
    return message == WM_COMMAND || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

DialogWindow* ObjectOf(HWND window) {
    return reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
}

}  // namespace

DialogWindow::~DialogWindow() {
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, DWLP_USER, 0);
        DestroyWindow(window_);
        window_ = nullptr;
    }
}

bool DialogWindow::Create(HINSTANCE module, int templateId, HWND parent, bool hidden) {
    if (window_ != nullptr) return false;
    HWND made = nullptr;
    if (hidden) {
        const std::vector<std::uint8_t> bytes = HiddenTemplateCopy(module, templateId);
        if (bytes.empty()) return false;
        made = CreateDialogIndirectParamW(module, reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), parent,
                                          &DialogWindow::Procedure, reinterpret_cast<LPARAM>(this));
    } else {
        made = CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), parent, &DialogWindow::Procedure,
                                  reinterpret_cast<LPARAM>(this));
    }
    return made != nullptr && made == window_;
}

void DialogWindow::Destroy() {
    if (window_ != nullptr) DestroyWindow(window_);
}

bool DialogWindow::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool DialogWindow::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (IsReflectable(message) && lParam != 0) {
        SubclassedControl* control = SubclassedControl::FromHandle(reinterpret_cast<HWND>(lParam));
        if (control != nullptr && control->OnReflected(message, wParam, lParam, result)) return true;
    }
    return OnMessage(message, wParam, lParam, result);
}

// Nothing thrown by a handler may cross back into the system: a handler that
// throws leaves its message to default processing.
INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        DialogWindow* self = reinterpret_cast<DialogWindow*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
        try {
            return self->OnInitDialog();
        } catch (...) {
            return TRUE;
        }
    }
    DialogWindow* self = ObjectOf(window);
    if (self == nullptr) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->window_ = nullptr;
        return FALSE;
    }
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = self->Route(message, wParam, lParam, result);
    } catch (...) {
        handled = false;
    }
    if (!handled) return FALSE;
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace nuv::win32
