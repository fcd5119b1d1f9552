#include "toolkit/kop_drawn_static.h"

namespace nuv::kop {

void KopDrawnStatic::Repaint() const {
    if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, TRUE);
}

bool KopDrawnStatic::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_ERASEBKGND:
        RefreshBackgroundCopy(reinterpret_cast<HDC>(wParam));
        result = TRUE;
        return true;
    case WM_PAINT: {
        KopPaintFrame frame(*this, backgroundCopy_, PaintScale());
        if (frame.Graphics() != nullptr) Paint(frame);
        result = 0;
        return true;
    }
    case WM_DESTROY:
        backgroundCopy_.Reset();
        copySize_ = SIZE{0, 0};
        return KopStatic::OnMessage(message, wParam, lParam, result);
    default:
        return KopStatic::OnMessage(message, wParam, lParam, result);
    }
}

// The copy keeps its bitmap while the control keeps its size; a new size
// makes a new bitmap, and the old one is deleted as it is replaced.
void KopDrawnStatic::RefreshBackgroundCopy(HDC dc) {
    const RECT rect = RectInParent();
    const SIZE size{rect.right - rect.left, rect.bottom - rect.top};
    if (size.cx <= 0 || size.cy <= 0 || dc == nullptr) return;
    if (!backgroundCopy_ || size.cx != copySize_.cx || size.cy != copySize_.cy) {
        backgroundCopy_.Reset(CreateCompatibleBitmap(dc, size.cx, size.cy));
        copySize_ = backgroundCopy_ ? size : SIZE{0, 0};
        if (!backgroundCopy_) return;
    }
    win32::MemoryDc copy(dc);
    if (!copy) return;
    win32::ObjectSelection selected(copy.Get(), backgroundCopy_.Get());
    if (!CopyBackgroundUnder(copy.Get())) PatBlt(copy.Get(), 0, 0, size.cx, size.cy, BLACKNESS);
}

}  // namespace nuv::kop
