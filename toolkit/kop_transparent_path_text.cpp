#include "toolkit/kop_transparent_path_text.h"

#include "toolkit/kop_paint_styles.h"

namespace nuv::kop {

namespace gp = win32::gp;

namespace {

constexpr float kDefaultFontSize = 12.0f;
constexpr int kBlendStops = 9;

struct MetalBlend {
    Gdiplus::ARGB colours[kBlendStops];
    float positions[kBlendStops];
};

constexpr MetalBlend kLightMetal = {
    {0xFF595957, 0xFFC1BFC4, 0xFFF9F5F6, 0xFFF0EAEC, 0xFFB2B2B4, 0xFFB0A69A, 0xFFF9F5F6, 0xFFADACB1, 0xFF6D6D6B},
    {0.0f, 0.09f, 0.2f, 0.32f, 0.43f, 0.58f, 0.73f, 0.87f, 1.0f}};

constexpr MetalBlend kWhiteToBlack = {
    {0xFFFFFFFF, 0xFF646464, 0xFF3C3C3C, 0xFF282828, 0xFF1E1E1E, 0xFF141414, 0xFF0A0A0A, 0xFF050505, 0xFF000000},
    {0.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.7f, 0.9f, 1.0f}};

}  // namespace

KopTransparentPathText::KopTransparentPathText() : KopCaptionStatic(KopFont{L"Arial", kDefaultFontSize, false, false}) {}

void KopTransparentPathText::Paint(KopPaintFrame& frame) {
    const MetalBlend* blend = paintStyle == kPaintLightMetalText    ? &kLightMetal
                              : paintStyle == kPaintWhiteToBlackText ? &kWhiteToBlack
                                                                     : nullptr;
    if (blend == nullptr) return;
    const Gdiplus::RectF box(0.0f, 0.0f, static_cast<float>(frame.Width()), static_cast<float>(frame.Height()));
    win32::GpLinearBrushOwner gradient;
    if (gp::GdipCreateLineBrushFromRect(&box, blend->colours[0], blend->colours[kBlendStops - 1],
                                        Gdiplus::LinearGradientModeVertical, Gdiplus::WrapModeTile,
                                        gradient.Put()) != Gdiplus::Ok) {
        return;
    }
    gp::GdipSetLinePresetBlend(gradient.Get(), blend->colours, blend->positions, kBlendStops);
    gp::GdipSetLineGammaCorrection(gradient.Get(), TRUE);
    const win32::GpStringFormatOwner centred =
        MakeStringFormat(Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentCenter);
    FillTextPath(frame.Graphics(), gradient.Get(), Caption(), font, FontSizeNow(), box, centred.Get(), fontCollection);
}

}  // namespace nuv::kop
