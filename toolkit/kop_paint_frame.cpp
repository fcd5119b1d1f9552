#include "toolkit/kop_paint_frame.h"

#include "toolkit/kop_gdiplus_drawing.h"
#include "toolkit/kop_scaled_control.h"

namespace nuv::kop {

namespace gp = win32::gp;

namespace {

constexpr Argb kFocusColour = 0xFFC8C8C8;

RECT ClientOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

}  // namespace

KopPaintFrame::KopPaintFrame(const KopScaledControl& control, const win32::GdiBitmap& background, float pageScale)
    : paint_(control.Handle()), pageScale_(pageScale), memory_(paint_.Get()) {
    if (!Begin(control, background)) {
        graphics_.Reset();
        selection_.reset();
    }
}

bool KopPaintFrame::Begin(const KopScaledControl& control, const win32::GdiBitmap& background) {
    const RECT client = ClientOf(control.Handle());
    width_ = client.right - client.left;
    height_ = client.bottom - client.top;
    if (paint_.Get() == nullptr || !memory_ || width_ <= 0 || height_ <= 0) return false;
    scratch_.Reset(CreateCompatibleBitmap(paint_.Get(), width_, height_));
    if (!scratch_) return false;
    selection_.emplace(memory_.Get(), scratch_.Get());

    bool copied = false;
    if (background) {
        win32::MemoryDc source(paint_.Get());
        win32::ObjectSelection selected(source.Get(), background.Get());
        copied = source && BitBlt(memory_.Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY) != FALSE;
    }
    if (!copied && !control.CopyBackgroundUnder(memory_.Get())) {
        PatBlt(memory_.Get(), 0, 0, width_, height_, BLACKNESS);
    }

    if (gp::GdipCreateFromHDC(memory_.Get(), graphics_.Put()) != Gdiplus::Ok) return false;
    UseAntiAliasing(graphics_.Get(), true);
    gp::GdipSetPageUnit(graphics_.Get(), Gdiplus::UnitPixel);
    gp::GdipSetPageScale(graphics_.Get(), pageScale_);
    return true;
}

KopPaintFrame::~KopPaintFrame() {
    if (!graphics_) return;
    graphics_.Reset();  // GDI+ finishes its drawing into the context
    BitBlt(paint_.Get(), 0, 0, width_, height_, memory_.Get(), 0, 0, SRCCOPY);
}

void KopPaintFrame::DrawFocusRectangle() const {
    if (!graphics_) return;
    Gdiplus::GpGraphics* graphics = graphics_.Get();
    gp::GdipSetPageScale(graphics, 1.0f);
    UseAntiAliasing(graphics, false);
    win32::GpPenOwner pen = MakePen(kFocusColour, 1.0f);
    gp::GdipSetPenDashStyle(pen.Get(), Gdiplus::DashStyleDot);
    gp::GdipDrawRectangle(graphics, pen.Get(), 0.0f, 0.0f, static_cast<float>(width_ - 1),
                          static_cast<float>(height_ - 1));
    UseAntiAliasing(graphics, true);
    gp::GdipSetPageScale(graphics, pageScale_);
}

}  // namespace nuv::kop
