// The table of the six effects and their parameters. Each parameter reads and
// writes the engine's public fields directly; the tool sets them before any
// processing, on its one thread, so no page or host thread shares them yet.
// The names are those the pages show (normalised: "Note Vel." is notevel),
// and the engine's field names are accepted too.
#include <algorithm>
#include <iterator>

#include "plugins/gapkeeper/gapkeeper_effect.h"
#include "plugins/ondulo/ondulo_effect.h"
#include "plugins/ondulo/rate_table.h"
#include "plugins/shiftwell/shiftwell_effect.h"
#include "plugins/sloppet/sloppet_effect.h"
#include "plugins/velocurve/velocurve_effect.h"
#include "plugins/wobbleton/wobbleton_effect.h"
#include "tools/nuvfx/effect_registry.h"
#include "tools/nuvfx/parameter_value.h"

namespace nuv::nuvfx {
namespace {

template <class T>
T& As(NuvMfxShell& shell) {
    return static_cast<T&>(shell);
}

template <class Field>
struct ValueOf {
    using type = Field;
};
template <class Field>
struct ValueOf<Relaxed<Field>> {
    using type = Field;
};

// A parameter that is one field of the engine, stored as it is set.
template <class T, class Field>
ParamInfo FieldParam(std::string name, std::vector<std::string> aliases, ParamKind kind, std::int32_t min,
                     std::int32_t max, Field T::*field) {
    ParamInfo p;
    p.name = std::move(name);
    p.aliases = std::move(aliases);
    p.kind = kind;
    p.min = kind == ParamKind::Switch ? 0 : min;
    p.max = kind == ParamKind::Switch ? 1 : max;
    p.get = [field](NuvMfxShell& s) { return static_cast<std::int32_t>(As<T>(s).*field); };
    p.set = [field](NuvMfxShell& s, std::int32_t v) { As<T>(s).*field = static_cast<typename ValueOf<Field>::type>(v); };
    return p;
}

template <class T, class Field>
ParamInfo SwitchParam(std::string name, std::vector<std::string> aliases, Field T::*field) {
    return FieldParam<T>(std::move(name), std::move(aliases), ParamKind::Switch, 0, 1, field);
}

template <class T, class Field>
ParamInfo ChoiceParam(std::string name, std::vector<std::string> aliases, std::vector<Choice> choices,
                      Field T::*field) {
    ParamInfo p = FieldParam<T>(std::move(name), std::move(aliases), ParamKind::Choice, 0, 0, field);
    p.choices = std::move(choices);
    return p;
}

template <class T>
ComRef<NuvMfxShell> Make() {
    return ComRef<NuvMfxShell>(new T);
}

ParamInfo WithNote(ParamInfo p, std::string note) {
    p.note = std::move(note);
    return p;
}

ParamInfo Unsaved(ParamInfo p) {
    p.note = "not saved with the settings";
    p.saved = false;
    return p;
}

// NuvShiftwell: the shift and the group value agree in the instance that sets
// them, as the page keeps them.
EffectInfo Shiftwell() {
    using shiftwell::NuvMfx;
    ParamInfo shift = FieldParam<NuvMfx>("shift", {}, ParamKind::Integer, -24, 24, &NuvMfx::shift);
    shift.get = [](NuvMfxShell& s) { return As<NuvMfx>(s).EffectiveShift(); };
    shift.set = [](NuvMfxShell& s, std::int32_t v) {
        NuvMfx& e = As<NuvMfx>(s);
        e.shift = v;
        if (shiftwell::IsValidGroup(e.group)) shiftwell::GroupShift(e.group) = v;
    };
    ParamInfo group = ChoiceParam<NuvMfx>(
        "group", {}, {{"none", -1}, {"group1", 0}, {"group2", 1}, {"group3", 2}, {"group4", 3}}, &NuvMfx::group);
    group.set = [](NuvMfxShell& s, std::int32_t v) {
        NuvMfx& e = As<NuvMfx>(s);
        e.group = v;
        if (shiftwell::IsValidGroup(v)) shiftwell::GroupShift(v) = e.shift;
    };
    return {"NuvShiftwell", "shiftwell", "transposes the notes of a key range",
            Make<NuvMfx>, {}, "",
            {shift,
             FieldParam<NuvMfx>("lowkey", {"low"}, ParamKind::Key, 0, 127, &NuvMfx::lowKey),
             FieldParam<NuvMfx>("highkey", {"high"}, ParamKind::Key, 0, 127, &NuvMfx::highKey),
             group}};
}

EffectInfo Ondulo() {
    using ondulo::NuvMfx;
    std::vector<Choice> intervals;
    for (std::int32_t i = 0; i < ondulo::kRateCount; ++i) {
        const std::wstring label = ondulo::RateTable[i].label;
        intervals.push_back({NormalisedName(std::string(label.begin(), label.end())), i});
    }
    // Choosing an interval is the "Interval" mode, a frequency the "Freq" mode.
    ParamInfo interval = ChoiceParam<NuvMfx>("interval", {"rateindex"}, intervals, &NuvMfx::rateIndex);
    interval.set = [](NuvMfxShell& s, std::int32_t v) {
        NuvMfx& e = As<NuvMfx>(s);
        e.useInterval = 1;
        e.rateIndex = v;
        e.freeCycle = ondulo::RateTable[v].cycle;
    };
    ParamInfo freq;
    freq.name = "freq";
    freq.aliases = {"frequency"};
    freq.min = 2;
    freq.max = 127;
    freq.get = [](NuvMfxShell& s) { return static_cast<std::int32_t>(As<NuvMfx>(s).freeCycle * 8.0f); };
    freq.set = [](NuvMfxShell& s, std::int32_t v) {
        NuvMfx& e = As<NuvMfx>(s);
        e.useInterval = 0;
        e.freeCycle = static_cast<float>(v) * 0.125f;
    };
    const std::string ccNote = "0 is OFF";
    return {"NuvOndulo", "ondulo", "a low-frequency wave written as a controller",
            Make<NuvMfx>, [](NuvMfxShell& s, std::uint32_t seed) { As<NuvMfx>(s).Random().Seed(seed); }, "",
            {ChoiceParam<NuvMfx>("waveform", {"wave"},
                                 {{"sine", 0}, {"square", 1}, {"triangle", 2}, {"sawtooth", 3}, {"pulse", 4},
                                  {"random", 5}},
                                 &NuvMfx::waveform),
             WithNote(interval, "sets the Interval mode"),
             WithNote(freq, "eighths of a beat per cycle; sets the Freq mode"),
             FieldParam<NuvMfx>("amp", {"amplitude"}, ParamKind::Integer, -64, 63, &NuvMfx::amplitude),
             FieldParam<NuvMfx>("off", {"offset"}, ParamKind::Integer, -64, 63, &NuvMfx::offset),
             FieldParam<NuvMfx>("pwidth", {"pulsewidth"}, ParamKind::Integer, 1, 99, &NuvMfx::pulseWidth),
             WithNote(FieldParam<NuvMfx>("modulatedcc", {}, ParamKind::Integer, 0, 127, &NuvMfx::modulatedCC), ccNote),
             WithNote(FieldParam<NuvMfx>("frequencycc", {}, ParamKind::Integer, 0, 127, &NuvMfx::frequencyCC), ccNote),
             WithNote(FieldParam<NuvMfx>("amplitudecc", {}, ParamKind::Integer, 0, 127, &NuvMfx::amplitudeCC), ccNote),
             WithNote(FieldParam<NuvMfx>("offsetcc", {}, ParamKind::Integer, 0, 127, &NuvMfx::offsetCC), ccNote),
             ChoiceParam<NuvMfx>("mode", {}, {{"continuous", ondulo::kContinuous}, {"noteactive", ondulo::kNoteActive}},
                                 &NuvMfx::mode),
             Unsaved(SwitchParam<NuvMfx>("retrigger", {}, &NuvMfx::retrigger)),
             ChoiceParam<NuvMfx>("start", {"startatpeak"}, {{"center", 0}, {"peak", 1}}, &NuvMfx::startAtPeak)}};
}

EffectInfo Sloppet() {
    using sloppet::NuvMfx;
    const std::string amountNote = "hundredths of a quarter note";
    return {"NuvSloppet", "sloppet", "humanises note timing and velocity",
            Make<NuvMfx>,
            [](NuvMfxShell& s, std::uint32_t seed) { As<NuvMfx>(s).Random().Seed(seed); }, "",
            {SwitchParam<NuvMfx>("noteon", {"noteonenabled"}, &NuvMfx::noteOnEnabled),
             WithNote(FieldParam<NuvMfx>("noteonamount", {}, ParamKind::Integer, 1, 40, &NuvMfx::noteOnAmount),
                      amountNote),
             SwitchParam<NuvMfx>("noteoff", {"noteoffenabled"}, &NuvMfx::noteOffEnabled),
             WithNote(FieldParam<NuvMfx>("noteoffamount", {}, ParamKind::Integer, 1, 40, &NuvMfx::noteOffAmount),
                      amountNote),
             SwitchParam<NuvMfx>("notevel", {"velocityenabled"}, &NuvMfx::velocityEnabled),
             FieldParam<NuvMfx>("notevelamount", {"velocityamount"}, ParamKind::Integer, 1, 40,
                                &NuvMfx::velocityAmount),
             SwitchParam<NuvMfx>("preventsamenoteoverlap", {}, &NuvMfx::preventSameNoteOverlap),
             SwitchParam<NuvMfx>("preservedifferentnoteoverlap", {}, &NuvMfx::preserveDifferentNoteOverlap)}};
}

EffectInfo Gapkeeper() {
    using gapkeeper::NuvMfx;
    return {"NuvGapkeeper", "gapkeeper", "removes short overlaps between notes",
            Make<NuvMfx>, {}, "",
            {SwitchParam<NuvMfx>("samenoteonly", {}, &NuvMfx::sameNoteOnly),
             WithNote(FieldParam<NuvMfx>("detectionrange", {}, ParamKind::Integer, 1, 480, &NuvMfx::detectionRange),
                      "ticks"),
             WithNote(FieldParam<NuvMfx>("notemargin", {}, ParamKind::Integer, 1, 96, &NuvMfx::noteMargin),
                      "ticks")}};
}

// A curve point's value is read from the points as the page places them:
// its output value is 127 minus its height.
ParamInfo CurvePointParam(std::size_t index) {
    ParamInfo p;
    p.name = "p" + std::to_string(index);
    p.kind = ParamKind::Integer;
    p.min = 0;
    p.max = 127;
    p.note = index == 0 ? "output value at the left end of the curve"
             : index == 3 ? "output value at the right end"
                          : "output value of a middle point";
    p.get = [index](NuvMfxShell& s) {
        CurvePoint points[velocurve::kCurvePointCount];
        velocurve::PlaceStoredPoints(As<velocurve::NuvMfx>(s).curvePoints, points);
        return static_cast<std::int32_t>(127.0f - points[index].y);
    };
    p.set = [index](NuvMfxShell& s, std::int32_t v) {
        velocurve::NuvMfx& e = As<velocurve::NuvMfx>(s);
        CurvePoint points[velocurve::kCurvePointCount];
        velocurve::PlaceStoredPoints(e.curvePoints, points);
        velocurve::PlaceWithinRange(points[index], points[index].x, 127.0f - static_cast<float>(v));
        std::copy(std::begin(points), std::end(points), e.curvePoints);
    };
    return p;
}

EffectInfo Velocurve() {
    using velocurve::NuvMfx;
    ParamInfo target;
    target.name = "target";
    target.kind = ParamKind::Choice;
    target.choices = {{"velocity", velocurve::kVelocity},
                      {"polyaft", velocurve::kPolyAft},
                      {"chanaft", velocurve::kChanAft},
                      {"ctrlchng", velocurve::kCtrlChng}};
    target.get = [](NuvMfxShell& s) { return static_cast<std::int32_t>(As<NuvMfx>(s).CurrentTarget()); };
    target.set = [](NuvMfxShell& s, std::int32_t v) {
        NuvMfx& e = As<NuvMfx>(s);
        e.targetVelocity = v == velocurve::kVelocity;
        e.targetPolyAft = v == velocurve::kPolyAft;
        e.targetChanAft = v == velocurve::kChanAft;
        e.targetCtrlChng = v == velocurve::kCtrlChng;
    };
    return {"NuvVelocurveV2", "velocurve", "reshapes velocity, pressure or a controller through a curve",
            Make<NuvMfx>, {}, "",
            {target,
             WithNote(FieldParam<NuvMfx>("controller", {"controllernumber"}, ParamKind::Integer, 0, 127,
                                         &NuvMfx::controllerNumber),
                      "the controller ctrlchng reshapes; 0 is OFF"),
             CurvePointParam(0), CurvePointParam(1), CurvePointParam(2), CurvePointParam(3)}};
}

EffectInfo Wobbleton() {
    using wobbleton::NuvMfx;
    return {"NuvWobbleton", "wobbleton", "drifts the pitch wheel along a smooth random curve",
            Make<NuvMfx>, {}, "a fixed sequence, the same on every run",
            {FieldParam<NuvMfx>("amp", {}, ParamKind::Integer, 1, 32, &NuvMfx::amp),
             FieldParam<NuvMfx>("freq", {}, ParamKind::Integer, 1, 10, &NuvMfx::freq)}};
}

// Every page's on/off button: off passes everything through unchanged.
ParamInfo EnabledParam() {
    ParamInfo p;
    p.name = "enabled";
    p.aliases = {"power"};
    p.kind = ParamKind::Switch;
    p.max = 1;
    p.note = "the on/off button; not saved with the settings";
    p.saved = false;
    p.get = [](NuvMfxShell& s) { return static_cast<std::int32_t>(s.enabled); };
    p.set = [](NuvMfxShell& s, std::int32_t v) { s.enabled = v; };
    return p;
}

EffectInfo WithEnabled(EffectInfo effect) {
    effect.params.push_back(EnabledParam());
    return effect;
}

}  // namespace

const std::vector<EffectInfo>& Effects() {
    static const std::vector<EffectInfo> effects = {
        WithEnabled(Shiftwell()), WithEnabled(Ondulo()),    WithEnabled(Sloppet()),
        WithEnabled(Gapkeeper()), WithEnabled(Velocurve()), WithEnabled(Wobbleton())};
    return effects;
}

}  // namespace nuv::nuvfx
