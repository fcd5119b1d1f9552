#include "plugins/wobbleton/wobbleton_page.h"

#include <string>

#include "framework/random_source.h"
#include "framework/page/control_setup.h"
#include "framework/page/parameter_controls.h"
#include "platform/sync.h"
#include "plugins/wobbleton/wobbleton_parameters.h"
#include "toolkit/kop_colour.h"
#include "toolkit/kop_messages.h"
#include "toolkit/kop_paint_styles.h"

namespace nuv::wobbleton {

namespace {

constexpr wchar_t kTitle[] = L"Wobbleton";
constexpr float kTitleSize = 40.0f;
const kop::KopFont kSmallFont{L"Arial", 11.0f, true, false};  // slider labels and numbers
const kop::KopFont kAxisFont{L"Arial", 12.0f, true, false};
constexpr kop::ColourRef kSmallTextColour = 0x00F0F0F0;

// The first colour stays at the base's default.
constexpr std::array<std::uint32_t, 5> kPageColours{kop::kDefaultPageColour, 0xFF939073, 0xFFC5C2A5, 0xFF615E41,
                                                    0x5064C864};
constexpr std::size_t kThumbTopColour = 2;
constexpr std::size_t kThumbBottomColour = 3;
constexpr std::size_t kBarColour = 4;
constexpr float kSliderPageStep = 4.0f;

// The axis labels from the top down: the preview spans the wheel's range.
constexpr int kAxisLabelIds[] = {kTopAxisLabelId, kMiddleAxisLabelId, kBottomAxisLabelId};
constexpr const wchar_t* kAxisTexts[] = {L"4096", L"0", L"-4096"};

// The preview: breakpoints every freq + 7 units from 0 while below 257,
// spread up to amp either side of the centre line; the last one moved to
// the right end at 255 with a fresh random height.
constexpr float kPreviewCentre = 64.0f;
constexpr float kPreviewSpacingBeyondFreq = 7.0f;
constexpr float kPreviewLimit = 257.0f;
constexpr float kPreviewEnd = 255.0f;

struct SettingFacts {
    int sliderId;
    int numberId;
    int labelId;
    ParameterIndex parameter;
};
constexpr SettingFacts kSettings[kSettingCount] = {
    {kAmpSliderId, kAmpNumberId, kAmpLabelId, kAmpParameter},
    {kFreqSliderId, kFreqNumberId, kFreqLabelId, kFreqParameter},
};

const ParameterDescription& Described(ParameterIndex index) { return Parameters()[index]; }

// The sliders run from their minimum at the top to their maximum at the
// bottom, but show their bar from the bottom, where the largest setting is:
// a slider value and its setting mirror each other within the range.
float Mirrored(const kop::KopGdiPlusSlider& slider, float value) {
    return slider.Minimum() < 0.0f ? -value : slider.Maximum() + slider.Minimum() - value;
}

float RandomFraction(RandomSource& random) {
    return static_cast<float>(random.Next()) / static_cast<float>(RandomSource::kMax);
}

}  // namespace

NuvMfx* WobbletonPage::Engine() const { return LinkedEngine<NuvMfx>(*this, kIdentity); }

// Inside Activate, before the first refresh.
void WobbletonPage::InitPage() {
    colours = kPageColours;
    AddTitle(*this, kTitleId, kTitle, kTitleSize);

    AddControl(kPreviewId, preview);
    preview.ShowOutsidePoints(&preview_);
    preview.lineWidth = 0.0f;
    AddSliders();
    AddTexts();

    AddPowerButton(*this, kPowerButtonId);
    AddLogoBadge(*this, kLogoBadgeId);

    BuildPreview();
    InvalidateRect(Handle(), nullptr, TRUE);
}

// Range and default from the parameter, the default as a slider value.
void WobbletonPage::AddSliders() {
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        const ParameterDescription& parameter = Described(kSettings[i].parameter);
        kop::KopGdiPlusSlider& slider = sliders[i];
        slider.SetRange(static_cast<float>(parameter.minimum), static_cast<float>(parameter.maximum));
        slider.defaultValue = Mirrored(slider, static_cast<float>(parameter.defaultValue));
        slider.SetValue(slider.defaultValue);
        slider.pageStep = kSliderPageStep;
        slider.paintStyle = kop::kPaintVerticalSlider;
        slider.vertical = true;
        slider.barFromFarEnd = true;
        slider.thumbColourTop = colours[kThumbTopColour];
        slider.thumbColourBottom = colours[kThumbBottomColour];
        slider.barColour = colours[kBarColour];
        slider.reverseWheel = false;
        AddControl(kSettings[i].sliderId, slider);
    }
}

// Every text shows its caption as its tooltip too.
void WobbletonPage::AddTexts() {
    const auto add = [this](kop::KopTransparentText& text, int id, const kop::KopFont& font, const wchar_t* caption) {
        text.font = font;
        text.verticalAlignment = kop::kAlignBottom;
        text.textColour = kSmallTextColour;
        text.captionIsTooltip = true;
        AddControl(id, text);
        text.SetCaption(caption);
    };
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        add(labels[i], kSettings[i].labelId, kSmallFont, Described(kSettings[i].parameter).label);
    }
    for (std::size_t i = 0; i < axisLabels.size(); ++i) add(axisLabels[i], kAxisLabelIds[i], kAxisFont, kAxisTexts[i]);
    for (std::size_t i = kSettingCount; i-- > 0;) add(numbers[i], kSettings[i].numberId, kSmallFont, L"");
}

// From the settings as the engine uses them (within the page's ranges), so
// that any stored value gives a preview that ends. Nothing without an effect.
void WobbletonPage::BuildPreview() {
    preview_.clear();
    if (NuvMfx* engine = Engine()) {
        const float a = UsableAmp(ReadLocked(engine->settingsLock, engine->amp));
        const float f = UsableFreq(ReadLocked(engine->settingsLock, engine->freq));
        const float spacing = f + kPreviewSpacingBeyondFreq;
        RandomSource random(kPreviewSeed);
        for (float x = 0.0f; x < kPreviewLimit; x += spacing) {
            preview_.push_back({x, kPreviewCentre - a + RandomFraction(random) * 2.0f * a});
        }
        preview_.back() = {kPreviewEnd, kPreviewCentre - a + RandomFraction(random) * 2.0f * a};
    }
    preview.RecomputeCurve();
}

// The sliders and numbers show the stored settings (truncated), and the
// preview follows them.
void WobbletonPage::ReadDisplayedValues() {
    NuvMfx* engine = Engine();
    if (engine == nullptr) return;
    for (std::size_t i = 0; i < kSettingCount; ++i) {
        const std::int32_t setting = Described(kSettings[i].parameter).get(*engine);
        const float value = Mirrored(sliders[i], static_cast<float>(setting));
        if (value != sliders[i].Value()) sliders[i].SetValue(value);
        numbers[i].SetCaption(DecimalText(setting));
    }
    BuildPreview();
    preview.Repaint();
}

bool WobbletonPage::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == kop::WM_SLIDER_CHANGED || message == kop::WM_SLIDER_CHANGING) {
        for (std::size_t i = 0; i < kSettingCount; ++i) {
            if (static_cast<int>(wParam) == kSettings[i].sliderId) OnSliderMoved(i);
        }
        result = 0;
        return true;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == kPowerButtonId && lParam != 0 && kop::IsStaticClick(wParam, true)) {
        OnPowerCommand();
        result = 0;
        return true;
    }
    return false;
}

void WobbletonPage::OnSliderMoved(std::size_t setting) {
    NuvMfx* engine = Engine();
    if (engine == nullptr) return;
    const kop::KopGdiPlusSlider& slider = sliders[setting];
    const std::int32_t value = TruncatedValue(Mirrored(slider, slider.Value()));
    Described(kSettings[setting].parameter).set(*engine, value);
    numbers[setting].SetCaption(DecimalText(value));
    BuildPreview();
    preview.Repaint();
    MarkDirtyWhenSetUp();
}

// The button's state becomes the enabled flag, and the host's pulses begin
// or end with it.
void WobbletonPage::OnPowerCommand() {
    NuvMfx* engine = Engine();
    if (engine == nullptr || !setUp) return;
    Described(kEnabledParameter).set(*engine, powerButton.Checked() ? 1 : 0);
}

void WobbletonPage::MarkDirtyWhenSetUp() {
    if (setUp && Engine() != nullptr) MarkDirty();
}

}  // namespace nuv::wobbleton
