#include "tests/server/scenarios.h"

#include <cstdio>
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

// The calls of a run as AppendCall records them.
enum CallTag : std::int32_t { kStartCall = 1, kEventsCall = 2, kLoopCall = 3, kStopCall = 4, kInputCall = 5 };

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
    AppendCall(out, kStartCall, filter.OnStart(0, start.out.Get()), start.Output());
    for (std::int32_t from = 0; from <= 8 * kBeat; from += kBeat) {
        std::vector<HostEvent> slice;
        for (const HostEvent& e : song)
            if (e.time >= from && e.time < from + kBeat) slice.push_back(e);
        testing::EventCall call(slice);
        const HRESULT result = filter.OnEvents(from, from + kBeat - 1, call.in.Get(), call.out.Get());
        AppendCall(out, kEventsCall, result, call.Output());
        if (from == 4 * kBeat) {
            testing::EventCall loop;
            AppendCall(out, kLoopCall, filter.OnLoop(2 * kBeat, 4 * kBeat, loop.out.Get()), loop.Output());
        }
    }
    testing::EventCall stop;
    AppendCall(out, kStopCall, filter.OnStop(9 * kBeat, stop.out.Get()), stop.Output());
}

void PlayLive(IMfxEventFilter& filter, Bytes& out) {
    for (const std::vector<HostData>& batch : LiveBatches()) {
        testing::DataCall call(batch);
        AppendCall(out, kInputCall, filter.OnInput(call.in.Get(), call.out.Get()), call.Output());
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

// A run's bytes taken apart again; `complete` is false when they end early
// or a count is out of bounds.
struct RecordedCall {
    std::int32_t tag = 0;
    std::int32_t result = 0;
    std::vector<Bytes> records;
};
struct RecordedRun {
    std::int32_t connect = 0;
    std::int32_t load = 0;
    std::vector<RecordedCall> calls;
    std::int32_t disconnect = 0;
    Bytes saved;
    bool complete = false;
};

class Reader {
public:
    explicit Reader(const Bytes& bytes) : bytes_(bytes) {}
    bool Word(std::int32_t& value) {
        if (bytes_.size() - at_ < 4) return false;
        std::memcpy(&value, bytes_.data() + at_, 4);
        at_ += 4;
        return true;
    }
    bool Take(std::size_t count, Bytes& into) {
        if (bytes_.size() - at_ < count) return false;
        into.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                    bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + count));
        at_ += count;
        return true;
    }

private:
    const Bytes& bytes_;
    std::size_t at_ = 0;
};

std::size_t RecordSize(std::int32_t tag) { return tag == kInputCall ? sizeof(HostData) : sizeof(HostEvent); }

RecordedRun Parse(const Bytes& bytes) {
    RecordedRun run;
    Reader in(bytes);
    if (!in.Word(run.connect) || !in.Word(run.load)) return run;
    // Calls follow until a word that is no call tag: Disconnect's result.
    std::int32_t word = 0;
    for (;;) {
        if (!in.Word(word)) return run;
        if (word < kStartCall || word > kInputCall) break;
        RecordedCall call;
        call.tag = word;
        std::int32_t count = 0;
        if (!in.Word(call.result) || !in.Word(count) || count < 0) return run;
        for (std::int32_t r = 0; r < count; ++r) {
            call.records.emplace_back();
            if (!in.Take(RecordSize(call.tag), call.records.back())) return run;
        }
        run.calls.push_back(std::move(call));
    }
    run.disconnect = word;
    std::int32_t savedSize = 0;
    if (!in.Word(savedSize) || savedSize < 0) return run;
    run.complete = in.Take(static_cast<std::size_t>(savedSize), run.saved);
    return run;
}

std::string Text(const char* format, long a, long b = 0, long c = 0) {
    char line[160];
    std::snprintf(line, sizeof line, format, a, b, c);
    return line;
}

const char* CallName(std::int32_t tag) {
    switch (tag) {
        case kStartCall: return "OnStart";
        case kEventsCall: return "OnEvents";
        case kLoopCall: return "OnLoop";
        case kStopCall: return "OnStop";
        case kInputCall: return "OnInput";
        default: return "unknown call";
    }
}

// "time 480, Note, bytes e0010000..." for a song event; a live record gives
// its status byte as its kind.
std::string RecordText(std::int32_t tag, const Bytes& record) {
    std::string text;
    if (tag == kInputCall) {
        HostData d{};
        std::memcpy(&d, record.data(), sizeof d);
        text = Text("time %ld, status 0x%02lx", d.time, d.status);
    } else {
        HostEvent e{};
        std::memcpy(&e, record.data(), sizeof e);
        text = Text("time %ld, ", e.time) + KindName(e.kind);
    }
    return text + ", bytes " + ToHex(record);
}

std::string CallDifference(std::size_t index, const RecordedCall& recorded, const RecordedCall& produced) {
    const std::string call = std::string(CallName(recorded.tag)) + Text(" (call %ld)", static_cast<long>(index + 1));
    if (recorded.tag != produced.tag) return call + ": " + CallName(produced.tag) + " came instead";
    if (recorded.result != produced.result)
        return call + Text(": result 0x%08lx, recorded 0x%08lx", produced.result, recorded.result);
    const std::size_t common = std::min(recorded.records.size(), produced.records.size());
    for (std::size_t r = 0; r < common; ++r) {
        if (recorded.records[r] == produced.records[r]) continue;
        return call + Text(", record %ld: ", static_cast<long>(r + 1)) + RecordText(produced.tag, produced.records[r]) +
               "; recorded " + RecordText(recorded.tag, recorded.records[r]);
    }
    if (recorded.records.size() == produced.records.size()) return {};
    const bool extra = produced.records.size() > recorded.records.size();
    const std::vector<Bytes>& longer = extra ? produced.records : recorded.records;
    return call + Text(": %ld records, recorded %ld; first ", static_cast<long>(produced.records.size()),
                       static_cast<long>(recorded.records.size())) +
           (extra ? "extra: " : "missing: ") + RecordText(recorded.tag, longer[common]);
}

}  // namespace

Bytes FromHex(const std::string& text) {
    Bytes bytes;
    if (text.size() % 2 != 0) return {};
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        if (std::sscanf(text.c_str() + i, "%2x", &value) != 1) return {};
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

std::string DescribeDifference(const Bytes& recorded, const Bytes& produced) {
    if (FirstDifference(recorded, produced) == -1) return {};
    const RecordedRun a = Parse(recorded);
    const RecordedRun b = Parse(produced);
    if (a.connect != b.connect) return Text("Connect: 0x%08lx, recorded 0x%08lx", b.connect, a.connect);
    if (a.load != b.load) return Text("Load: 0x%08lx, recorded 0x%08lx", b.load, a.load);
    const std::size_t common = std::min(a.calls.size(), b.calls.size());
    for (std::size_t c = 0; c < common; ++c) {
        const std::string difference = CallDifference(c, a.calls[c], b.calls[c]);
        if (!difference.empty()) return difference;
    }
    if (a.calls.size() != b.calls.size() || !a.complete || !b.complete)
        return Text("%ld calls, recorded %ld, or the bytes end early", static_cast<long>(b.calls.size()),
                    static_cast<long>(a.calls.size()));
    if (a.disconnect != b.disconnect) return Text("Disconnect: 0x%08lx, recorded 0x%08lx", b.disconnect, a.disconnect);
    const long at = FirstDifference(a.saved, b.saved);
    return Text("saved settings of %ld bytes (recorded %ld) differ from byte %ld", static_cast<long>(b.saved.size()),
                static_cast<long>(a.saved.size()), at);
}

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
