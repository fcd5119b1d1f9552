#include "toolkit/kop_gdiplus_text_button.h"

#include "toolkit/kop_paint_styles.h"

namespace nuv::kop {

namespace gp = win32::gp;

namespace {

// The fill is the on colour darkened whatever the caption's colour: to a
// quarter when checked, to a tenth otherwise.
constexpr std::uint32_t kCheckedDarkening = 4;
constexpr std::uint32_t kUncheckedDarkening = 10;
constexpr float kFrameWidth = 0.5f;

}  // namespace

void KopGdiPlusTextButton::SetCaption(const std::wstring& text) {
    caption_ = text;
    Repaint();
    SetTooltip(text);
}

void KopGdiPlusTextButton::Paint(KopPaintFrame& frame) {
    if (paintStyle != kPaintTextButton) return;
    Gdiplus::GpGraphics* g = frame.Graphics();
    const float w = designWidth;
    const float h = designHeight;
    const Argb ink = Checked() && enabledLook ? onColour : offColour;
    FillRectangle(g, Darkened(onColour, Checked() ? kCheckedDarkening : kUncheckedDarkening), 0.0f, 0.0f, w, h);
    const win32::GpPenOwner pen = MakePen(ink, kFrameWidth);
    gp::GdipDrawRectangle(g, pen.Get(), 0.0f, 0.0f, w - 1.5f, h - 1.5f);
    win32::GpSolidBrushOwner brush;
    const win32::GpStringFormatOwner centred = MakeStringFormat(Gdiplus::StringAlignmentCenter,
                                                                Gdiplus::StringAlignmentCenter);
    if (gp::GdipCreateSolidFill(ink, brush.Put()) == Gdiplus::Ok) {
        FillTextPath(g, brush.Get(), caption_, font, font.size, Gdiplus::RectF(0.0f, 0.0f, w, h), centred.Get());
    }
    if (FocusDrawn()) frame.DrawFocusRectangle();
}

}  // namespace nuv::kop
