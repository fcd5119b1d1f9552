#include "toolkit/kop_mem_dc.h"

#include <cstdlib>

namespace nuv::kop {

namespace {

void FillWithBackgroundColour(HDC dc, const RECT& rect, COLORREF colour) {
    const COLORREF previous = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

}  // namespace

bool KopMemDC::IsPrinting(HDC dc) {
    const int technology = GetDeviceCaps(dc, TECHNOLOGY);
    return technology == DT_RASPRINTER || technology == DT_PLOTTER;
}

KopMemDC::KopMemDC(HDC target) : KopMemDC(target, IsPrinting(target)) {}

KopMemDC::KopMemDC(HDC target, bool printing) : target_(target), dc_(target) {
    GetClipBox(target, &rect_);
    if (!printing) BeginOffScreen();
    FillWithBackgroundColour(dc_, rect_, GetBkColor(target));
}

// Falls back to drawing straight into the target when the copy cannot be
// made (an empty clip box, or no memory for the bitmap).
bool KopMemDC::BeginOffScreen() {
    RECT device = rect_;
    LPtoDP(target_, reinterpret_cast<POINT*>(&device), 2);
    // A mapping mode may turn an axis round; the bitmap takes the size only.
    const int width = std::abs(device.right - device.left);
    const int height = std::abs(device.bottom - device.top);
    if (width <= 0 || height <= 0) return false;
    memory_.emplace(target_);
    if (!*memory_) return false;
    bitmap_.Reset(CreateCompatibleBitmap(target_, width, height));
    if (!bitmap_) return false;
    const HDC memory = memory_->Get();
    const HGDIOBJ previous = SelectObject(memory, bitmap_.Get());
    if (previous == nullptr || previous == HGDI_ERROR) return false;
    previous_ = previous;
    SetMapMode(memory, GetMapMode(target_));
    SIZE extent{};
    GetWindowExtEx(target_, &extent);
    SetWindowExtEx(memory, extent.cx, extent.cy, nullptr);
    GetViewportExtEx(target_, &extent);
    SetViewportExtEx(memory, extent.cx, extent.cy, nullptr);
    SetWindowOrgEx(memory, rect_.left, rect_.top, nullptr);
    dc_ = memory;
    return true;
}

KopMemDC::~KopMemDC() {
    if (previous_ == nullptr) return;
    BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, dc_, rect_.left,
           rect_.top, SRCCOPY);
    SelectObject(dc_, previous_);
}

}  // namespace nuv::kop
