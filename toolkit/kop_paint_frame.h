// One WM_PAINT of an owner-drawn control: a memory context with a scratch
// bitmap of the client size, filled from the control's copy of the page
// background, and a GDI+ surface on it (anti-aliasing, pixel units, the
// given page scale). When the frame ends, the surface is freed, the client
// area reaches the screen in one block transfer, the scratch bitmap is
// selected out and freed with its context, and the paint ends.
//
// Drawing on a scratch copy leaves the stored background untouched, so that
// repeated paints never pile up on it.
#pragma once

#include <optional>

#include "platform/win32/gdi_owners.h"
#include "platform/win32/gdiplus_owners.h"

namespace nuv::kop {

class KopScaledControl;

class KopPaintFrame {
public:
    // [window thread, inside the control's WM_PAINT] `background` is the
    // control's own copy of the area under it; while it has none, the area
    // is copied from the dialog's stretched background. `pageScale` 1 draws
    // in client pixels, the control's scale draws in design pixels.
    KopPaintFrame(const KopScaledControl& control, const win32::GdiBitmap& background, float pageScale);
    KopPaintFrame(const KopPaintFrame&) = delete;
    KopPaintFrame& operator=(const KopPaintFrame&) = delete;
    ~KopPaintFrame();

    // Null when the off-screen drawing could not begin; the paint then
    // shows nothing new.
    Gdiplus::GpGraphics* Graphics() const { return graphics_.Get(); }
    // The client size in pixels.
    int Width() const { return width_; }
    int Height() const { return height_; }
    float PageScale() const { return pageScale_; }

    // A dotted frame just inside the client area, in client pixels: the
    // focus rectangle of buttons and sliders.
    void DrawFocusRectangle() const;

private:
    bool Begin(const KopScaledControl& control, const win32::GdiBitmap& background);

    win32::PaintDc paint_;
    int width_ = 0;
    int height_ = 0;
    float pageScale_;
    win32::MemoryDc memory_;
    win32::GdiBitmap scratch_;
    std::optional<win32::ObjectSelection> selection_;
    win32::GpGraphicsOwner graphics_;
};

}  // namespace nuv::kop
