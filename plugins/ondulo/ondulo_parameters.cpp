#include "plugins/ondulo/ondulo_parameters.h"

#include "plugins/ondulo/ondulo_effect.h"
#include "plugins/ondulo/rate_table.h"

namespace nuv::ondulo {

namespace {

NuvMfx& Engine(NuvMfxShell& effect) { return static_cast<NuvMfx&>(effect); }

void SetWaveform(NuvMfxShell& effect, std::int32_t value) {
    NuvMfx& e = Engine(effect);
    WriteLocked(e.settingsLock, e.waveform, value);
    e.generator.waveform = value;
}

// Choosing an interval is interval mode, with the cycle length at once.
void SetInterval(NuvMfxShell& effect, std::int32_t value) {
    NuvMfx& e = Engine(effect);
    const std::int32_t index = ClampedRateIndex(value);
    SetIntervalMode(e, 1);
    e.generator.SetCycleLengthNow(RateCycle(index));
    e.generator.rateIndex = index;
    WriteLocked(e.settingsLock, e.rateIndex, index);
    WriteLocked(e.settingsLock, e.freeCycle, RateCycle(index));
}

// The frequency slider's value in eighths of a beat: smooth frequency mode,
// gliding to the new cycle length.
std::int32_t GetFrequency(NuvMfxShell& effect) {
    NuvMfx& e = Engine(effect);
    return TruncatedValue(ReadLocked(e.settingsLock, e.freeCycle) / kBeatsPerFrequencyStep);
}
void SetFrequency(NuvMfxShell& effect, std::int32_t value) {
    NuvMfx& e = Engine(effect);
    const float x = static_cast<float>(value) * kBeatsPerFrequencyStep;
    SetIntervalMode(e, 0);
    WriteLocked(e.settingsLock, e.freeCycle, x > 0.0f ? x : RateCycle(0));
    e.generator.GlideCycleLength(x);
}

void SetAmplitude(NuvMfxShell& effect, std::int32_t value) {
    NuvMfx& e = Engine(effect);
    WriteLocked(e.settingsLock, e.amplitude, static_cast<float>(value));
    e.generator.GlideAmplitude(static_cast<float>(value));
}

void SetOffset(NuvMfxShell& effect, std::int32_t value) {
    NuvMfx& e = Engine(effect);
    WriteLocked(e.settingsLock, e.offset, static_cast<float>(value));
    e.generator.offset = static_cast<float>(value);
}

void SetPulseWidth(NuvMfxShell& effect, std::int32_t value) {
    NuvMfx& e = Engine(effect);
    WriteLocked(e.settingsLock, e.pulseWidth, static_cast<float>(value));
    e.generator.pulseWidth = static_cast<float>(value);
}

void SetStart(NuvMfxShell& effect, std::int32_t value) {
    NuvMfx& e = Engine(effect);
    WriteLocked(e.settingsLock, e.startAtPeak, value);
    e.generator.startAtPeak = value;
}

constexpr ParameterChoice kWaveforms[] = {
    {L"Sine", kSine}, {L"Square", kSquare}, {L"Triangle", kTriangle},
    {L"Sawtooth", kSawtooth}, {L"Pulse", kPulse}, {L"Random", kRandom},
};
constexpr ParameterChoice kIntervals[kRateCount] = {
    {RateTable[0].label, 0}, {RateTable[1].label, 1}, {RateTable[2].label, 2}, {RateTable[3].label, 3},
    {RateTable[4].label, 4}, {RateTable[5].label, 5}, {RateTable[6].label, 6},
};
constexpr ParameterChoice kModes[] = {{L"Continuous", kContinuous}, {L"Note Active", kNoteActive}};
constexpr ParameterChoice kStarts[] = {{L"Center", 0}, {L"Peak", 1}};

constexpr const wchar_t* kWaveformAliases[] = {L"wave"};
constexpr const wchar_t* kIntervalAliases[] = {L"rateindex"};
constexpr const wchar_t* kFrequencyAliases[] = {L"frequency"};
constexpr const wchar_t* kAmplitudeAliases[] = {L"amplitude"};
constexpr const wchar_t* kOffsetAliases[] = {L"offset"};
constexpr const wchar_t* kPulseWidthAliases[] = {L"pulsewidth"};
constexpr const wchar_t* kStartAliases[] = {L"startatpeak"};

constexpr wchar_t kOffNote[] = L"0 is OFF";

constexpr ParameterDescription ControllerParameter(const wchar_t* label, std::int32_t defaultValue,
                                                   void (*set)(NuvMfxShell&, std::int32_t),
                                                   std::int32_t (*get)(NuvMfxShell&)) {
    return {label, {}, ParameterKind::Integer, kControllerOff, kHighestController, defaultValue, L"", kOffNote, true,
            {},    get, set};
}

constexpr ParameterDescription kParameters[] = {
    {L"Waveform", kWaveformAliases, ParameterKind::Choice, kSine, kRandom, kSine, L"", L"", true, kWaveforms,
     &ReadField<&NuvMfx::waveform>, &SetWaveform},
    {L"Interval", kIntervalAliases, ParameterKind::Choice, 0, kRateCount - 1, kDefaultRateIndex, L"",
     L"sets the Interval mode", true, kIntervals, &ReadField<&NuvMfx::rateIndex>, &SetInterval},
    {L"Freq", kFrequencyAliases, ParameterKind::Float, kFrequencyValueMin, kFrequencyValueMax,
     static_cast<std::int32_t>(kDefaultFreeCycle / kBeatsPerFrequencyStep), L"eighths of a beat per cycle",
     L"sets the Freq mode", true, {}, &GetFrequency, &SetFrequency},
    {L"Amp", kAmplitudeAliases, ParameterKind::Float, kLevelMin, kLevelMax,
     static_cast<std::int32_t>(kDefaultAmplitude), L"", L"", true, {}, &ReadField<&NuvMfx::amplitude>, &SetAmplitude},
    {L"Off", kOffsetAliases, ParameterKind::Float, kLevelMin, kLevelMax, static_cast<std::int32_t>(kDefaultOffset), L"",
     L"", true, {}, &ReadField<&NuvMfx::offset>, &SetOffset},
    {L"P.Width", kPulseWidthAliases, ParameterKind::Float, kPulseWidthMin, kPulseWidthMax,
     static_cast<std::int32_t>(kDefaultPulseWidth), L"", L"", true, {}, &ReadField<&NuvMfx::pulseWidth>,
     &SetPulseWidth},
    ControllerParameter(L"Modulated CC", kDefaultModulatedCC, &WriteField<&NuvMfx::modulatedCC>,
                        &ReadField<&NuvMfx::modulatedCC>),
    ControllerParameter(L"Frequency CC", kControllerOff, &WriteField<&NuvMfx::frequencyCC>,
                        &ReadField<&NuvMfx::frequencyCC>),
    ControllerParameter(L"Amplitude CC", kControllerOff, &WriteField<&NuvMfx::amplitudeCC>,
                        &ReadField<&NuvMfx::amplitudeCC>),
    ControllerParameter(L"Offset CC", kControllerOff, &WriteField<&NuvMfx::offsetCC>, &ReadField<&NuvMfx::offsetCC>),
    {L"Mode", {}, ParameterKind::Choice, kContinuous, kNoteActive, kNoteActive, L"", L"", true, kModes,
     &ReadField<&NuvMfx::mode>, &WriteField<&NuvMfx::mode>},
    {L"Retrigger", {}, ParameterKind::Switch, 0, 1, 0, L"", L"", false, {}, &ReadField<&NuvMfx::retrigger>,
     &WriteField<&NuvMfx::retrigger>},
    {L"Start", kStartAliases, ParameterKind::Choice, 0, 1, 0, L"", L"", true, kStarts, &ReadField<&NuvMfx::startAtPeak>,
     &SetStart},
    EnabledParameter(),
};
static_assert(std::size(kParameters) == kParameterCount);

}  // namespace

ParameterList Parameters() { return kParameters; }

void SetIntervalMode(NuvMfx& effect, std::int32_t on) {
    WriteLocked(effect.settingsLock, effect.useInterval, on);
    effect.generator.useInterval = on;
}

}  // namespace nuv::ondulo
