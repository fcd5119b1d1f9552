#include "toolkit/kop_gdiplus_button.h"

#include "toolkit/kop_messages.h"

namespace nuv::kop {

void KopGdiPlusButton::SetChecked(bool checked) {
    checked_ = checked;
    if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, TRUE);
}

void KopGdiPlusButton::Press() {
    SetChecked(momentary ? true : !checked_);
    if (notify) PostToParent(WM_BUTTON_LEFT_PRESSED);
}

void KopGdiPlusButton::PostToParent(UINT message) const {
    PostMessageW(GetParent(Handle()), message, static_cast<WPARAM>(ControlId()), 0);
}

bool KopGdiPlusButton::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
    case BM_SETCHECK:
        SetChecked(wParam == 1);
        result = 0;
        return true;
    case BM_GETCHECK:
        result = checked_ ? 1 : 0;
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Press();
        return false;
    case WM_LBUTTONUP:
        if (momentary) SetChecked(false);
        return false;
    case WM_RBUTTONDOWN:
        if (notify) PostToParent(WM_BUTTON_RIGHT_PRESSED);
        return false;
    default:
        return false;
    }
}

}  // namespace nuv::kop
