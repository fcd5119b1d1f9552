#include "toolkit/kop_slider_painter.h"

#include "toolkit/kop_gdiplus_drawing.h"
#include "toolkit/kop_paint_styles.h"

namespace nuv::kop {

namespace gp = win32::gp;

namespace {

constexpr Argb kMajorTick = 0x96C8C8C8;
constexpr Argb kMinorTick = 0x96787878;
constexpr float kTickWidth = 2.0f;
constexpr int kTickDivisions = 21;  // a tick every 21st of the length, every third one major
constexpr float kLastTickInset = 0.2f;
constexpr Argb kHorizontalCentreLine = 0xFFFFFFC8;
constexpr Argb kVerticalBar = 0x5064C864;
constexpr Argb kVerticalCentreLine = 0xFFFFFFFF;

// Ticks across the value axis at k / 21 of `length`, and a last major one
// just inside the far end. `major` and `minor` draw one tick at a position.
template <class DrawTick>
void DrawTicks(float length, DrawTick drawTick) {
    for (int k = 0;; ++k) {
        const float at = static_cast<float>(k) * length / static_cast<float>(kTickDivisions);
        if (!(at < length)) break;
        drawTick(at, k % 3 == 0);
    }
    drawTick(length - kLastTickInset, true);
}

void FillThumb(Gdiplus::GpGraphics* g, const KopSliderLook& look, const Gdiplus::RectF& thumb) {
    win32::GpLinearBrushOwner gradient;
    if (gp::GdipCreateLineBrushFromRect(&thumb, look.thumbColourTop, look.thumbColourBottom,
                                        Gdiplus::LinearGradientModeVertical, Gdiplus::WrapModeTile,
                                        gradient.Put()) == Gdiplus::Ok) {
        gp::GdipFillRectangle(g, gradient.Get(), thumb.X, thumb.Y, thumb.Width, thumb.Height);
    }
}

void FillCap(Gdiplus::GpGraphics* g, Argb colour, const Gdiplus::RectF& box, float start) {
    win32::GpSolidBrushOwner brush;
    if (gp::GdipCreateSolidFill(colour, brush.Put()) != Gdiplus::Ok) return;
    gp::GdipFillPie(g, brush.Get(), box.X, box.Y, box.Width, box.Height, start, 180.0f);
}

void PaintHorizontal(Gdiplus::GpGraphics* g, const KopSliderLook& look, float w, float h) {
    const float d = h / 20.0f;
    const SliderAxis axis = AxisOf(look.paintStyle, look.vertical, w, h);
    const ThumbSize thumb = ThumbSizeOf(look.paintStyle, w, h);
    const float marginX = thumb.x / 2.0f;
    const float centre = ThumbCentre(look.value, look.range, axis);

    FillRectangle(g, kSliderTrackColour, 0.0f, 0.0f, w, 14.0f * d);
    FillRectangle(g, kSliderTrackColour, 0.0f, 16.0f * d, w, d);
    const win32::GpPenOwner major = MakePen(kMajorTick, kTickWidth);
    const win32::GpPenOwner minor = MakePen(kMinorTick, kTickWidth);
    DrawTicks(w, [&](float x, bool isMajor) {
        gp::GdipDrawLine(g, isMajor ? major.Get() : minor.Get(), x, 14.0f * d, x, isMajor ? d : 9.24f * d);
    });

    const win32::GpPenOwner bar = MakePen(look.barColour, d);
    const float barStart = look.range.minimum < 0.0f ? ThumbCentre(0.0f, look.range, axis) : 0.0f;
    gp::GdipDrawLine(g, bar.Get(), barStart, 16.5f * d, centre, 16.5f * d);

    FillThumb(g, look, Gdiplus::RectF(centre - marginX, d / 2.0f, thumb.x, thumb.y));
    FillCap(g, look.thumbColourBottom, Gdiplus::RectF(centre - marginX, 11.0f * d, thumb.x, 6.0f * d), 0.0f);
    const win32::GpPenOwner line = MakePen(kHorizontalCentreLine, 2.0f);
    gp::GdipDrawLine(g, line.Get(), centre, 5.5f * d, centre, 17.0f * d);
}

void PaintVertical(Gdiplus::GpGraphics* g, const KopSliderLook& look, float w, float h) {
    const float unitX = (w - 1.0f) / 25.0f;
    const float unitY = (h - 1.0f) / 20.0f;
    const SliderAxis axis = AxisOf(look.paintStyle, look.vertical, w, h);
    const ThumbSize thumb = ThumbSizeOf(look.paintStyle, w, h);
    const float marginY = thumb.y / 2.0f;
    const float centre = ThumbCentre(look.value, look.range, axis);

    FillRectangle(g, kSliderTrackColour, 0.0f, 0.0f, 21.0f * unitX, h);
    FillRectangle(g, kSliderTrackColour, 23.0f * unitX, 0.0f, 2.0f * unitX, h);
    const win32::GpPenOwner major = MakePen(kMajorTick, kTickWidth);
    const win32::GpPenOwner minor = MakePen(kMinorTick, kTickWidth);
    DrawTicks(h, [&](float y, bool isMajor) {
        gp::GdipDrawLine(g, isMajor ? major.Get() : minor.Get(), isMajor ? unitX : 13.86f * unitX, y,
                         21.0f * unitX, y);
    });

    const float barEnd = centre + unitY / 2.0f;
    float barStart = 0.0f;
    if (look.barFromFarEnd) {
        barStart = look.range.minimum < 0.0f ? (h - 1.0f) / 2.0f : h;
    } else if (look.range.minimum < 0.0f) {
        barStart = ThumbCentre(0.0f, look.range, axis) + unitY / 2.0f;
    }
    const win32::GpPenOwner bar = MakePen(kVerticalBar, 2.0f * unitX);
    gp::GdipDrawLine(g, bar.Get(), 23.5f * unitX, barStart, 23.5f * unitX, barEnd);

    FillThumb(g, look, Gdiplus::RectF(unitX / 2.0f, centre - marginY, thumb.x, thumb.y));
    FillCap(g, look.thumbColourBottom, Gdiplus::RectF(18.0f * unitX, centre - marginY, 6.5f * unitX, thumb.y),
            270.0f);
    const win32::GpPenOwner line = MakePen(kVerticalCentreLine, 1.5f);
    gp::GdipDrawLine(g, line.Get(), 5.0f * unitX, centre, w, centre);

    if (!look.enabled) FillRectangle(g, kSliderDisabledCover, 0.0f, 0.0f, w, h);
}

}  // namespace

void PaintSliderLook(KopPaintFrame& frame, const KopSliderLook& look) {
    Gdiplus::GpGraphics* g = frame.Graphics();
    const float w = static_cast<float>(frame.Width());
    const float h = static_cast<float>(frame.Height());
    if (look.paintStyle == kPaintHorizontalSlider) {
        PaintHorizontal(g, look, w, h);
    } else if (look.paintStyle == kPaintVerticalSlider) {
        PaintVertical(g, look, w, h);
    }
}

}  // namespace nuv::kop
