#include "toolkit/kop_button_base.h"

#include "platform/win32/mouse_tracking.h"
#include "toolkit/kop_messages.h"

namespace nuv::kop {

void KopButtonBase::SetChecked(bool checked) {
    checked_ = checked;
    Repaint();
}

void KopButtonBase::Press() {
    if (momentary) {
        checked_ = true;
        focusDrawn_ = false;
    } else {
        checked_ = !checked_;
    }
    Repaint();
    if (notify) PostToParent(WM_BUTTON_LEFT_PRESSED);
}

// The focus rectangle is part of the paint, so taking it away is a repaint.
void KopButtonBase::ReleaseMomentary() {
    if (!momentary) return;
    checked_ = false;
    focusDrawn_ = false;
    Repaint();
}

void KopButtonBase::OnHover() {
    if (!hoverFocus) return;
    hovered_ = true;
    if (momentary) {
        focusDrawn_ = true;
        Repaint();
    }
}

void KopButtonBase::OnLeave() {
    ReleaseMomentary();
    hovered_ = false;
    focusDrawn_ = false;
    if (!momentary) Repaint();
    tracking_ = false;
}

void KopButtonBase::PostToParent(UINT message) const {
    PostMessageW(GetParent(Handle()), message, static_cast<WPARAM>(ControlId()), 0);
}

bool KopButtonBase::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case BM_SETCHECK:
        SetChecked(wParam == BST_CHECKED);
        result = 0;
        return true;
    case BM_GETCHECK:
        result = checked_ ? BST_CHECKED : BST_UNCHECKED;
        return true;
    case WM_LBUTTONDOWN:
        Press();
        return false;
    case WM_LBUTTONDBLCLK:
        if (pressOnDoubleClick_) Press();
        return false;
    case WM_LBUTTONUP:
        ReleaseMomentary();
        return false;
    case WM_RBUTTONDOWN:
        if (notify) PostToParent(WM_BUTTON_RIGHT_PRESSED);
        return false;
    case WM_MOUSEMOVE:
        if (!tracking_) tracking_ = win32::RequestMouseNotification(Handle(), TME_HOVER | TME_LEAVE, 1);
        return false;
    case WM_MOUSEHOVER:
        OnHover();
        return false;
    case WM_MOUSELEAVE:
        OnLeave();
        return false;
    case WM_ENABLE:
        OnEnableChanged(wParam != FALSE);
        Repaint();
        return false;
    default:
        return KopDrawnStatic::OnMessage(message, wParam, lParam, result);
    }
}

}  // namespace nuv::kop
