#include "toolkit/kop_gdiplus_drawing.h"

#include <cmath>
#include <utility>

namespace nuv::kop {

namespace gp = win32::gp;

int FontStyleOf(const KopFont& font) {
    return (font.bold ? Gdiplus::FontStyleBold : 0) | (font.italic ? Gdiplus::FontStyleItalic : 0);
}

win32::GpFontFamilyOwner FindFontFamily(const std::wstring& name, Gdiplus::GpFontCollection* collection) {
    win32::GpFontFamilyOwner family;
    if (collection != nullptr) {
        // The collection keeps its own families; ours is a clone.
        Gdiplus::GpFontFamily* first = nullptr;
        INT found = 0;
        if (gp::GdipGetFontCollectionFamilyList(collection, 1, &first, &found) == Gdiplus::Ok && found == 1 &&
            gp::GdipCloneFontFamily(first, family.Put()) == Gdiplus::Ok) {
            return family;
        }
    }
    if (!name.empty() && gp::GdipCreateFontFamilyFromName(name.c_str(), nullptr, family.Put()) == Gdiplus::Ok) {
        return family;
    }
    if (gp::GdipGetGenericFontFamilySansSerif(family.Put()) != Gdiplus::Ok) family.Reset();
    return family;
}

win32::GpStringFormatOwner MakeStringFormat(Gdiplus::StringAlignment horizontal, Gdiplus::StringAlignment vertical) {
    win32::GpStringFormatOwner format;
    if (gp::GdipCreateStringFormat(0, LANG_NEUTRAL, format.Put()) == Gdiplus::Ok) {
        gp::GdipSetStringFormatAlign(format.Get(), horizontal);
        gp::GdipSetStringFormatLineAlign(format.Get(), vertical);
    }
    return format;
}

win32::GpPenOwner MakePen(Argb colour, float width, Gdiplus::LineJoin join) {
    win32::GpPenOwner pen;
    if (gp::GdipCreatePen1(colour, width, Gdiplus::UnitWorld, pen.Put()) == Gdiplus::Ok) {
        gp::GdipSetPenLineJoin(pen.Get(), join);
    }
    return pen;
}

win32::GpLinearBrushOwner MakeLinearBrush(Gdiplus::PointF from, Gdiplus::PointF to, Argb first, Argb last) {
    win32::GpLinearBrushOwner brush;
    if (gp::GdipCreateLineBrush(&from, &to, first, last, Gdiplus::WrapModeTile, brush.Put()) != Gdiplus::Ok) {
        brush.Reset();
    }
    return brush;
}

void FillRectangle(Gdiplus::GpGraphics* graphics, Argb colour, float x, float y, float width, float height) {
    win32::GpSolidBrushOwner brush;
    if (gp::GdipCreateSolidFill(colour, brush.Put()) != Gdiplus::Ok) return;
    gp::GdipFillRectangle(graphics, brush.Get(), x, y, width, height);
}

void FillEllipse(Gdiplus::GpGraphics* graphics, Argb colour, float x, float y, float width, float height) {
    win32::GpSolidBrushOwner brush;
    if (gp::GdipCreateSolidFill(colour, brush.Put()) != Gdiplus::Ok) return;
    gp::GdipFillEllipse(graphics, brush.Get(), x, y, width, height);
}

namespace {

// Wider than any caption.
constexpr float kUnboundedWidth = 100000.0f;

float LineHeight(Gdiplus::GpFontFamily* family, const KopFont& font, float emSize) {
    UINT16 spacing = 0;
    UINT16 em = 0;
    if (gp::GdipGetLineSpacing(family, FontStyleOf(font), &spacing) != Gdiplus::Ok ||
        gp::GdipGetEmHeight(family, FontStyleOf(font), &em) != Gdiplus::Ok || em == 0) {
        return emSize;
    }
    // A whole pixel more than the spacing: the library measures a line in
    // whole pixels of the font's cell.
    return std::ceil(emSize * static_cast<float>(spacing) / static_cast<float>(em)) + 1.0f;
}

// `box` widened so that no caption wraps, and made at least one line tall
// (the graphics library may drop a line that does not fit whole), each
// about the point the format aligns the text to, so that the text sits
// where `box` puts it.
Gdiplus::RectF UnclippedBox(const Gdiplus::RectF& box, Gdiplus::GpStringFormat* format, float lineHeight) {
    Gdiplus::StringAlignment horizontal = Gdiplus::StringAlignmentNear;
    Gdiplus::StringAlignment vertical = Gdiplus::StringAlignmentNear;
    gp::GdipGetStringFormatAlign(format, &horizontal);
    gp::GdipGetStringFormatLineAlign(format, &vertical);
    const auto grown = [](Gdiplus::StringAlignment a, float from, float length, float least) {
        const float extra = length < least ? least - length : 0.0f;
        const float before = a == Gdiplus::StringAlignmentNear ? 0.0f : a == Gdiplus::StringAlignmentCenter ? extra / 2.0f : extra;
        return std::pair<float, float>(from - before, length + extra);
    };
    const auto [x, width] = grown(horizontal, box.X, box.Width, kUnboundedWidth);
    const auto [y, height] = grown(vertical, box.Y, box.Height, lineHeight);
    return Gdiplus::RectF(x, y, width, height);
}

}  // namespace

void FillTextPath(Gdiplus::GpGraphics* graphics, Gdiplus::GpBrush* brush, const std::wstring& text,
                  const KopFont& font, float size, const Gdiplus::RectF& box, Gdiplus::GpStringFormat* format,
                  Gdiplus::GpFontCollection* collection) {
    if (text.empty() || size <= 0.0f) return;
    const win32::GpFontFamilyOwner family = FindFontFamily(font.family, collection);
    win32::GpPathOwner path;
    if (!family || gp::GdipCreatePath(Gdiplus::FillModeWinding, path.Put()) != Gdiplus::Ok) return;
    const auto add = [&](float emSize) {
        const Gdiplus::RectF layout = UnclippedBox(box, format, LineHeight(family.Get(), font, emSize));
        gp::GdipResetPath(path.Get());
        return gp::GdipAddPathString(path.Get(), text.c_str(), static_cast<INT>(text.size()), family.Get(),
                                     FontStyleOf(font), emSize, &layout, format) == Gdiplus::Ok;
    };
    if (!add(size)) return;
    // Too wide for its box: the largest size that fits.
    Gdiplus::RectF bounds;
    if (gp::GdipGetPathWorldBounds(path.Get(), &bounds, nullptr, nullptr) == Gdiplus::Ok && bounds.Width > box.Width &&
        box.Width > 0.0f && !add(size * box.Width / bounds.Width)) {
        return;
    }
    gp::GdipFillPath(graphics, brush, path.Get());
}

void UseAntiAliasing(Gdiplus::GpGraphics* graphics, bool on) {
    if (!on) {
        gp::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeNone);
        return;
    }
    if (gp::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeAntiAlias8x8) != Gdiplus::Ok) {
        gp::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeAntiAlias);
    }
}

}  // namespace nuv::kop
