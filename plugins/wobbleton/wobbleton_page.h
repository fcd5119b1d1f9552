// The editor page of NuvWobbleton: two vertical sliders for "Amp" and "Freq"
// with their numbers, a preview of a random curve for the present settings
// with its axis labels, the title, the on/off button (which also begins and
// ends the host's pulses) and the logo badge.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "framework/page/property_page.h"
#include "framework/spline_polyline.h"
#include "plugins/wobbleton/wobbleton_effect.h"
#include "toolkit/kop_gdiplus_slider.h"
#include "toolkit/kop_transparent_text.h"
#include "toolkit/spline_control.h"

namespace nuv::wobbleton {

// The controls of the page's template.
enum WobbletonPageControl : int {
    kFreqSliderId = 1005,
    kAmpSliderId = 1006,
    kPreviewId = 1008,
    kLogoBadgeId = 1017,
    kPowerButtonId = 1018,
    kTitleId = 1019,
    kAmpNumberId = 1029,
    kFreqNumberId = 1030,
    kAmpLabelId = 1031,
    kFreqLabelId = 1032,
    kTopAxisLabelId = 1033,
    kBottomAxisLabelId = 1034,
    kMiddleAxisLabelId = 1035,
};

// The preview's own random sequence starts from this seed at every build, so
// the same settings always show the same curve.
inline constexpr std::uint32_t kPreviewSeed = 4;

// The two settings the sliders set, in this order.
inline constexpr std::size_t kSettingCount = 2;

class WobbletonPage : public NuvMfxPropertyPage {
public:
    // [window thread]
    WobbletonPage() = default;

    // The preview's points in the display's units (x 0 to 255 across, the
    // centre line at 64); the preview display draws them.
    const std::vector<SplinePoint>& PreviewPoints() const { return preview_; }

    kop::CSplineControl preview;
    std::array<kop::KopGdiPlusSlider, kSettingCount> sliders;   // amp, freq
    std::array<kop::KopTransparentText, kSettingCount> numbers;  // amp, freq
    std::array<kop::KopTransparentText, kSettingCount> labels;   // "Amp", "Freq"
    std::array<kop::KopTransparentText, 3> axisLabels;           // "4096", "0", "-4096"

protected:
    ~WobbletonPage() override = default;

    // [window thread]
    void InitPage() override;
    // [window thread]
    void ReadDisplayedValues() override;
    // [window thread]
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The linked effect when it is a NuvWobbleton effect; null otherwise.
    NuvMfx* Engine() const;
    void AddSliders();
    void AddTexts();
    void BuildPreview();
    void OnSliderMoved(std::size_t setting);
    void OnPowerCommand();
    void MarkDirtyWhenSetUp();

    std::vector<SplinePoint> preview_;
};

}  // namespace nuv::wobbleton
