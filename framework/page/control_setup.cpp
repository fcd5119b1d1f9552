#include "framework/page/control_setup.h"

#include "framework/page/parameter_controls.h"
#include "toolkit/kop_paint_styles.h"

namespace nuv {

namespace {

constexpr std::size_t kThumbTopColour = 2;
constexpr std::size_t kThumbBottomColour = 3;
constexpr std::size_t kBarColour = 4;

}  // namespace

void AddTitle(kop::KopDialog& page, int id, const std::wstring& caption, float size) {
    page.title.font = kop::KopFont{L"Arial", size, true, true};
    page.title.textColour = kop::ToColourRef(page.colours[kop::kTextColour]);
    page.title.paintStyle = kop::kPaintLightMetalText;
    page.title.captionIsTooltip = true;
    page.AddControl(id, page.title);
    page.title.SetCaption(caption);
}

void AddPowerButton(kop::KopDialog& page, int id) {
    page.powerButton.onColour = kPowerOnColour;
    page.AddControl(id, page.powerButton);
}

void AddLogoBadge(kop::KopDialog& page, int id) {
    page.logoBadge.momentary = false;
    page.AddControl(id, page.logoBadge);
}

void AddCaption(kop::KopDialog& page, int id, kop::KopTransparentText& text, const kop::KopFont& font,
                std::int32_t alignment, kop::ColourRef colour, const std::wstring& caption) {
    text.font = font;
    text.verticalAlignment = alignment;
    text.textColour = colour;
    text.captionIsTooltip = true;
    page.AddControl(id, text);
    text.SetCaption(caption);
}

void AddTextToggle(kop::KopDialog& page, int id, kop::KopGdiPlusTextButton& button, const TextButtonLook& look,
                   const std::wstring& caption) {
    button.paintStyle = kop::kPaintTextButton;
    button.momentary = false;
    button.onColour = look.on;
    button.offColour = look.off;
    button.thirdColour = look.third;
    button.font = look.font;
    page.AddControl(id, button);
    button.SetCaption(caption);
}

void AddCheckBox(kop::KopDialog& page, int id, kop::KopGdiPlusButton& button) {
    button.momentary = false;
    button.paintStyle = kop::kPaintCheckBox;
    page.AddControl(id, button);
}

void AddHorizontalSlider(kop::KopDialog& page, int id, kop::KopGdiPlusSlider& slider,
                         const ParameterDescription& parameter, float pageStep, bool reverseWheel) {
    SetSliderRange(slider, parameter);
    slider.pageStep = pageStep;
    slider.thumbColourTop = page.colours[kThumbTopColour];
    slider.thumbColourBottom = page.colours[kThumbBottomColour];
    slider.barColour = page.colours[kBarColour];
    slider.reverseWheel = reverseWheel;
    slider.paintStyle = kop::kPaintHorizontalSlider;
    page.AddControl(id, slider);
}

}  // namespace nuv
