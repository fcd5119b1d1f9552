#include "toolkit/kop_caption_static.h"

namespace nuv::kop {

void KopCaptionStatic::SetCaption(const std::wstring& text) {
    caption_ = text;
    Repaint();
    if (captionIsTooltip && Handle() != nullptr) SetTooltip(text);
}

bool KopCaptionStatic::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_SETTEXT) return KopDrawnStatic::OnMessage(message, wParam, lParam, result);
    Repaint();
    result = TRUE;
    return true;
}

}  // namespace nuv::kop
