#include "toolkit/kop_scaled_control.h"

namespace nuv::kop {

RECT KopScaledControl::RectInParent() const {
    RECT rect{};
    if (Handle() == nullptr) return rect;
    GetWindowRect(Handle(), &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(Handle()), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void KopScaledControl::MeasureDesignRect() {
    const RECT rect = RectInParent();
    designLeft = static_cast<float>(rect.left);
    designTop = static_cast<float>(rect.top);
    designWidth = static_cast<float>(rect.right - rect.left);
    designHeight = static_cast<float>(rect.bottom - rect.top);
}

void KopScaledControl::Scale(float s) {
    scale = s;
    if (Handle() == nullptr) return;
    SetWindowPos(Handle(), nullptr, static_cast<int>(s * designLeft), static_cast<int>(s * designTop),
                 static_cast<int>(s * designWidth), static_cast<int>(s * designHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool KopScaledControl::CopyBackgroundUnder(HDC target) const {
    if (background_ == nullptr || !*background_) return false;
    const RECT rect = RectInParent();
    win32::MemoryDc source(target);
    if (!source) return false;
    win32::ObjectSelection selected(source.Get(), background_->Get());
    return BitBlt(target, 0, 0, rect.right - rect.left, rect.bottom - rect.top, source.Get(), rect.left, rect.top,
                  SRCCOPY) != FALSE;
}

bool KopScaledControl::OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == WM_DESTROY) tooltip_.Destroy();
    return false;
}

bool KopScaledControl::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC) return false;
    result = reinterpret_cast<LRESULT>(AnswerColourMessage(reinterpret_cast<HDC>(wParam)));
    return true;
}

HBRUSH KopScaledControl::AnswerColourMessage(HDC dc) {
    SetTextColor(dc, textColour);
    if (transparent) {
        SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, backgroundColour);
    return BrushOf(backgroundColour);
}

HBRUSH KopScaledControl::BrushOf(ColourRef colour) {
    if (!brush_ || brushColour_ != colour) {
        // Made before the old one goes, so that a failure keeps a brush.
        if (const HBRUSH made = CreateSolidBrush(colour)) {
            brush_.Reset(made);
            brushColour_ = colour;
        }
    }
    return brush_ ? brush_.Get() : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

}  // namespace nuv::kop
