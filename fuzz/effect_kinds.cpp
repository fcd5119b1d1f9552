#include "fuzz/effect_kinds.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "fuzz/fuzz_failure.h"
#include "plugins/gapkeeper/gapkeeper_effect.h"
#include "plugins/gapkeeper/gapkeeper_parameters.h"
#include "plugins/ondulo/ondulo_effect.h"
#include "plugins/ondulo/ondulo_parameters.h"
#include "plugins/ondulo/wave_preview.h"
#include "plugins/shiftwell/shiftwell_effect.h"
#include "plugins/shiftwell/shiftwell_parameters.h"
#include "plugins/sloppet/sloppet_effect.h"
#include "plugins/sloppet/sloppet_parameters.h"
#include "plugins/velocurve/velocurve_effect.h"
#include "plugins/velocurve/velocurve_parameters.h"
#include "plugins/wobbleton/wobbleton_effect.h"
#include "plugins/wobbleton/wobbleton_parameters.h"

namespace nuv::fuzz {

namespace {

template <class Record>
bool Same(const Record& a, const Record& b) {
    return std::memcmp(&a, &b, sizeof(Record)) == 0;
}

template <class Record>
bool AmongInputs(const Record& r, const std::vector<Record>& in) {
    return std::any_of(in.begin(), in.end(), [&r](const Record& i) { return Same(r, i); });
}

// `out` is `in` in order with some records left out, each kept record
// changed at most where `mayDiffer` allows.
template <class Record, class MayDiffer>
void CheckKeptInOrder(const std::vector<Record>& in, const std::vector<Record>& out, MayDiffer mayDiffer,
                      const char* what) {
    std::size_t next = 0;
    for (const Record& r : out) {
        while (next < in.size() && !mayDiffer(in[next], r)) ++next;
        Check(next < in.size(), what);
        ++next;
    }
}

// `a` and `b` agree everywhere but in the bytes [offset, offset + length).
template <class Record>
bool SameOutside(const Record& a, const Record& b, std::size_t offset, std::size_t length) {
    const auto* x = reinterpret_cast<const unsigned char*>(&a);
    const auto* y = reinterpret_cast<const unsigned char*>(&b);
    return std::memcmp(x, y, offset) == 0 &&
           std::memcmp(x + offset + length, y + offset + length, sizeof(Record) - offset - length) == 0;
}

// The engines that move or reshape notes write every readable event once:
// the others as they came, and each note in arrival order. The notes of
// input and output, paired in that order.
std::vector<std::pair<HostEvent, HostEvent>> PairedNotes(const EventCallRecords& call, const char* what) {
    Check(call.out.size() == call.in.size(), what);
    std::vector<std::pair<HostEvent, HostEvent>> pairs;
    for (const HostEvent& e : call.in)
        if (e.kind == Note) pairs.push_back({e, HostEvent{}});
    std::size_t n = 0;
    for (const HostEvent& e : call.out) {
        if (e.kind != Note) continue;
        Check(n < pairs.size(), what);
        pairs[n++].second = e;
    }
    Check(n == pairs.size(), what);
    return pairs;
}

// The note's key, channel, port and release velocity are its own.
bool SameNoteIdentity(const HostEvent& a, const HostEvent& b) {
    return a.number == b.number && a.channel == b.channel && a.port == b.port && a.release == b.release;
}

template <class Effect>
NuvMfxShell* Make() {
    return new Effect;
}

template <class Effect>
NuvMfxShell* MakeSeeded() {
    auto* effect = new Effect;
    effect->Random().Seed(1);
    return effect;
}

// ---- NuvShiftwell -----------------------------------------------------------

// A learn request for either end of the range, or its cancel.
void ShiftwellPageWork(NuvMfxShell& effect, FuzzInput& input) {
    auto& e = static_cast<shiftwell::NuvMfx&>(effect);
    WriteLocked(e.settingsLock, e.learnMode, input.Byte() % 3);
}

void ShiftwellEvents(NuvMfxShell&, const EventCallRecords& call) {
    CheckKeptInOrder(
        call.in, call.out,
        [](const HostEvent& i, const HostEvent& o) {
            return Same(i, o) || (i.kind == Note && SameOutside(i, o, offsetof(HostEvent, number), 1));
        },
        "NuvShiftwell wrote a song event it was not given, or changed more than a note's key");
}

void ShiftwellData(NuvMfxShell&, const DataCallRecords& call) {
    CheckKeptInOrder(
        call.in, call.out,
        [](const HostData& i, const HostData& o) {
            const std::uint8_t kind = MessageKind(i);
            const bool note = kind == kStatusNoteOn || kind == kStatusNoteOff;
            return Same(i, o) || (note && SameOutside(i, o, offsetof(HostData, data1), 1));
        },
        "NuvShiftwell wrote a live message it was not given, or changed more than a note's key");
}

// ---- NuvOndulo --------------------------------------------------------------

// A learn request for one of the four controller numbers, or its cancel;
// and a repaint of the wave graph, which draws from a copy of the generator.
void OnduloPageWork(NuvMfxShell& effect, FuzzInput& input) {
    auto& e = static_cast<ondulo::NuvMfx&>(effect);
    const std::uint8_t choice = input.Byte();
    if (choice % 2 == 0) {
        WriteLocked(e.settingsLock, e.learnTarget, choice / 2 % 5);
        e.refreshFlag = 1;
    } else {
        ondulo::PreviewCurve curve;
        ondulo::WavePreview().Evaluate(e.generator, choice / 2, curve);
    }
}

// The ticks of the span where the wave's clock may restart: where a note
// starts or the count of sounding notes rises (after silence, or with
// "Retrigger"), and the span's first tick, which follows whatever the walk
// before it left.
std::int64_t RestartTicks(const ondulo::NuvMfx& effect, std::int32_t from, std::int32_t thru) {
    std::int64_t restarts = 0;
    ondulo::NoteCountTable::Reader counts = effect.NoteTable().ReadFrom(from);
    std::uint8_t before = 0;
    for (std::int64_t tick = from; tick <= thru; ++tick) {
        const std::uint8_t entry = counts.Next();
        const std::uint8_t count = entry & ondulo::NoteCountTable::kCountMask;
        if (entry != 0 && (tick == from || (entry & ondulo::NoteCountTable::kStartMark) != 0 || count > before))
            ++restarts;
        before = count;
    }
    return restarts;
}

// Every event is passed on unchanged or is a wave value of the span: a
// controller at a tick of the span, or at 0 for the first ticks of the song.
// There is at most one wave value for each 24 ticks of the span, and one more
// for each restart of the wave's clock.
void OnduloEvents(NuvMfxShell& effect, const EventCallRecords& call) {
    for (const HostEvent& e : call.out) {
        const bool waveValue = e.kind == Control && e.release == 0 && e.duration == 0 &&
                               ((e.time >= call.from && e.time <= call.thru) || e.time == 0);
        if (!waveValue)
            Check(AmongInputs(e, call.in), "NuvOndulo wrote an event that is neither given nor a wave value of the span");
    }
    const std::int64_t span = static_cast<std::int64_t>(call.thru) - call.from;
    if (span <= 0) {
        Check(call.out.size() <= call.in.size(), "NuvOndulo wrote a wave value for an empty span");
        return;
    }
    const auto written = static_cast<std::int64_t>(call.out.size()) - static_cast<std::int64_t>(call.in.size());
    const std::int64_t evenly = span / ondulo::emissionInterval + 1;
    // Restarts are counted only when the even cadence does not explain the output.
    Check(written <= evenly ||
              written <= evenly + RestartTicks(static_cast<const ondulo::NuvMfx&>(effect), call.from, call.thru),
          "NuvOndulo wrote more wave values than its span has emission ticks and restarts");
}

void OnduloData(NuvMfxShell&, const DataCallRecords& call) {
    for (const HostData& d : call.out) {
        if (MessageKind(d) == kStatusControl && d.spare == 0) continue;
        Check(AmongInputs(d, call.in), "NuvOndulo wrote a live message that is neither given nor a controller");
    }
}

// ---- NuvSloppet and NuvGapkeeper --------------------------------------------

void SloppetEvents(NuvMfxShell&, const EventCallRecords& call) {
    for (const auto& [in, out] : PairedNotes(call, "NuvSloppet did not write every event once")) {
        Check(SameNoteIdentity(in, out), "NuvSloppet changed more of a note than its timing and velocity");
        Check(out.value == in.value || (out.value >= 10 && out.value <= 127),
              "NuvSloppet spread a velocity beyond 10..127");
    }
}

void GapkeeperEvents(NuvMfxShell&, const EventCallRecords& call) {
    for (const auto& [in, out] : PairedNotes(call, "NuvGapkeeper did not write every event once")) {
        Check(SameNoteIdentity(in, out) && in.value == out.value,
              "NuvGapkeeper changed more of a note than its start and length");
        Check(out.time == in.time || out.time >= 0, "NuvGapkeeper moved a start before 0");
        Check(out.duration == in.duration || out.duration > 0, "NuvGapkeeper gave a note a length of 0 or less");
    }
}

// ---- NuvVelocurveV2 ---------------------------------------------------------

// A curve point dragged to any place and dropped, as the curve control keeps
// it within its ranges and refills the table; and the repaint's velocity
// markers.
void VelocurvePageWork(NuvMfxShell& effect, FuzzInput& input) {
    auto& e = static_cast<velocurve::NuvMfx&>(effect);
    std::int32_t marked = 0;
    for (const Relaxed<std::uint8_t>& mark : e.heldVelocityMarks) marked += mark;
    Check(marked <= velocurve::kMidiValueCount, "more velocity markers than velocities");
    const std::size_t index = input.Byte() % velocurve::kCurvePointCount;
    const float x = input.Float();
    const float y = input.Float();
    CurvePoint placed[velocurve::kCurvePointCount];
    {
        SectionGuard guard(e.settingsLock);
        std::copy(std::begin(e.curvePoints), std::end(e.curvePoints), placed);
    }
    CurvePoint shown[velocurve::kCurvePointCount];
    velocurve::PlaceStoredPoints(placed, shown);
    velocurve::PlaceWithinRange(shown[index], x, y);
    {
        SectionGuard guard(e.settingsLock);
        std::copy(std::begin(shown), std::end(shown), e.curvePoints);
    }
    e.FillTableFromPoints();
}

// Every event passes once, in order, with at most its value reshaped; a
// sounding note never turns into a note end.
void VelocurveEvents(NuvMfxShell&, const EventCallRecords& call) {
    Check(call.out.size() == call.in.size(), "NuvVelocurveV2 did not write every event once");
    for (std::size_t i = 0; i < call.in.size(); ++i) {
        const HostEvent& a = call.in[i];
        const HostEvent& b = call.out[i];
        Check(SameOutside(a, b, offsetof(HostEvent, value), 1), "NuvVelocurveV2 changed more than a value");
        Check(!(a.kind == Note && a.value != 0 && b.value == 0), "NuvVelocurveV2 turned a note into a note end");
    }
}

void VelocurveData(NuvMfxShell&, const DataCallRecords& call) {
    Check(call.out.size() == call.in.size(), "NuvVelocurveV2 did not write every live message once");
    for (std::size_t i = 0; i < call.in.size(); ++i) {
        const HostData& a = call.in[i];
        const HostData& b = call.out[i];
        Check(a.time == b.time && a.status == b.status && a.spare == b.spare,
              "NuvVelocurveV2 changed more than a live message's data");
        Check(!(IsNoteStart(a) && !IsNoteStart(b)), "NuvVelocurveV2 turned a live note into a note end");
    }
}

// ---- NuvWobbleton -----------------------------------------------------------

// Besides what it was given, only wheel events within the curve's reach: for
// each note at most one every 40 ticks of its modulated stretch and a centre
// before it, and a centre at the end.
void WobbletonEvents(NuvMfxShell&, const EventCallRecords& call) {
    for (const HostEvent& e : call.out) {
        const bool curveValue = e.kind == Wheel && e.port == 0 && e.channel == 0 && e.release == 0 &&
                                e.duration == 0 && WheelValue(e) >= -4096 && WheelValue(e) <= 4096;
        if (!curveValue)
            Check(AmongInputs(e, call.in), "NuvWobbleton wrote an event that is neither given nor a wheel value of its curve");
    }
    const auto notes = std::count_if(call.in.begin(), call.in.end(), [](const HostEvent& e) { return e.kind == Note; });
    const std::int64_t perNote = (wobbleton::kLongestModulation + wobbleton::kWheelStep - 1) / wobbleton::kWheelStep + 1;
    Check(static_cast<std::int64_t>(call.out.size()) <= static_cast<std::int64_t>(call.in.size()) + notes * perNote + 1,
          "NuvWobbleton wrote more wheel values than its notes' modulated stretches hold");
}

void WobbletonData(NuvMfxShell&, const DataCallRecords& call) {
    for (const HostData& d : call.out) {
        if (d.status == kStatusWheel && d.spare == 0) continue;
        Check(AmongInputs(d, call.in),
              "NuvWobbleton wrote a live message that is neither given nor a wheel message on channel 1");
    }
}

std::vector<EffectKind> AllKinds() {
    return {
        {"NuvShiftwell", &Make<shiftwell::NuvMfx>, &shiftwell::Parameters, &ShiftwellPageWork, &ShiftwellEvents,
         &ShiftwellData},
        {"NuvOndulo", &MakeSeeded<ondulo::NuvMfx>, &ondulo::Parameters, &OnduloPageWork, &OnduloEvents,
         &OnduloData},
        {"NuvSloppet", &MakeSeeded<sloppet::NuvMfx>, &sloppet::Parameters, nullptr, &SloppetEvents, nullptr},
        {"NuvGapkeeper", &Make<gapkeeper::NuvMfx>, &gapkeeper::Parameters, nullptr, &GapkeeperEvents, nullptr},
        {"NuvVelocurveV2", &Make<velocurve::NuvMfx>, &velocurve::Parameters, &VelocurvePageWork,
         &VelocurveEvents, &VelocurveData},
        {"NuvWobbleton", &Make<wobbleton::NuvMfx>, &wobbleton::Parameters, nullptr, &WobbletonEvents,
         &WobbletonData},
    };
}

}  // namespace

std::int32_t AllowedValue(const ParameterDescription& parameter, std::uint32_t pick) {
    if (parameter.kind == ParameterKind::Choice && !parameter.choices.empty())
        return parameter.choices[pick % parameter.choices.size()].value;
    const std::int64_t span = static_cast<std::int64_t>(parameter.maximum) - parameter.minimum + 1;
    return static_cast<std::int32_t>(parameter.minimum + static_cast<std::int64_t>(pick % static_cast<std::uint64_t>(span)));
}

const std::vector<EffectKind>& EffectKinds() {
    static const std::vector<EffectKind> kinds = AllKinds();
    return kinds;
}

const EffectKind* FindEffectKind(const char* name) {
    for (const EffectKind& kind : EffectKinds())
        if (std::strcmp(kind.name, name) == 0) return &kind;
    return nullptr;
}

}  // namespace nuv::fuzz
