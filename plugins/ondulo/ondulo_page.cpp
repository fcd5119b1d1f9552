#include "plugins/ondulo/ondulo_page.h"

#include <string>

#include "framework/page/control_setup.h"
#include "framework/page/parameter_controls.h"
#include "plugins/ondulo/ondulo_effect.h"
#include "toolkit/kop_messages.h"
#include "toolkit/kop_paint_styles.h"

namespace nuv::ondulo {

namespace {

constexpr float kTitleSize = 22.0f;
const kop::KopFont kCaptionFont{L"Arial", 12.0f, false, false};
const kop::KopFont kModeFont{L"Arial", 11.0f, false, false};  // "Continuous" and "Note Active"
constexpr wchar_t kFieldFont[] = L"Arial";
constexpr float kFieldPointSize = 8.0f;

// The page's colours on the teal artwork.
constexpr kop::Argb kButtonOnColour = 0xFF6EF0DC;
constexpr kop::Argb kButtonOffColour = 0xFF8C9B9B;
constexpr kop::Argb kMarkerOnColour = 0xFFFFFFFF;
constexpr kop::Argb kMarkerOffColour = 0xFF4B5A5A;
constexpr kop::Argb kThumbTop = 0xFFE6F0F0;
constexpr kop::Argb kThumbBottom = 0xFF3C6E6E;
constexpr kop::ColourRef kActiveText = 0x00FFFFFF;
constexpr kop::ColourRef kInactiveText = 0x00787878;

constexpr const wchar_t* kIntervalModeTooltip = L"Use a Specific Waveform Interval";
constexpr const wchar_t* kFreqModeTooltip = L"Use Smooth Frequency Mode";
constexpr const wchar_t* kContinuousTooltip = L"Generate the waveform continuously (Free-Running)";
constexpr const wchar_t* kNoteActiveTooltip = L"Generate the waveform only when a note is playing";
constexpr const wchar_t* kRetriggerTooltip = L"Restart the waveform for each new note";
constexpr const wchar_t* kPeakStartTooltip = L"Start the waveform at the peak (Top or Bottom depending on Amplitude)";
constexpr const wchar_t* kCentreStartTooltip = L"Start the waveform in the center (at 0)";
constexpr const wchar_t* kPowerTooltip = L"Activate/Deactivate Plugin";

constexpr std::int32_t kCentreStart = 0;
constexpr std::int32_t kPeakStart = 1;

const ParameterDescription& Described(ParameterIndex parameter) { return Parameters()[parameter]; }

// The parameter of controller field i (modulated, frequency, amplitude, offset).
ParameterIndex ControllerParameter(std::size_t field) {
    return static_cast<ParameterIndex>(kModulatedCCParameter + field);
}

// A stored controller number as its field shows it: 0 and any number that
// is no controller (a damaged stream's) show "OFF", as the field's own rule
// shows 0; no controller arriving can match such a number.
std::wstring ControllerText(std::int32_t number) {
    return DecimalText(number >= 0 && number <= kHighestController ? number : kControllerOff);
}

// The controller field (0..3) of a control identifier, or -1.
int FieldOf(int id) {
    const int field = id - kFirstControllerFieldId;
    return field >= 0 && field < static_cast<int>(kControllerFieldCount) ? field : -1;
}

// The frequency value (eighths of a beat) of an interval's cycle length.
std::int32_t FrequencyValueOf(std::int32_t rateIndex) {
    return TruncatedValue(RateCycle(rateIndex) / kBeatsPerFrequencyStep);
}

void EnableControl(HWND window, bool enabled) { EnableWindow(window, enabled ? TRUE : FALSE); }

void ShowLook(kop::KopTransparentText& label, bool active) {
    label.textColour = active ? kActiveText : kInactiveText;
    label.Repaint();
}

}  // namespace

NuvMfx* NuvMfxPropertyPage::Ondulo() const { return LinkedEngine<NuvMfx>(*this, kIdentity); }

NuvMfx* NuvMfxPropertyPage::Editable() const { return EditableEngine<NuvMfx>(*this, kIdentity); }

// Set-up, after the dialog base's own: texts, tooltips, slider ranges, each
// control measured and registered, and the graph told where the generator is.
void NuvMfxPropertyPage::InitPage() {
    colours = {0xFF000000, 0xFFFFFFFF, kButtonOnColour, 0xFF3C4646, 0xFF6EF0DC};
    SetUpTexts();
    SetUpButtons();
    SetUpSliders();
    SetUpControllerFields();
    waveGraph.generator = [this]() -> const CWaveGenerator* {
        NuvMfx* effect = Ondulo();
        return effect != nullptr ? &effect->generator : nullptr;
    };
    AddControl(kWaveGraphId, waveGraph);
}

void NuvMfxPropertyPage::SetUpTexts() {
    title.font.size = kTitleSize;
    title.SetCaption(L"Ondulo");
    AddControl(kTitleId, title);
    AddControl(kBadgeId, logoBadge);
    const std::wstring texts[kCaptionCount] = {
        Described(kModulatedCCParameter).label, Described(kFrequencyCCParameter).label,
        Described(kAmplitudeCCParameter).label, Described(kOffsetCCParameter).label,
        Described(kAmplitudeParameter).label,   Described(kOffsetParameter).label,
        Described(kPulseWidthParameter).label,  std::wstring(Described(kModeParameter).label) + L":",
    };
    for (std::size_t i = 0; i < kCaptionCount; ++i) {
        captions[i].font = kCaptionFont;
        AddControl(kFirstCaptionId + static_cast<int>(i), captions[i]);
        captions[i].SetCaption(texts[i]);
    }
}

void NuvMfxPropertyPage::SetUpButtons() {
    AddPowerButton(*this, kPowerButtonId);
    powerButton.SetTooltip(kPowerTooltip);

    for (std::size_t i = 0; i < kWaveCount; ++i) {
        kop::KopGdiPlusButton& button = waveButtons[i];
        button.paintStyle = kop::kPaintWaveformIcon;
        button.icon = kop::kIconSine + static_cast<std::int32_t>(i);
        button.momentary = false;
        AddControl(kFirstWaveButtonId + static_cast<int>(i), button);
        button.SetTooltip(std::wstring(ChoiceLabel(Described(kWaveformParameter), static_cast<std::int32_t>(i))) +
                          L" Wave");
    }
    const struct {
        kop::KopGdiPlusButton& button;
        int id;
        const wchar_t* tooltip;
    } markers[] = {{peakStart, kPeakStartId, kPeakStartTooltip}, {centreStart, kCentreStartId, kCentreStartTooltip}};
    for (const auto& marker : markers) {
        marker.button.paintStyle = kop::kPaintTriangleRight;
        marker.button.checkedColour = kMarkerOnColour;
        marker.button.uncheckedColour = kMarkerOffColour;
        marker.button.momentary = false;
        AddControl(marker.id, marker.button);
        marker.button.SetTooltip(marker.tooltip);
    }

    const ParameterDescription& modes = Described(kModeParameter);
    const struct {
        kop::KopGdiPlusTextButton& button;
        int id;
        std::wstring caption;
        const wchar_t* tooltip;
        const kop::KopFont& font;
    } buttons[] = {
        {freqMode, kFreqModeId, Described(kFrequencyParameter).label, kFreqModeTooltip, kCaptionFont},
        {intervalMode, kIntervalModeId, Described(kIntervalParameter).label, kIntervalModeTooltip, kCaptionFont},
        {continuous, kContinuousId, ChoiceLabel(modes, kContinuous), kContinuousTooltip, kModeFont},
        {noteActive, kNoteActiveId, ChoiceLabel(modes, kNoteActive), kNoteActiveTooltip, kModeFont},
        {retrigger, kRetriggerId, Described(kRetriggerParameter).label, kRetriggerTooltip, kCaptionFont},
    };
    for (const auto& entry : buttons) AddTextButton(entry.id, entry.button, entry.caption, entry.tooltip, entry.font);
    for (std::int32_t i = 0; i < kRateCount; ++i) {
        AddTextButton(kIntervalButtonIds[i], intervalButtons[static_cast<std::size_t>(i)], RateTable[i].label,
                      RateTable[i].tooltip, kCaptionFont);
    }
}

void NuvMfxPropertyPage::AddTextButton(int id, kop::KopGdiPlusTextButton& button, const std::wstring& caption,
                                       const wchar_t* tooltip, const kop::KopFont& font) {
    AddTextToggle(*this, id, button, TextButtonLook{kButtonOnColour, kButtonOffColour, kop::Argb{0xFF000000}, font},
                  caption);
    button.SetTooltip(tooltip);
}

std::array<NuvMfxPropertyPage::SliderBinding, 4> NuvMfxPropertyPage::Sliders() {
    return {{{frequency, kFrequencyParameter, kFrequencySliderId, kFrequencyLabelId},
             {amplitude, kAmplitudeParameter, kAmplitudeSliderId, kAmplitudeLabelId},
             {offset, kOffsetParameter, kOffsetSliderId, kOffsetLabelId},
             {pulseWidth, kPulseWidthParameter, kPulseWidthSliderId, kPulseWidthLabelId}}};
}

void NuvMfxPropertyPage::SetUpSliders() {
    for (const SliderBinding& entry : Sliders()) {
        const ParameterDescription& parameter = Described(entry.parameter);
        kop::KopGdiPlusSlider& slider = entry.control.slider;
        slider.SetRange(static_cast<float>(parameter.minimum), static_cast<float>(parameter.maximum));
        slider.defaultValue = static_cast<float>(parameter.defaultValue);
        slider.vertical = true;
        slider.paintStyle = kop::kPaintVerticalSlider;
        slider.thumbColourTop = kThumbTop;
        slider.thumbColourBottom = kThumbBottom;
        AddControl(entry.sliderId, slider);
        entry.control.label.font = kCaptionFont;
        AddControl(entry.labelId, entry.control.label);
        entry.control.label.SetCaption(DecimalText(0));
    }
}

// Integers up to the highest controller; 0 shows as "OFF".
void NuvMfxPropertyPage::SetUpControllerFields() {
    for (std::size_t i = 0; i < kControllerFieldCount; ++i) {
        kop::KopTextEdit& field = controllerFields[i];
        field.maximum = Described(ControllerParameter(i)).maximum;
        AddControl(kFirstControllerFieldId + static_cast<int>(i), field);
        field.SetFont(kFieldFont, kFieldPointSize, true);
    }
}

std::int32_t NuvMfxPropertyPage::Read(NuvMfx& effect, ParameterIndex parameter) const {
    return Described(parameter).get(effect);
}

void NuvMfxPropertyPage::Edit(NuvMfx& effect, ParameterIndex parameter, std::int32_t value) {
    const ParameterDescription& described = Described(parameter);
    described.set(effect, value);
    if (described.saved) MarkDirty();
}

// Every displayed value from the effect, each read under the settings lock
// on its own. A refresh only shows: it writes nothing back, so that it cannot
// overwrite a value the engine changed after it was read. Values the
// controls cannot hold (a damaged stream's) show as the engine uses them:
// the interval index and the sliders clamped into their ranges, any mode but
// "Continuous" as "Note Active", any start but the peak as the centre.
void NuvMfxPropertyPage::ReadDisplayedValues() {
    NuvMfx* effect = Ondulo();
    if (effect == nullptr) return;
    const bool wasSetUp = setUp;
    setUp = false;  // the controls' own notifications write nothing meanwhile
    ShowWaveform(Read(*effect, kWaveformParameter));
    const std::int32_t rate = ClampedRateIndex(Read(*effect, kIntervalParameter));
    ShowRate(rate);
    const std::int32_t mode = Read(*effect, kModeParameter);
    continuous.SetChecked(mode == kContinuous);
    noteActive.SetChecked(mode != kContinuous);
    retrigger.SetChecked(Read(*effect, kRetriggerParameter) != 0);
    const std::int32_t start = Read(*effect, kStartParameter);
    peakStart.SetChecked(start == kPeakStart);
    centreStart.SetChecked(start != kPeakStart);
    const std::int32_t frequencyValue = Read(*effect, kFrequencyParameter);
    ShowSlider(frequency, frequencyValue);
    ShowSlider(amplitude, Read(*effect, kAmplitudeParameter));
    ShowSlider(offset, Read(*effect, kOffsetParameter));
    ShowSlider(pulseWidth, Read(*effect, kPulseWidthParameter));
    for (std::size_t i = 0; i < kControllerFieldCount; ++i) {
        SetWindowTextW(controllerFields[i].Handle(), ControllerText(Read(*effect, ControllerParameter(i))).c_str());
    }
    ShowLearning(ReadLocked(effect->settingsLock, effect->learnTarget));
    const bool interval = ReadLocked(effect->settingsLock, effect->useInterval) != 0;
    ShowIntervalMode(interval, interval ? FrequencyValueOf(rate) : frequencyValue);
    setUp = wasSetUp;
}

void NuvMfxPropertyPage::ShowSlider(LabelledSlider& control, std::int32_t value) {
    control.slider.SetValue(static_cast<float>(value));
    control.label.SetCaption(DecimalText(static_cast<std::int32_t>(control.slider.Value())));
}

// The six wave buttons; the pulse width only for the Pulse wave (a drag on
// its slider ends otherwise); the graph.
void NuvMfxPropertyPage::ShowWaveform(std::int32_t waveform) {
    for (std::size_t i = 0; i < kWaveCount; ++i) waveButtons[i].SetChecked(static_cast<std::int32_t>(i) == waveform);
    const bool pulse = waveform == kPulse;
    pulseWidth.slider.SetEnabled(pulse);
    EnableControl(pulseWidth.label.Handle(), pulse);
    ShowLook(pulseWidth.label, pulse);
    waveGraph.Repaint();
}

void NuvMfxPropertyPage::ShowRate(std::int32_t rateIndex) {
    for (std::int32_t i = 0; i < kRateCount; ++i) intervalButtons[static_cast<std::size_t>(i)].SetChecked(i == rateIndex);
}

// Interval mode shows the interval buttons and the chosen cycle's frequency
// value; smooth frequency mode the slider (at the value, clamped) and its value.
void NuvMfxPropertyPage::ShowIntervalMode(bool interval, std::int32_t frequencyValue) {
    freqMode.SetChecked(!interval);
    intervalMode.SetChecked(interval);
    frequency.slider.SetEnabled(!interval);
    for (kop::KopGdiPlusTextButton& button : intervalButtons) EnableControl(button.Handle(), interval);
    if (interval) {
        frequency.label.SetCaption(DecimalText(frequencyValue));
    } else {
        ShowSlider(frequency, frequencyValue);
    }
    ShowLook(frequency.label, !interval);
    waveGraph.Repaint();
}

void NuvMfxPropertyPage::ShowLearning(std::int32_t learnTarget) {
    for (std::size_t i = 0; i < kControllerFieldCount; ++i) {
        controllerFields[i].SetLearning(learnTarget == kLearnModulated + static_cast<std::int32_t>(i));
    }
}

bool NuvMfxPropertyPage::OnPageMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const int id = static_cast<int>(wParam);
    const int field = FieldOf(id);
    const bool fromField = field >= 0;
    switch (message) {
    case kop::WM_BUTTON_LEFT_PRESSED:
        OnButton(id);
        return false;
    case kop::WM_SLIDER_CHANGING:
    case kop::WM_SLIDER_CHANGED:
        OnSlider(id, static_cast<std::int32_t>(lParam));
        result = 0;
        return true;
    case kop::WM_TEXT_LEARN:
        if (fromField) OnLearn(static_cast<std::size_t>(field));
        result = 0;
        return true;
    case kop::WM_TEXT_CANCEL:
    case kop::WM_TEXT_WHEEL:
    case kop::WM_TEXT_KEY:
        if (fromField) EndLearning();
        result = 0;
        return true;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && FieldOf(LOWORD(wParam)) >= 0) {
            OnControllerField(static_cast<std::size_t>(FieldOf(LOWORD(wParam))));
        }
        return false;
    default:
        return false;
    }
}

void NuvMfxPropertyPage::OnButton(int id) {
    NuvMfx* effect = Editable();
    if (effect == nullptr) return;
    const int wave = id - kFirstWaveButtonId;
    if (wave >= 0 && wave < static_cast<int>(kWaveCount)) {
        Edit(*effect, kWaveformParameter, wave);
        ShowWaveform(wave);
        return;
    }
    for (std::int32_t i = 0; i < kRateCount; ++i) {
        if (id != kIntervalButtonIds[i]) continue;
        Edit(*effect, kIntervalParameter, i);
        ShowRate(i);
        frequency.label.SetCaption(DecimalText(Read(*effect, kFrequencyParameter)));
        waveGraph.Repaint();
        return;
    }
    switch (id) {
    case kFreqModeId:
    case kIntervalModeId:
        SelectIntervalMode(*effect, id == kIntervalModeId);
        break;
    case kContinuousId:
    case kNoteActiveId: {
        const bool noteActiveChosen = id == kNoteActiveId;
        Edit(*effect, kModeParameter, noteActiveChosen ? kNoteActive : kContinuous);
        continuous.SetChecked(!noteActiveChosen);
        noteActive.SetChecked(noteActiveChosen);
        break;
    }
    case kRetriggerId:
        Edit(*effect, kRetriggerParameter, retrigger.Checked() ? 1 : 0);
        break;
    case kPeakStartId:
    case kCentreStartId: {
        const bool peak = id == kPeakStartId;
        Edit(*effect, kStartParameter, peak ? kPeakStart : kCentreStart);
        peakStart.SetChecked(peak);
        centreStart.SetChecked(!peak);
        waveGraph.Repaint();
        break;
    }
    default:
        break;
    }
}

// "Interval" sets the cycle length of the chosen interval (as its button
// does); "Freq" leaves the cycle alone until the slider moves.
void NuvMfxPropertyPage::SelectIntervalMode(NuvMfx& effect, bool interval) {
    SetIntervalMode(effect, interval ? 1 : 0);
    if (interval) {
        const std::int32_t rate = ClampedRateIndex(Read(effect, kIntervalParameter));
        Described(kIntervalParameter).set(effect, rate);
        ShowRate(rate);
    }
    ShowIntervalMode(interval, Read(effect, kFrequencyParameter));
    MarkDirty();
}

// A notification that a slider posted before it was disabled (the end of a
// drag that a mode or wave change cut short) arrives after the change, and
// is not taken: in interval mode it would glide the cycle away from the
// interval's.
void NuvMfxPropertyPage::OnSlider(int id, std::int32_t value) {
    NuvMfx* effect = Editable();
    if (effect == nullptr) return;
    for (const SliderBinding& entry : Sliders()) {
        if (entry.sliderId != id) continue;
        if (!entry.control.slider.Enabled()) return;
        Edit(*effect, entry.parameter, value);
        entry.control.label.SetCaption(DecimalText(value));
        waveGraph.Repaint();
        return;
    }
}

// The field's value when it differs from the stored one: the field also
// reports the changes of its own making (a refused entry put back).
void NuvMfxPropertyPage::OnControllerField(std::size_t field) {
    NuvMfx* effect = Editable();
    if (effect == nullptr) return;
    const ParameterIndex parameter = ControllerParameter(field);
    const std::int32_t value = controllerFields[field].IntegerValue();
    if (value != Read(*effect, parameter)) Edit(*effect, parameter, value);
}

// The engine learns the next live controller into the field's parameter,
// clears the request and sets the refresh flag; the refresh then shows it.
void NuvMfxPropertyPage::OnLearn(std::size_t field) {
    NuvMfx* effect = Editable();
    if (effect == nullptr) return;
    const std::int32_t target = kLearnModulated + static_cast<std::int32_t>(field);
    WriteLocked(effect->settingsLock, effect->learnTarget, target);
    ShowLearning(target);
}

void NuvMfxPropertyPage::EndLearning() {
    NuvMfx* effect = Editable();
    if (effect == nullptr) return;
    WriteLocked(effect->settingsLock, effect->learnTarget, kLearnNone);
    effect->refreshFlag = 1;
    ShowLearning(kLearnNone);
}

}  // namespace nuv::ondulo
