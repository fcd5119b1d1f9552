// The NuvOndulo editor page: six wave buttons, the cycle length as a
// frequency slider (smooth frequency mode) or seven interval buttons
// (interval mode), amplitude, offset and pulse width sliders with their
// values, the start-phase markers, the three modes, the four controller
// numbers with learn, and the wave graph. Ranges, defaults and texts come
// from the effect's parameter descriptions; each edit goes through the
// description's setter, which writes the parameter under the settings lock
// and the generator field that follows it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "framework/page/property_page.h"
#include "plugins/ondulo/ondulo_parameters.h"
#include "plugins/ondulo/rate_table.h"
#include "plugins/ondulo/wave_graph.h"
#include "toolkit/kop_gdiplus_slider.h"
#include "toolkit/kop_gdiplus_text_button.h"
#include "toolkit/kop_text_edit.h"
#include "toolkit/kop_transparent_text.h"

namespace nuv::ondulo {

class NuvMfx;

// The template's controls (resource 102).
enum PageControl : int {
    kFrequencySliderId = 1004,
    kOffsetSliderId = 1005,
    kAmplitudeSliderId = 1006,
    kPulseWidthSliderId = 1007,
    kWaveGraphId = 1008,
    kFirstWaveButtonId = 1009,  // Sine .. Random: 1009 to 1014
    kPowerButtonId = 1018,
    kFrequencyLabelId = 1020,
    kOffsetLabelId = 1021,
    kAmplitudeLabelId = 1022,
    kPulseWidthLabelId = 1023,
    kIntervalModeId = 1027,
    kFreqModeId = 1029,
    kFirstControllerFieldId = 1030,  // modulated, frequency, amplitude, offset: 1030 to 1033
    kContinuousId = 1034,
    kNoteActiveId = 1035,
    kRetriggerId = 1036,
    kPeakStartId = 1037,
    kCentreStartId = 1038,
    kTitleId = 1039,
    kBadgeId = 1040,
    kFirstCaptionId = 1041,  // "Modulated CC" .. "P.Width": 1041 to 1048
};

// The interval buttons by interval index ("16th" to "16 Beats").
inline constexpr int kIntervalButtonIds[kRateCount] = {1015, 1016, 1017, 1019, 1024, 1025, 1026};

inline constexpr std::size_t kWaveCount = 6;
inline constexpr std::size_t kControllerFieldCount = 4;
inline constexpr std::size_t kCaptionCount = 8;

// A vertical slider with the value label above it.
struct LabelledSlider {
    kop::KopGdiPlusSlider slider;
    kop::KopTransparentText label;
};

class NuvMfxPropertyPage : public nuv::NuvMfxPropertyPage {
public:
    // [window thread]
    NuvMfxPropertyPage() = default;

    std::array<kop::KopGdiPlusButton, kWaveCount> waveButtons;
    std::array<kop::KopGdiPlusTextButton, kRateCount> intervalButtons;
    kop::KopGdiPlusTextButton freqMode, intervalMode;
    kop::KopGdiPlusTextButton continuous, noteActive, retrigger;
    kop::KopGdiPlusButton peakStart, centreStart;
    LabelledSlider frequency, amplitude, offset, pulseWidth;
    std::array<kop::KopTextEdit, kControllerFieldCount> controllerFields;
    std::array<kop::KopTransparentText, kCaptionCount> captions;
    CWaveGraph waveGraph;

protected:
    ~NuvMfxPropertyPage() override = default;

    // [window thread]
    void InitPage() override;
    // [window thread]
    void ReadDisplayedValues() override;
    // [window thread]
    bool OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The linked effect when it is a NuvOndulo effect, else null.
    NuvMfx* Ondulo() const;
    // The linked effect while handlers may write into it, else null.
    NuvMfx* Editable() const;

    // A slider, its label and the parameter they show.
    struct SliderBinding {
        LabelledSlider& control;
        ParameterIndex parameter;
        int sliderId;
        int labelId;
    };
    std::array<SliderBinding, 4> Sliders();

    void SetUpTexts();
    void SetUpButtons();
    void AddTextButton(int id, kop::KopGdiPlusTextButton& button, const std::wstring& caption,
                       const wchar_t* tooltip, const kop::KopFont& font);
    void SetUpSliders();
    void SetUpControllerFields();

    // Showing values (no writes into the effect).
    void ShowWaveform(std::int32_t waveform);
    void ShowRate(std::int32_t rateIndex);
    void ShowIntervalMode(bool interval, std::int32_t frequencyValue);
    void ShowLearning(std::int32_t learnTarget);
    void ShowSlider(LabelledSlider& control, std::int32_t value);

    // Handlers; each runs only with an editable effect.
    void OnButton(int id);
    void OnSlider(int id, std::int32_t value);
    void OnControllerField(std::size_t field);
    void OnLearn(std::size_t field);
    void EndLearning();
    void SelectIntervalMode(NuvMfx& effect, bool interval);
    // Writes through the parameter's description; marks the page dirty when
    // the parameter is saved.
    void Edit(NuvMfx& effect, ParameterIndex parameter, std::int32_t value);
    std::int32_t Read(NuvMfx& effect, ParameterIndex parameter) const;
};

}  // namespace nuv::ondulo
