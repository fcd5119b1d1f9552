#include "fuzz/engine_session.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_failure.h"
#include "fuzz/fuzz_input.h"
#include "platform/com_ref.h"
#include "plugins/shiftwell/group_table.h"
#include "tools/host/memory_stream.h"
#include "tools/host/queues.h"
#include "tools/host/services.h"

namespace nuv::fuzz {

namespace {

// What an output queue keeps for the checks; beyond it records are counted
// (and still checked for form) but not kept.
constexpr std::size_t kMaxKept = 1 << 21;
constexpr std::int32_t kMaxRecordsPerCall = 64;
constexpr std::int32_t kTimebases[] = {960, 480, 96, 24, 1, 0, -1, 15360, 32767};

// NUV_FUZZ_TRACE set in the environment prints each call as it is made, to
// see what a finding's input does.
bool Tracing() {
    static const bool tracing = std::getenv("NUV_FUZZ_TRACE") != nullptr;
    return tracing;
}

template <class... Args>
void Trace(const char* format, Args... args) {
    if (Tracing()) std::fprintf(stderr, format, args...);
}

std::int32_t Wrapped(std::int64_t value) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(value)); }
std::int32_t Clamped(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

bool WellFormed(const HostEvent& e) {
    if (e.channel > 15) return false;
    switch (e.kind) {
        case Note: return e.number < 128 && e.value < 128 && e.release < 128;
        case KeyAft:
        case Control:
        case ChanAft: return e.number < 128 && e.value < 128;
        case Wheel: return WheelValue(e) >= -8192 && WheelValue(e) <= 8191;
        default: return true;
    }
}

bool WellFormed(const HostData& d) { return d.status >= 0x80 && d.data1 < 128 && d.data2 < 128; }

std::string Describe(const HostEvent& e) {
    char text[128];
    std::snprintf(text, sizeof text, "time %d kind %d channel %d number %d value %d release %d duration %d",
                  e.time, e.kind, e.channel, e.number, e.value, e.release, e.duration);
    return text;
}

std::string Describe(const HostData& d) {
    char text[96];
    std::snprintf(text, sizeof text, "time %d status %02x data %d %d", d.time, d.status, d.data1, d.data2);
    return text;
}

// An output queue that keeps what the effect writes for the checks and
// notes the first record that is not well-formed.
template <class Face, class Record>
class CheckingQueue : public ComObject<Face> {
public:
    HRESULT STDMETHODCALLTYPE Add(const Record* record) override {
        if (record == nullptr) return E_POINTER;
        ++written_;
        if (!WellFormed(*record) && malformed_++ == 0) firstMalformed_ = *record;
        if (kept_.size() < kMaxKept) kept_.push_back(*record);
        return failAdd ? E_FAIL : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCount(std::int32_t* count) override {
        if (count == nullptr) return E_POINTER;
        *count = static_cast<std::int32_t>(kept_.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetAt(std::int32_t index, Record* record) override {
        if (record == nullptr || index < 0 || static_cast<std::size_t>(index) >= kept_.size()) return E_FAIL;
        *record = kept_[static_cast<std::size_t>(index)];
        return S_OK;
    }

    const std::vector<Record>& Kept() const { return kept_; }
    std::uint64_t Written() const { return written_; }
    std::uint64_t Malformed() const { return malformed_; }
    const Record& FirstMalformed() const { return firstMalformed_; }

    bool failAdd = false;

private:
    std::vector<Record> kept_;
    std::uint64_t written_ = 0;
    std::uint64_t malformed_ = 0;
    Record firstMalformed_{};
};

using CheckingEventQueue = CheckingQueue<HostEventQueue, HostEvent>;
using CheckingDataQueue = CheckingQueue<HostDataQueue, HostData>;

// The records an input queue hands out to a reader that follows the rules:
// none when the count fails, else the readable ones of indices 0..count-1.
template <class Queue, class Record>
std::vector<Record> Readable(Queue& queue) {
    std::vector<Record> readable;
    std::int32_t count = 0;
    if (FAILED(queue.GetCount(&count))) return readable;
    for (std::int32_t i = 0; i < count; ++i) {
        Record r{};
        if (SUCCEEDED(queue.GetAt(i, &r))) readable.push_back(r);
    }
    return readable;
}

class EngineSession {
public:
    EngineSession(const EffectKind& kind, FuzzInput& input)
        : kind_(kind), input_(input), effect_(kind.make()), context_(new host::HostContext) {}

    void Run() {
        wellFormed_ = (input_.Byte() & 1) != 0;
        LoadFromInput();
        while (!input_.Empty()) RunOne(input_.Byte() % 12);
        CheckRoundTrip();
        CheckResult(effect_->Disconnect(), S_OK, "Disconnect");
    }

private:
    void RunOne(std::uint8_t operation) {
        switch (operation) {
            case 0: Connect(); break;
            case 1: CheckResult(effect_->Disconnect(), S_OK, "Disconnect"); break;
            case 2: Transport("OnStart", [&](HostEventQueue* out) { return effect_->OnStart(input_.Number(), out); });
                break;
            case 3: Transport("OnLoop", [&](HostEventQueue* out) {
                    const std::int32_t restart = input_.Number();
                    return effect_->OnLoop(restart, input_.Number(), out);
                });
                break;
            case 4: Transport("OnStop", [&](HostEventQueue* out) { return effect_->OnStop(input_.Number(), out); });
                break;
            case 5: Events(); break;
            case 6: Data(); break;
            case 7: SetParameter(); break;
            case 8:
                if (kind_.pageWork != nullptr) kind_.pageWork(*effect_, input_);
                break;
            case 9: LoadFromInput(); break;
            case 10: SaveWithPlan(); break;
            default: PageRefresh(); break;
        }
    }

    static void CheckResult(HRESULT got, HRESULT expected, const char* call) {
        if (got != expected) Fail(std::string(call) + " answered " + std::to_string(static_cast<long>(got)));
    }

    // ---- settings ---------------------------------------------------------

    // A stream from the input: its bytes and which of its calls misbehave.
    ComRef<host::MemoryStream> StreamFromInput() {
        std::vector<std::uint8_t> bytes(input_.Byte());
        input_.Bytes(bytes.data(), bytes.size());
        ComRef<host::MemoryStream> stream(new host::MemoryStream(std::move(bytes)));
        const std::uint8_t plan = input_.Byte();
        stream->readFailure.FailCall(plan & 0x0F);
        stream->shortRead.FailCall(plan >> 4);
        return stream;
    }

    void LoadFromInput() {
        ComRef<host::MemoryStream> stream = StreamFromInput();
        effect_->dirtyFlag = 1;
        effect_->refreshFlag = 0;
        const HRESULT loaded = effect_->Load(stream.Get());
        Trace("Load of %zu bytes: %ld\n", stream->Bytes().size(), static_cast<long>(loaded));
        if (loaded == S_OK) {
            Check(effect_->dirtyFlag == 0 && effect_->refreshFlag == 1, "Load succeeded without its flag changes");
            CheckRoundTrip();
        } else {
            CheckResult(loaded, E_FAIL, "Load");
            Check(effect_->dirtyFlag == 1 && effect_->refreshFlag == 0, "a failed Load changed the flags");
        }
    }

    // Save answers E_FAIL exactly when one of its writes failed or came up
    // short, and otherwise wrote the stream's size; the dirty flag is
    // cleared only by a complete save that asks for it.
    void SaveWithPlan() {
        ComRef<host::MemoryStream> stream(new host::MemoryStream);
        const std::uint8_t plan = input_.Byte();
        const std::int32_t failAt = plan & 0x0F;
        const std::int32_t shortAt = plan >> 4;
        stream->writeFailure.FailCall(failAt);
        stream->shortWrite.FailCall(shortAt);
        const BOOL clearDirty = input_.Byte() & 1;
        effect_->dirtyFlag = 1;
        const HRESULT saved = effect_->Save(stream.Get(), clearDirty);
        Trace("Save (write %d fails, %d short): %ld\n", failAt, shortAt, static_cast<long>(saved));
        const bool broke = (failAt != 0 && stream->writeFailure.Calls() >= failAt) ||
                           (shortAt != 0 && stream->shortWrite.Calls() >= shortAt);
        CheckResult(saved, broke ? E_FAIL : S_OK, "Save");
        if (!broke) Check(stream->Bytes().size() == effect_->Ids().streamSize, "Save wrote a stream of another size");
        Check(effect_->dirtyFlag == (saved == S_OK && clearDirty ? 0 : 1), "Save left the dirty flag wrong");
    }

    static std::vector<std::uint8_t> Saved(NuvMfxShell& effect) {
        ComRef<host::MemoryStream> stream(new host::MemoryStream);
        CheckResult(effect.Save(stream.Get(), 0), S_OK, "Save");
        return stream->Bytes();
    }

    // What the effect saves loads into a fresh effect, which saves the same.
    void CheckRoundTrip() {
        const std::vector<std::uint8_t> saved = Saved(*effect_);
        Check(saved.size() == effect_->Ids().streamSize, "Save wrote a stream of another size");
        ComRef<NuvMfxShell> fresh(kind_.make());
        ComRef<host::MemoryStream> stream(new host::MemoryStream(saved));
        CheckResult(fresh->Load(stream.Get()), S_OK, "Load of a saved stream");
        Check(Saved(*fresh) == saved, "a saved stream did not load and save to the same bytes");
    }

    // ---- the host's calls ---------------------------------------------------

    void Connect() {
        const std::uint8_t services = input_.Byte();
        context_->offerTime = (services & 1) != 0;
        context_->offerPulse = (services & 2) != 0;
        context_->offerAux = (services & 4) != 0;
        context_->pulse->getPeriodFailure.FailFromCall((services & 8) != 0 ? 1 : 0);
        context_->time->timebase = kTimebases[input_.Byte() % std::size(kTimebases)];
        context_->pulse->period = input_.Byte();
        context_->time->ticksPerPeriod = static_cast<std::int8_t>(input_.Byte());
        const bool enough = context_->offerTime && (!effect_->Ids().needsPulseService || context_->offerPulse);
        Trace("Connect (services %d, timebase %d, period %d, ticks per period %d)\n", services,
              context_->time->timebase, context_->pulse->period, context_->time->ticksPerPeriod);
        CheckResult(effect_->Connect(context_.Get()), enough ? S_OK : E_FAIL, "Connect");
    }

    template <class Call>
    void Transport(const char* name, Call call) {
        ComRef<CheckingEventQueue> out(new CheckingEventQueue);
        Trace("%s\n", name);
        const CallTimer timer;
        CheckResult(call(out.Get()), S_OK, name);
        timer.CheckWithin(name, out->Written());
        CheckOutput(*out, name);
    }

    // Queue faults byte: bit 0 the count fails; bits 1-2 the count claims
    // that many more; bit 3 the entry of the next byte's index is unreadable;
    // bit 4 the output queue refuses every Add.
    template <class InQueue, class OutQueue>
    void ApplyFaults(InQueue& in, OutQueue& out) {
        const std::uint8_t faults = input_.Byte();
        in.FailGetCount((faults & 1) != 0);
        in.OverstateCount((faults >> 1) & 3);
        if ((faults & 8) != 0) in.FailGetAt(input_.Byte() % kMaxRecordsPerCall);
        out.failAdd = (faults & 16) != 0;
    }

    // A span is anywhere on the clock but at most 65535 ticks long: NuvOndulo
    // walks its span tick by tick, which a host's spans of a beat or two keep
    // cheap, and a span that took the whole clock would take minutes. An odd
    // tag gives a span that ends before it begins.
    std::int32_t SpanLength() {
        const std::uint8_t tag = input_.Byte();
        const std::int32_t length = tag % 4 == 0 ? input_.Byte() : input_.Word();
        return tag % 2 == 0 ? length : -length;
    }

    HostEvent EventFromInput(std::int32_t from) {
        constexpr std::int32_t kKinds[] = {Note, Note, Note, KeyAft, Control, ChanAft, Wheel};
        const std::uint8_t shape = input_.Byte();
        HostEvent e{};
        e.kind = (shape & 7) < 7 ? kKinds[shape & 7] : static_cast<std::int8_t>(input_.Byte());
        e.time = (shape & 8) != 0 ? input_.Number() : Wrapped(static_cast<std::int64_t>(from) + input_.Word());
        e.port = input_.Byte();
        e.channel = input_.Byte();
        e.number = input_.Byte();
        e.value = input_.Byte();
        e.release = input_.Byte();
        e.duration = input_.Number();
        if (wellFormed_) {
            e.channel &= 0x0F;
            if (e.kind == Wheel) {
                SetWheelValue(e, static_cast<std::int16_t>(static_cast<std::uint16_t>(e.number | (e.value << 8)) % 16384 - 8192));
            } else {
                e.number &= 0x7F;
                e.value &= 0x7F;
                e.release &= 0x7F;
            }
        }
        return e;
    }

    HostData DataFromInput() {
        HostData d{};
        d.time = input_.Number();
        d.status = input_.Byte();
        d.data1 = input_.Byte();
        d.data2 = input_.Byte();
        d.spare = input_.Byte();
        if (wellFormed_) {
            d.status |= 0x80;
            d.data1 &= 0x7F;
            d.data2 &= 0x7F;
        }
        return d;
    }

    void Events() {
        EventCallRecords records;
        records.from = input_.Number();
        records.thru = Clamped(static_cast<std::int64_t>(records.from) + SpanLength());
        ComRef<host::EventQueue> in(new host::EventQueue);
        ComRef<CheckingEventQueue> out(new CheckingEventQueue);
        ApplyFaults(*in, *out);
        const std::int32_t count = input_.Byte() % (kMaxRecordsPerCall + 1);
        for (std::int32_t i = 0; i < count; ++i) in->Records().push_back(EventFromInput(records.from));
        records.in = Readable<host::EventQueue, HostEvent>(*in);

        Trace("OnEvents %d..%d, %zu events\n", records.from, records.thru, records.in.size());
        for (const HostEvent& e : records.in)
            Trace("  time %d kind %d channel %d number %d value %d duration %d\n", e.time, e.kind, e.channel, e.number,
                  e.value, e.duration);
        const CallTimer timer;
        CheckResult(effect_->OnEvents(records.from, records.thru, in.Get(), out.Get()), S_OK, "OnEvents");
        timer.CheckWithin("OnEvents", out->Written());
        records.out = out->Kept();
        CheckOutput(*out, "OnEvents");
        if (kind_.checkEvents != nullptr) {
            Check(out->Written() <= kMaxKept, "OnEvents wrote more than two million records");
            kind_.checkEvents(*effect_, records);
        }
    }

    void Data() {
        DataCallRecords records;
        ComRef<host::DataQueue> in(new host::DataQueue);
        ComRef<CheckingDataQueue> out(new CheckingDataQueue);
        ApplyFaults(*in, *out);
        const std::int32_t count = input_.Byte() % (kMaxRecordsPerCall + 1);
        for (std::int32_t i = 0; i < count; ++i) in->Records().push_back(DataFromInput());
        records.in = Readable<host::DataQueue, HostData>(*in);

        Trace("OnInput, %zu records\n", records.in.size());
        for (const HostData& d : records.in)
            Trace("  time %d status %02x data %d %d\n", d.time, d.status, d.data1, d.data2);
        const CallTimer timer;
        CheckResult(effect_->OnInput(in.Get(), out.Get()), S_OK, "OnInput");
        timer.CheckWithin("OnInput", out->Written());
        records.out = out->Kept();
        CheckOutput(*out, "OnInput");
        if (kind_.checkData != nullptr) {
            Check(out->Written() <= kMaxKept, "OnInput wrote more than two million records");
            kind_.checkData(*effect_, records);
        }
    }

    // With well-formed records in, only well-formed records come out (a
    // record passed on unchanged is one of the inputs, so this holds for the
    // engine's own records too).
    template <class Queue>
    void CheckOutput(const Queue& out, const char* call) const {
        if (wellFormed_ && out.Malformed() != 0)
            Fail(std::string(call) + " wrote " + std::to_string(out.Malformed()) +
                 " records that are not well-formed, the first: " + Describe(out.FirstMalformed()));
    }

    // ---- the page's calls ---------------------------------------------------

    // The page sets a parameter and marks the edit; the value reads back.
    void SetParameter() {
        const ParameterList parameters = kind_.parameters();
        const ParameterDescription& p = parameters[input_.Byte() % parameters.size()];
        const std::int32_t value = AllowedValue(p, static_cast<std::uint32_t>(input_.Number()));
        Trace("set %ls to %d\n", p.label, value);
        p.set(*effect_, value);
        effect_->dirtyFlag = 1;
        if (p.get(*effect_) != value) Fail("a parameter set to " + std::to_string(value) + " did not read back");
    }

    // The page's timer: when the refresh flag was set, every parameter is
    // read again.
    void PageRefresh() {
        if (effect_->refreshFlag.Exchange(0) == 0) return;
        for (const ParameterDescription& p : kind_.parameters()) p.get(*effect_);
    }

    const EffectKind& kind_;
    FuzzInput& input_;
    ComRef<NuvMfxShell> effect_;
    ComRef<host::HostContext> context_;
    bool wellFormed_ = false;
};

}  // namespace

void RunEngineInput(const EffectKind& kind, const std::uint8_t* data, std::size_t size) {
    // The group table is the process's; each input starts from its own.
    for (std::int32_t group = 0; group < shiftwell::kGroupCount; ++group) shiftwell::GroupShift(group) = 0;
    FuzzInput input(data, size);
    EngineSession(kind, input).Run();
}

}  // namespace nuv::fuzz
