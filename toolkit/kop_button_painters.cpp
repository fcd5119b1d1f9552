#include "toolkit/kop_button_painters.h"

#include <cstddef>
#include <vector>

#include "toolkit/kop_gdiplus_drawing.h"
#include "toolkit/kop_paint_styles.h"

namespace nuv::kop {

namespace gp = win32::gp;
using Gdiplus::PointF;

namespace {

// Logo badge.
constexpr Argb kBadgeBarStart = 0xC8C8C8C8;
constexpr Argb kBadgeBarEnd = 0x01000000;
constexpr Argb kBadgeDisc = 0xC8000000;
constexpr Argb kBadgeRing = 0xC8C8D2FF;
constexpr Argb kBadgeChevron = 0xC8FFFFFF;
constexpr Argb kBadgeTextColour = 0xC8000000;
constexpr float kBadgeLineWidth = 1.54f;
constexpr float kBadgeFontSize = 11.0f;

// Check box.
constexpr Argb kCheckBoxOff = 0xFF0A0A14;
constexpr Argb kCheckBoxOn = 0xC814141E;
constexpr Argb kCheckMarkOutline = 0xFF000000;
constexpr Argb kCheckMarkTop = 0xFFFFFFFF;
constexpr Argb kCheckMarkBottom = 0xFFC8C8C8;

// Waveform icon.
constexpr Argb kIconOnBackground = 0xFFFFFFFF;
constexpr Argb kIconOffBackground = 0xFF14141E;
constexpr Argb kIconOnPen = 0xFF000000;
constexpr Argb kIconOffPen = 0xFFFFFFFF;
constexpr Argb kIconBorder = 0xFFFFFFFF;
constexpr float kIconPenWidth = 1.5f;

// Lamp bar.
constexpr Argb kLampBarFrame = 0xFF32323C;
constexpr Argb kLampBarFaceTop = 0xFF78787D;
constexpr Argb kLampBarFaceBottom = 0xFF3C3C41;
constexpr float kLampBarFaceAngle = 80.0f;
constexpr Argb kLampBarLit = 0xFFDC0A0A;
constexpr Argb kLampBarDark = 0xFF280000;

// Power knob and round lamp.
constexpr Argb kBezelDark = 0xFF141414;
constexpr Argb kBezelLight = 0xFF646464;
constexpr Argb kBezelOutline = 0xFF000000;
constexpr Argb kKnobOff = 0xFF646464;
constexpr float kKnobSymbolWidth = 1.6f;
constexpr float kKnobArcStart = -55.0f;
constexpr float kKnobArcSweep = 290.0f;

void PaintLogoBadge(Gdiplus::GpGraphics* g, const KopButtonLook& look) {
    const float w = look.width;
    if (const win32::GpLinearBrushOwner bar = MakeLinearBrush(PointF(4.0f, 1.0f), PointF(w, 1.0f), kBadgeBarStart,
                                                              kBadgeBarEnd)) {
        gp::GdipFillRectangle(g, bar.Get(), 4.5f, 6.0f, w, 12.0f);
    }
    FillEllipse(g, kBadgeDisc, 1.0f, 1.0f, 22.0f, 22.0f);
    const win32::GpPenOwner ring = MakePen(kBadgeRing, kBadgeLineWidth);
    gp::GdipDrawEllipse(g, ring.Get(), 2.65f, 2.65f, 18.7f, 18.7f);
    const PointF chevron[] = {{6.71f, 8.25f}, {12.21f, 18.7f}, {17.16f, 8.25f}, {12.21f, 10.45f}};
    const win32::GpPenOwner outline = MakePen(kBadgeChevron, kBadgeLineWidth, Gdiplus::LineJoinMiter);
    gp::GdipDrawPolygon(g, outline.Get(), chevron, 4);

    const win32::GpFontFamilyOwner family = FindFontFamily(kBadgeFontFamily);
    win32::GpFontOwner font;
    win32::GpSolidBrushOwner ink;
    if (!family ||
        gp::GdipCreateFont(family.Get(), kBadgeFontSize, Gdiplus::FontStyleBold, Gdiplus::UnitPixel, font.Put()) !=
            Gdiplus::Ok ||
        gp::GdipCreateSolidFill(kBadgeTextColour, ink.Put()) != Gdiplus::Ok) {
        return;
    }
    gp::GdipSetTextRenderingHint(g, Gdiplus::TextRenderingHintAntiAliasGridFit);
    // A box of no size: the text is neither wrapped nor clipped by it, only
    // by the control.
    const Gdiplus::RectF from(23.0f, 6.0f, 0.0f, 0.0f);
    gp::GdipDrawString(g, kBadgeText, -1, font.Get(), &from, nullptr, ink.Get());
}

void PaintCheckBox(Gdiplus::GpGraphics* g, const KopButtonLook& look) {
    if (!look.checked) {
        FillRectangle(g, kCheckBoxOff, 0.0f, 0.0f, look.width, look.height);
        return;
    }
    FillRectangle(g, kCheckBoxOn, 0.0f, 0.0f, look.width, look.height);
    win32::GpPathOwner mark;
    if (gp::GdipCreatePath(Gdiplus::FillModeAlternate, mark.Put()) != Gdiplus::Ok) return;
    const PointF curve[] = {{17.0f, 1.0f}, {12.5f, 6.0f}, {10.0f, 14.0f}};
    gp::GdipAddPathCurve(mark.Get(), curve, 3);
    const PointF lines[] = {{10.0f, 14.0f}, {1.0f, 10.0f}, {5.0f, 7.0f}, {8.0f, 10.0f}, {12.0f, 1.0f}};
    gp::GdipAddPathLine2(mark.Get(), lines, 5);
    gp::GdipClosePathFigure(mark.Get());
    const win32::GpPenOwner outline = MakePen(kCheckMarkOutline, 0.5f, Gdiplus::LineJoinMiter);
    gp::GdipDrawPath(g, outline.Get(), mark.Get());
    if (const win32::GpLinearBrushOwner fill = MakeLinearBrush(PointF(11.0f, 0.0f), PointF(11.0f, 16.0f),
                                                               kCheckMarkTop, kCheckMarkBottom)) {
        gp::GdipFillPath(g, fill.Get(), mark.Get());
    }
}

// The polyline of a stepped or straight icon in units a across and b down.
std::vector<PointF> IconPolyline(std::initializer_list<float> units, float a, float b) {
    std::vector<PointF> points;
    for (auto at = units.begin(); at != units.end() && at + 1 != units.end(); at += 2) {
        points.emplace_back(*at * a, *(at + 1) * b);
    }
    return points;
}

void PaintWaveformIcon(KopPaintFrame& frame, const KopButtonLook& look) {
    Gdiplus::GpGraphics* g = frame.Graphics();
    const float w = look.width;
    const float h = look.height;
    const float a = (w - 1.0f) / 24.0f;
    const float b = (h - 1.0f) / 12.0f;
    const float m = (h - 1.0f) / 2.0f;
    FillRectangle(g, look.checked ? kIconOnBackground : kIconOffBackground, 0.0f, 0.0f, w, h);
    const win32::GpPenOwner pen = MakePen(look.checked ? kIconOnPen : kIconOffPen, kIconPenWidth);

    std::vector<PointF> points;
    bool smooth = false;
    switch (look.icon) {
    case kIconSine:
        points = {{0.0f, m},      {2 * a, 0.0f},  {4 * a, 0.0f},  {6 * a, m},      {8 * a, 11 * b},
                  {10 * a, 11 * b}, {12 * a, m},  {14 * a, 0.0f}, {16 * a, 0.0f}, {18 * a, m},
                  {20 * a, 11 * b}, {22 * a, 11 * b}, {w - 1.0f, m}};
        smooth = true;
        break;
    case kIconSquare:
        points = IconPolyline({2, 10, 2, 3, 7, 3, 7, 10, 12, 10, 12, 3, 17, 3, 17, 10, 22, 10, 22, 3}, a, b);
        break;
    case kIconTriangle:
        points = IconPolyline({2, 10, 6, 3, 10, 10, 14, 3, 18, 10, 22, 3}, a, b);
        smooth = true;
        break;
    case kIconSawtooth:
        points = IconPolyline({2, 10, 9, 3, 9, 10, 16, 3, 16, 10, 22, 3}, a, b);
        smooth = true;
        break;
    case kIconPulse:
        points = IconPolyline({2, 10, 2, 3, 3, 3, 3, 10, 8, 10, 8, 3, 9, 3, 9, 10, 14, 10, 14, 3, 15, 3, 15, 10,
                               20, 10, 20, 3, 21, 3, 21, 10, 22, 10},
                              a, b);
        break;
    case kIconRandom:
        points = IconPolyline({2, 10, 2, 3, 7, 3, 7, 7, 12, 7, 12, 10, 15, 10, 15, 4, 22, 4, 22, 10}, a, b);
        break;
    default:
        break;
    }
    UseAntiAliasing(g, smooth);
    if (look.icon == kIconSine) {
        gp::GdipDrawBeziers(g, pen.Get(), points.data(), static_cast<INT>(points.size()));
    } else if (!points.empty()) {
        gp::GdipDrawLines(g, pen.Get(), points.data(), static_cast<INT>(points.size()));
    }

    UseAntiAliasing(g, false);
    gp::GdipSetPageScale(g, 1.0f);
    const win32::GpPenOwner border = MakePen(kIconBorder, 1.0f);
    gp::GdipDrawRectangle(g, border.Get(), 0.0f, 0.0f, static_cast<float>(frame.Width() - 1),
                          static_cast<float>(frame.Height() - 1));
}

void PaintLampBar(Gdiplus::GpGraphics* g, const KopButtonLook& look) {
    const float w = look.width;
    const float h = look.height;
    FillRectangle(g, kLampBarFrame, 0.0f, 0.0f, w, h);
    const Gdiplus::RectF face(1.5f, 1.5f, w - 3.0f, h - 3.0f);
    win32::GpLinearBrushOwner gradient;
    if (gp::GdipCreateLineBrushFromRectWithAngle(&face, kLampBarFaceTop, kLampBarFaceBottom, kLampBarFaceAngle, FALSE,
                                                 Gdiplus::WrapModeTile, gradient.Put()) == Gdiplus::Ok) {
        gp::GdipFillRectangle(g, gradient.Get(), face.X, face.Y, face.Width, face.Height);
    }
    FillRectangle(g, look.checked ? kLampBarLit : kLampBarDark, w / 4.0f, 3.0f, w / 2.0f, h / 5.0f);
}

// The three discs and the outline that ring the power knob and the round lamp.
void PaintBezel(Gdiplus::GpGraphics* g, float w, float h1) {
    const win32::GpLinearBrushOwner down =
        MakeLinearBrush(PointF(w / 2.0f, 0.0f), PointF(w / 2.0f, h1), kBezelDark, kBezelLight);
    const win32::GpLinearBrushOwner up =
        MakeLinearBrush(PointF(w / 2.0f, 0.0f), PointF(w / 2.0f, h1), kBezelLight, kBezelDark);
    gp::GdipFillEllipse(g, down.Get(), 0.0f, 0.0f, w, h1);
    gp::GdipFillEllipse(g, up.Get(), 5.0f, 5.0f, w - 10.0f, h1 - 10.0f);
    const win32::GpPenOwner outline = MakePen(kBezelOutline, 1.0f);
    gp::GdipDrawEllipse(g, outline.Get(), 5.0f, 5.0f, w - 10.0f, h1 - 10.0f);
    gp::GdipFillEllipse(g, down.Get(), 13.0f, 13.0f, w - 26.0f, h1 - 26.0f);
}

void PaintPowerKnob(Gdiplus::GpGraphics* g, const KopButtonLook& look) {
    const float w = look.width;
    const float h1 = look.height - 1.0f;
    PaintBezel(g, w, h1);
    const win32::GpPenOwner symbol = MakePen(look.checked ? look.onColour : kKnobOff, kKnobSymbolWidth);
    gp::GdipSetPenStartCap(symbol.Get(), Gdiplus::LineCapRound);
    gp::GdipSetPenEndCap(symbol.Get(), Gdiplus::LineCapRound);
    gp::GdipDrawArc(g, symbol.Get(), 21.0f, 21.0f, w - 42.0f, h1 - 42.0f, kKnobArcStart, kKnobArcSweep);
    gp::GdipDrawLine(g, symbol.Get(), w / 2.0f, 21.0f, w / 2.0f, 29.0f);
}

void PaintRoundLamp(Gdiplus::GpGraphics* g, const KopButtonLook& look) {
    const float w = look.width;
    const float h1 = look.height - 1.0f;
    PaintBezel(g, w, h1);
    FillEllipse(g, look.checked ? look.onColour : kKnobOff, 13.0f, 13.0f, w - 26.0f, h1 - 26.0f);
}

void PaintTriangle(Gdiplus::GpGraphics* g, const KopButtonLook& look, bool pointsLeft) {
    const float w = look.width - 1.0f;
    const float h = look.height - 1.0f;
    win32::GpSolidBrushOwner fill;
    if (gp::GdipCreateSolidFill(look.checked ? look.checkedColour : look.uncheckedColour, fill.Put()) != Gdiplus::Ok) {
        return;
    }
    const PointF left[] = {{0.0f, h / 2.0f}, {w, 0.0f}, {w, h}};
    const PointF right[] = {{w, h / 2.0f}, {0.0f, 0.0f}, {0.0f, h}};
    gp::GdipFillPolygon(g, fill.Get(), pointsLeft ? left : right, 3, Gdiplus::FillModeAlternate);
}

}  // namespace

void PaintButtonStyle(KopPaintFrame& frame, std::int32_t style, const KopButtonLook& look) {
    Gdiplus::GpGraphics* g = frame.Graphics();
    if (g == nullptr) return;
    switch (style) {
    case kPaintLogoBadge:
        PaintLogoBadge(g, look);
        break;
    case kPaintCheckBox:
        PaintCheckBox(g, look);
        break;
    case kPaintWaveformIcon:
        PaintWaveformIcon(frame, look);
        break;
    case kPaintLampBar:
        PaintLampBar(g, look);
        break;
    case kPaintPowerKnob:
        PaintPowerKnob(g, look);
        break;
    case kPaintRoundLamp:
        PaintRoundLamp(g, look);
        break;
    case kPaintTriangleLeft:
        PaintTriangle(g, look, true);
        break;
    case kPaintTriangleRight:
        PaintTriangle(g, look, false);
        break;
    default:
        break;
    }
}

}  // namespace nuv::kop
