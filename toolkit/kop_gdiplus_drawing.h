// The GDI+ pieces every painter of the toolkit uses: font families that fall
// back to a sans-serif family when the named one is missing, string formats,
// pens, solid fills and filled text paths. GDI+ status codes are ignored
// throughout: what cannot be drawn is left out, and nothing else changes.
// Window thread, with GDI+ running.
#pragma once

#include <string>

#include "platform/win32/gdiplus_owners.h"
#include "toolkit/kop_colour.h"

namespace nuv::kop {

// The font of a caption: family name, size in design pixels, style.
struct KopFont {
    std::wstring family;
    float size = 12.0f;
    bool bold = false;
    bool italic = false;
};

// The GDI+ style bits of a font.
int FontStyleOf(const KopFont& font);

// The family named `name`, or the first family of `collection` when one is
// given and holds any; when neither is found (a machine without the font,
// or no name at all), the generic sans-serif family, so that text still
// shows. Empty only when GDI+ has no family at all.
win32::GpFontFamilyOwner FindFontFamily(const std::wstring& name, Gdiplus::GpFontCollection* collection = nullptr);

// A string format with the given horizontal and vertical alignment.
win32::GpStringFormatOwner MakeStringFormat(Gdiplus::StringAlignment horizontal, Gdiplus::StringAlignment vertical);

// A solid pen of `colour` and `width` with the given line join.
win32::GpPenOwner MakePen(Argb colour, float width, Gdiplus::LineJoin join = Gdiplus::LineJoinMiter);

// A linear gradient from `from` (colour `first`) to `to` (colour `last`).
win32::GpLinearBrushOwner MakeLinearBrush(Gdiplus::PointF from, Gdiplus::PointF to, Argb first, Argb last);

void FillRectangle(Gdiplus::GpGraphics* graphics, Argb colour, float x, float y, float width, float height);
void FillEllipse(Gdiplus::GpGraphics* graphics, Argb colour, float x, float y, float width, float height);

// Adds `text` as outlines of `font` at `size` (its family found as above)
// laid out in `box` with `format`, and fills them with `brush`. A caption is
// never wrapped and never dropped: a box lower than one line of the font is
// grown about the format's vertical alignment, so that the line shows,
// overflowing the box as the alignment says; a caption wider than its box is
// drawn at the largest size that fits the box's width.
void FillTextPath(Gdiplus::GpGraphics* graphics, Gdiplus::GpBrush* brush, const std::wstring& text,
                  const KopFont& font, float size, const Gdiplus::RectF& box, Gdiplus::GpStringFormat* format,
                  Gdiplus::GpFontCollection* collection = nullptr);

// Anti-aliasing with the 8 x 8 filter (the 8 x 4 one where the library
// knows no other), or none.
void UseAntiAliasing(Gdiplus::GpGraphics* graphics, bool on);

}  // namespace nuv::kop
