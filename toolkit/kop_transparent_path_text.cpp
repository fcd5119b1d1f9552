#include "toolkit/kop_transparent_path_text.h"

namespace nuv::kop {

void KopTransparentPathText::Scale(float s) {
    KopStatic::Scale(s);
    fontSize = s * designFontSize;
}

bool KopTransparentPathText::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message != WM_SETTEXT) return false;
    InvalidateRect(Handle(), nullptr, TRUE);
    result = TRUE;
    return true;
}

}  // namespace nuv::kop
