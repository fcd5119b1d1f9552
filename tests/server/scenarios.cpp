#include "tests/server/scenarios.h"

#include <cstring>

#include "plugins/gapkeeper/gapkeeper_effect.h"
#include "plugins/ondulo/ondulo_effect.h"
#include "plugins/shiftwell/shiftwell_effect.h"
#include "plugins/sloppet/sloppet_effect.h"
#include "plugins/velocurve/velocurve_effect.h"
#include "plugins/wobbleton/wobbleton_effect.h"
#include "tests/support/event_builders.h"
#include "tools/host/services.h"

namespace nuv::scenarios {

namespace {

using testing::ControlEvent;
using testing::Message;
using testing::NoteEvent;
using testing::WheelEvent;

constexpr std::int32_t kBeat = 480;

HostEvent AftertouchEvent(std::int32_t time, HostEventKind kind, std::uint8_t number, std::uint8_t value,
                          std::uint8_t channel) {
    HostEvent e = ControlEvent(time, number, value, channel);
    e.kind = kind;
    return e;
}

// Eight beats on two channels: chords, overlapping notes of the same key and
// of different keys, notes at both ends of the key range, controllers, wheel
// and both aftertouch kinds.
std::vector<HostEvent> Song() {
    std::vector<HostEvent> song;
    for (std::int32_t beat = 0; beat < 8; ++beat) {
        const std::int32_t t = beat * kBeat;
        const auto root = static_cast<std::uint8_t>(48 + (beat * 5) % 24);
        song.push_back(NoteEvent(t, root, static_cast<std::uint8_t>(40 + beat * 10), 460));
        song.push_back(NoteEvent(t, static_cast<std::uint8_t>(root + 4), 90, 500));  // runs into the next beat
        song.push_back(NoteEvent(t + 10, static_cast<std::uint8_t>(root + 7), 127, 230, 1));
        song.push_back(NoteEvent(t + 240, static_cast<std::uint8_t>(root + 7), 64, 300, 1));  // same key again
        song.push_back(ControlEvent(t + 120, 7, static_cast<std::uint8_t>(beat * 15), 0));
        song.push_back(ControlEvent(t + 130, 1, static_cast<std::uint8_t>(127 - beat * 9), 1));
        song.push_back(WheelEvent(t + 200, static_cast<std::int16_t>(beat * 900 - 3000), 0));
        song.push_back(AftertouchEvent(t + 300, ChanAft, 0, static_cast<std::uint8_t>(beat * 16), 0));
        song.push_back(AftertouchEvent(t + 310, KeyAft, root, static_cast<std::uint8_t>(100 - beat * 8), 0));
    }
    song.push_back(NoteEvent(8 * kBeat, 0, 1, 30));
    song.push_back(NoteEvent(8 * kBeat, 127, 127, 30));
    return song;
}

// Live input: held notes, controllers, wheel, pressure, then pulses with
// nothing coming in.
std::vector<std::vector<HostData>> LiveBatches() {
    return {
        {Message(0x90, 60, 100, 10), Message(0x90, 64, 80, 12), Message(0xB0, 7, 90, 14)},
        {Message(0xD0, 50, 0, 40), Message(0xA0, 60, 70, 42), Message(0xE0, 0, 80, 44)},
        {},
        {Message(0x80, 60, 0, 90), Message(0x91, 72, 127, 95)},
        {},
        {Message(0x80, 64, 0, 140), Message(0x81, 72, 0, 150)},
        {},
    };
}

void Append(Bytes& out, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
}

void AppendWord(Bytes& out, std::int32_t value) { Append(out, &value, sizeof value); }

template <class Record>
void AppendCall(Bytes& out, std::int32_t tag, HRESULT result, const std::vector<Record>& records) {
    AppendWord(out, tag);
    AppendWord(out, result);
    AppendWord(out, static_cast<std::int32_t>(records.size()));
    for (const Record& record : records) Append(out, &record, sizeof record);
}

void PlaySong(IMfxEventFilter& filter, Bytes& out) {
    const std::vector<HostEvent> song = Song();
    testing::EventCall start;
    AppendCall(out, 1, filter.OnStart(0, start.out.Get()), start.Output());
    for (std::int32_t from = 0; from <= 8 * kBeat; from += kBeat) {
        std::vector<HostEvent> slice;
        for (const HostEvent& e : song)
            if (e.time >= from && e.time < from + kBeat) slice.push_back(e);
        testing::EventCall call(slice);
        AppendCall(out, 2, filter.OnEvents(from, from + kBeat - 1, call.in.Get(), call.out.Get()), call.Output());
        if (from == 4 * kBeat) {
            testing::EventCall loop;
            AppendCall(out, 3, filter.OnLoop(2 * kBeat, 4 * kBeat, loop.out.Get()), loop.Output());
        }
    }
    testing::EventCall stop;
    AppendCall(out, 4, filter.OnStop(9 * kBeat, stop.out.Get()), stop.Output());
}

void PlayLive(IMfxEventFilter& filter, Bytes& out) {
    for (const std::vector<HostData>& batch : LiveBatches()) {
        testing::DataCall call(batch);
        AppendCall(out, 5, filter.OnInput(call.in.Get(), call.out.Get()), call.Output());
    }
}

template <class Effect>
NuvMfxShell* MakeLocal() {
    return new Effect();
}

// The settings a local effect saves after `configure` has set its fields.
template <class Effect, class Configure>
Variant VariantOf(std::string name, Configure configure) {
    auto* effect = new Effect();
    configure(*effect);
    Variant variant{std::move(name), testing::SavedBytes(*effect)};
    effect->Release();
    return variant;
}

template <class Effect>
Variant Defaults() {
    return VariantOf<Effect>("defaults", [](Effect&) {});
}

}  // namespace

std::vector<Deliverable> AllDeliverables() {
    std::vector<Deliverable> all;
    all.push_back({"NuvShiftwell", shiftwell::CLSID_NuvShiftwell,
                   {Defaults<shiftwell::NuvMfx>(),
                    VariantOf<shiftwell::NuvMfx>("up5-range",
                                                 [](shiftwell::NuvMfx& e) {
                                                     e.shift = 5;
                                                     e.lowKey = 48;
                                                     e.highKey = 84;
                                                 }),
                    VariantOf<shiftwell::NuvMfx>("down24", [](shiftwell::NuvMfx& e) { e.shift = -24; })},
                   &MakeLocal<shiftwell::NuvMfx>});
    all.push_back({"NuvOndulo", ondulo::CLSID_NuvOndulo,
                   {Defaults<ondulo::NuvMfx>(),
                    VariantOf<ondulo::NuvMfx>("triangle-continuous",
                                              [](ondulo::NuvMfx& e) {
                                                  e.waveform = ondulo::kTriangle;
                                                  e.mode = ondulo::kContinuous;
                                                  e.rateIndex = 1;
                                                  e.amplitude = 40.0f;
                                                  e.offset = 10.0f;
                                              }),
                    VariantOf<ondulo::NuvMfx>("pulse-retrigger",
                                              [](ondulo::NuvMfx& e) {
                                                  e.waveform = ondulo::kPulse;
                                                  e.retrigger = 1;
                                                  e.pulseWidth = 30.0f;
                                                  e.startAtPeak = 1;
                                              })},
                   &MakeLocal<ondulo::NuvMfx>});
    all.push_back({"NuvSloppet", sloppet::CLSID_NuvSloppet,
                   {Defaults<sloppet::NuvMfx>(),
                    VariantOf<sloppet::NuvMfx>("overlap-rules",
                                               [](sloppet::NuvMfx& e) {
                                                   e.preventSameNoteOverlap = 1;
                                                   e.preserveDifferentNoteOverlap = 1;
                                                   e.noteOnAmount = 20;
                                               })},
                   &MakeLocal<sloppet::NuvMfx>});
    all.push_back({"NuvGapkeeper", gapkeeper::CLSID_NuvGapkeeper,
                   {Defaults<gapkeeper::NuvMfx>(),
                    VariantOf<gapkeeper::NuvMfx>("same-note-wide",
                                                 [](gapkeeper::NuvMfx& e) {
                                                     e.sameNoteOnly = 1;
                                                     e.detectionRange = 240;
                                                     e.noteMargin = 30;
                                                 })},
                   &MakeLocal<gapkeeper::NuvMfx>});
    all.push_back({"NuvVelocurveV2", velocurve::CLSID_NuvVelocurveV2,
                   {Defaults<velocurve::NuvMfx>(),
                    VariantOf<velocurve::NuvMfx>("controller-curve",
                                                 [](velocurve::NuvMfx& e) {
                                                     e.targetVelocity = 0;
                                                     e.targetCtrlChng = 1;
                                                     e.controllerNumber = 7;
                                                     for (CurvePoint& p : e.curvePoints)
                                                         p.y = p.minY + (p.maxY - p.minY) * 0.3f;
                                                 })},
                   &MakeLocal<velocurve::NuvMfx>});
    all.push_back({"NuvWobbleton", wobbleton::CLSID_NuvWobbleton,
                   {Defaults<wobbleton::NuvMfx>(),
                    VariantOf<wobbleton::NuvMfx>("wide-slow",
                                                 [](wobbleton::NuvMfx& e) {
                                                     e.amp = wobbleton::kDefaultAmp * 2.0f;
                                                     e.freq = wobbleton::kDefaultFreq * 0.5f;
                                                 })},
                   &MakeLocal<wobbleton::NuvMfx>});
    return all;
}

Bytes Run(IUnknown* effect, const Bytes& settings) {
    Bytes out;
    auto filter = QueryFace<IMfxEventFilter>(effect, IID_IMfxEventFilter);
    auto persist = QueryFace<IPersistStream>(effect, IID_IPersistStream);
    if (!filter || !persist) return out;

    ComRef<host::HostContext> context(new host::HostContext);
    AppendWord(out, filter->Connect(context.Get()));
    ComRef<host::MemoryStream> stream(new host::MemoryStream(settings));
    AppendWord(out, persist->Load(stream.Get()));

    PlaySong(*filter, out);
    PlayLive(*filter, out);
    AppendWord(out, filter->Disconnect());

    const Bytes saved = testing::SavedBytes(*persist);
    AppendWord(out, static_cast<std::int32_t>(saved.size()));
    out.insert(out.end(), saved.begin(), saved.end());
    return out;
}

std::string KeyOf(const Deliverable& deliverable, const Variant& variant) {
    return deliverable.name + "/" + variant.name;
}

std::string ToHex(const Bytes& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t b : bytes) {
        text.push_back(digits[b >> 4]);
        text.push_back(digits[b & 15]);
    }
    return text;
}

long FirstDifference(const Bytes& a, const Bytes& b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i)
        if (a[i] != b[i]) return static_cast<long>(i);
    return a.size() == b.size() ? -1 : static_cast<long>(common);
}

}  // namespace nuv::scenarios
