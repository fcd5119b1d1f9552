#include "toolkit/kop_gdiplus_drawing.h"

#include <cmath>

namespace nuv::kop {

namespace gp = win32::gp;

namespace {

// The layout box of a text, grown to at least one line of the font where it
// is lower: one GDI+ (Wine's) leaves out a line taller than its box, where
// Windows lays it out across the box's edges as the vertical alignment says.
// Grown by that alignment (down from the top, about the middle, up from the
// bottom), the box puts the line where Windows puts it, on both.
Gdiplus::RectF AtLeastOneLine(const Gdiplus::RectF& box, Gdiplus::GpFontFamily* family, int style, float size,
                              Gdiplus::GpStringFormat* format) {
    UINT16 em = 0;
    UINT16 spacing = 0;
    if (gp::GdipGetEmHeight(family, style, &em) != Gdiplus::Ok || em == 0 ||
        gp::GdipGetLineSpacing(family, style, &spacing) != Gdiplus::Ok) {
        return box;
    }
    // A whole pixel more than the spacing: the line's height is measured in
    // whole pixels of the font's cell.
    const float line = std::ceil(size * static_cast<float>(spacing) / static_cast<float>(em)) + 1.0f;
    if (!(box.Height < line)) return box;
    Gdiplus::StringAlignment alignment = Gdiplus::StringAlignmentNear;
    if (format != nullptr) gp::GdipGetStringFormatLineAlign(format, &alignment);
    const float growth = line - box.Height;
    const float up = alignment == Gdiplus::StringAlignmentCenter ? growth / 2.0f
                     : alignment == Gdiplus::StringAlignmentFar  ? growth
                                                                 : 0.0f;
    return Gdiplus::RectF(box.X, box.Y - up, box.Width, line);
}

}  // namespace

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

void FillTextPath(Gdiplus::GpGraphics* graphics, Gdiplus::GpBrush* brush, const std::wstring& text,
                  const KopFont& font, float size, const Gdiplus::RectF& box, Gdiplus::GpStringFormat* format,
                  Gdiplus::GpFontCollection* collection) {
    if (text.empty() || size <= 0.0f) return;
    const win32::GpFontFamilyOwner family = FindFontFamily(font.family, collection);
    win32::GpPathOwner path;
    if (!family || gp::GdipCreatePath(Gdiplus::FillModeWinding, path.Put()) != Gdiplus::Ok) return;
    const Gdiplus::RectF layout = AtLeastOneLine(box, family.Get(), FontStyleOf(font), size, format);
    if (gp::GdipAddPathString(path.Get(), text.c_str(), static_cast<INT>(text.size()), family.Get(),
                              FontStyleOf(font), size, &layout, format) != Gdiplus::Ok) {
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
