#include "toolkit/kop_drag.h"

namespace nuv::kop {

void KopDrag::Begin(HWND window) {
    capture_.Take(window);
    active_ = true;
}

bool KopDrag::End() {
    if (!active_) return false;
    active_ = false;  // first, so that the capture's going is not taken for another end
    capture_.Release();
    return true;
}

bool KopDrag::EndedBy(UINT message, LPARAM lParam, HWND window) {
    if (!active_) return false;
    switch (message) {
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) == window) return false;
        capture_.Lost();
        return End();
    case WM_CANCELMODE:
    case WM_DESTROY:
        return End();
    default:
        return false;
    }
}

}  // namespace nuv::kop
