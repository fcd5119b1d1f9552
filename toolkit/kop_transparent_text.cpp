#include "toolkit/kop_transparent_text.h"

#include "toolkit/kop_messages.h"

namespace nuv::kop {

namespace gp = win32::gp;

namespace {

constexpr ColourRef kWhite = 0x00FFFFFF;
constexpr float kDefaultFontSize = 12.0f;

// Horizontal alignment from the static style of the template.
Gdiplus::StringAlignment HorizontalAlignmentOf(HWND window) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE) & SS_TYPEMASK;
    if (style == SS_CENTER) return Gdiplus::StringAlignmentCenter;
    if (style == SS_RIGHT) return Gdiplus::StringAlignmentFar;
    return Gdiplus::StringAlignmentNear;
}

Gdiplus::StringAlignment VerticalAlignmentOf(std::int32_t alignment) {
    if (alignment == kAlignTop) return Gdiplus::StringAlignmentNear;
    if (alignment == kAlignBottom) return Gdiplus::StringAlignmentFar;
    return Gdiplus::StringAlignmentCenter;
}

}  // namespace

KopTransparentText::KopTransparentText() : KopCaptionStatic(KopFont{L"", kDefaultFontSize, false, false}) {
    textColour = kWhite;
}

bool KopTransparentText::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_MOUSEWHEEL) return KopCaptionStatic::OnMessage(message, wParam, lParam, result);
    const LPARAM step = GET_WHEEL_DELTA_WPARAM(wParam) < 0 ? -1 : 1;
    PostMessageW(GetParent(Handle()), WM_TEXT_WHEEL, static_cast<WPARAM>(ControlId()), step);
    result = 0;
    return true;
}

void KopTransparentText::Paint(KopPaintFrame& frame) {
    Gdiplus::GpGraphics* g = frame.Graphics();
    const float w = static_cast<float>(frame.Width());
    const float h = static_cast<float>(frame.Height());
    if (boxed) FillRectangle(g, kTextBoxColour, 0.0f, 0.0f, w, h);
    const win32::GpStringFormatOwner format =
        MakeStringFormat(HorizontalAlignmentOf(Handle()), VerticalAlignmentOf(verticalAlignment));
    win32::GpSolidBrushOwner brush;
    if (gp::GdipCreateSolidFill(OpaqueFromColourRef(textColour), brush.Put()) != Gdiplus::Ok) return;
    FillTextPath(g, brush.Get(), Caption(), font, FontSizeNow(), Gdiplus::RectF(0.0f, 0.0f, w, h), format.Get());
}

}  // namespace nuv::kop
