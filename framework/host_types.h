// The host sequencer's MIDI filter interface: its records, queues, context
// services and the filter interface every plug-in implements. Layouts and slot
// orders are the host's and must not change; the static_asserts hold them.
//
// Every entry point says on its declaration which thread calls it:
// [host thread] one of the host's processing and transport threads;
// [window thread] the thread of the editor page's window;
// [any thread] whichever thread the caller is on.
#pragma once

#include <cstdint>

#include "platform/com.h"
#include "platform/com_object.h"

namespace nuv {

// Event kinds of a song event.
enum HostEventKind : std::int32_t {
    Note = 0,
    KeyAft = 1,
    Control = 2,
    ChanAft = 4,
    Wheel = 5,
};

#pragma pack(push, 1)
// One song event, 17 bytes, packed. A Wheel event keeps a signed 16-bit value
// (0 = centre) in the bytes of `number` and `value`; use WheelValue/SetWheelValue.
struct HostEvent {
    std::int32_t time;      // ticks
    std::uint8_t port;
    std::uint8_t channel;
    std::int32_t kind;      // HostEventKind
    std::uint8_t number;    // note number, key or controller number
    std::uint8_t value;     // velocity, pressure or controller value
    std::uint8_t release;   // release velocity of a Note
    std::int32_t duration;  // ticks, Note only
};
#pragma pack(pop)
static_assert(sizeof(HostEvent) == 17, "HostEvent is the host's 17-byte packed record");
static_assert(offsetof(HostEvent, port) == 4 && offsetof(HostEvent, channel) == 5 && offsetof(HostEvent, kind) == 6 &&
                  offsetof(HostEvent, number) == 10 && offsetof(HostEvent, value) == 11 &&
                  offsetof(HostEvent, release) == 12 && offsetof(HostEvent, duration) == 13,
              "HostEvent field offsets are the host's");

// One live MIDI record, 8 bytes.
struct HostData {
    std::int32_t time;
    std::uint8_t status;
    std::uint8_t data1;
    std::uint8_t data2;
    std::uint8_t spare;
};
static_assert(sizeof(HostData) == 8 && offsetof(HostData, status) == 4 && offsetof(HostData, data1) == 5 &&
                  offsetof(HostData, data2) == 6,
              "HostData is the host's 8-byte record");

// The signed wheel value of a Wheel event (bytes 10 and 11, little-endian).
inline std::int16_t WheelValue(const HostEvent& e) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(e.number | (e.value << 8)));
}
inline void SetWheelValue(HostEvent& e, std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    e.number = static_cast<std::uint8_t>(u & 0xFF);
    e.value = static_cast<std::uint8_t>(u >> 8);
}

// Live-message status nibbles, and the bits of the status that hold the
// channel.
inline constexpr std::uint8_t kStatusNoteOff = 0x80;
inline constexpr std::uint8_t kStatusNoteOn = 0x90;
inline constexpr std::uint8_t kStatusKeyAft = 0xA0;
inline constexpr std::uint8_t kStatusControl = 0xB0;
inline constexpr std::uint8_t kStatusChanAft = 0xD0;
inline constexpr std::uint8_t kStatusWheel = 0xE0;
inline constexpr std::uint8_t kStatusKindMask = 0xF0;
inline constexpr std::uint8_t kChannelMask = 0x0F;

// The centre of the pitch wheel as a live message carries it, 14 bits split
// into two 7-bit data bytes (0..16383); a song's Wheel event holds the wheel
// relative to it (0 = centre).
inline constexpr std::int32_t kWheelCentre = 8192;

// The kind of a live message: its status with the channel bits masked off.
inline std::uint8_t MessageKind(const HostData& d) { return d.status & kStatusKindMask; }
// The channel of a live message, 0..15.
inline std::uint8_t MessageChannel(const HostData& d) { return d.status & kChannelMask; }
// A Note On with a velocity above 0.
inline bool IsNoteStart(const HostData& d) { return MessageKind(d) == kStatusNoteOn && d.data2 != 0; }
// A Note Off, or a Note On with velocity 0, which ends a note the same way.
inline bool IsNoteEnd(const HostData& d) {
    return MessageKind(d) == kStatusNoteOff || (MessageKind(d) == kStatusNoteOn && d.data2 == 0);
}

// Interface identifiers of the host.
inline constexpr IID IID_IMfxEventFilter = {0x8D7FDE01, 0x1B1B, 0x11D2, {0xA8, 0xE0, 0x00, 0x00, 0xA0, 0x09, 0x0D, 0xAF}};
inline constexpr IID IID_HostTimeService = {0xFF76F7C3, 0xF166, 0x11D1, {0xA8, 0xE0, 0x00, 0x00, 0xA0, 0x09, 0x0D, 0xAF}};
inline constexpr IID IID_HostPulseService = {0xF5C46121, 0x3C4A, 0x11D2, {0xA8, 0xE0, 0x00, 0x00, 0xA0, 0x09, 0x0D, 0xAF}};
inline constexpr IID IID_HostAuxService = {0x838C6961, 0x0C50, 0x11D2, {0xA8, 0xE0, 0x00, 0x00, 0xA0, 0x09, 0x0D, 0xAF}};
// The host's event and data queues are handed over as arguments, never queried
// for; these identifiers let a substitute host answer QueryInterface for them.
inline constexpr IID IID_HostEventQueue = {0x4E0D5A10, 0x7B61, 0x4C3E, {0x9F, 0x21, 0x5A, 0x6B, 0x10, 0x20, 0x30, 0x01}};
inline constexpr IID IID_HostDataQueue = {0x4E0D5A10, 0x7B61, 0x4C3E, {0x9F, 0x21, 0x5A, 0x6B, 0x10, 0x20, 0x30, 0x02}};

// A queue of host records, handed to one call: song events or live MIDI
// records. The two queue interfaces have the same three slots after
// IUnknown.
template <class Record>
struct HostQueue : IUnknown {
    // [host thread]
    virtual HRESULT STDMETHODCALLTYPE Add(const Record* record) = 0;
    // [host thread]
    virtual HRESULT STDMETHODCALLTYPE GetCount(std::int32_t* count) = 0;
    // [host thread]
    virtual HRESULT STDMETHODCALLTYPE GetAt(std::int32_t index, Record* record) = 0;

protected:
    ~HostQueue() = default;
};

// A queue of song events.
struct HostEventQueue : HostQueue<HostEvent> {
protected:
    ~HostEventQueue() = default;
};

// A queue of live MIDI records.
struct HostDataQueue : HostQueue<HostData> {
protected:
    ~HostDataQueue() = default;
};

// The host's clock. Slot 3 is a call the plug-ins never make.
struct HostTimeService : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    // [host thread] Ticks spanned by a pulse period.
    virtual std::int32_t STDMETHODCALLTYPE ConvertPeriod(std::int32_t period) = 0;
    // [host thread] Ticks per quarter note.
    virtual std::int32_t STDMETHODCALLTYPE GetTimebase() = 0;

protected:
    ~HostTimeService() = default;
};

// Periodic live-input pulses: OnInput is called regularly between BeginPulses
// and EndPulses.
struct HostPulseService : IUnknown {
    // [host thread] Milliseconds between pulses.
    virtual HRESULT STDMETHODCALLTYPE GetPeriod(std::int32_t* period) = 0;
    // [host thread, or window thread for a page's on/off button]
    virtual HRESULT STDMETHODCALLTYPE BeginPulses() = 0;
    // [host thread, or window thread for a page's on/off button]
    virtual HRESULT STDMETHODCALLTYPE EndPulses() = 0;

protected:
    ~HostPulseService() = default;
};

// Only probed for; its presence is recorded.
struct HostAuxService : IUnknown {
protected:
    ~HostAuxService() = default;
};

// The MIDI filter interface of every plug-in.
struct IMfxEventFilter : IUnknown {
    // [host thread]
    virtual HRESULT STDMETHODCALLTYPE Connect(IUnknown* context) = 0;
    // [host thread]
    virtual HRESULT STDMETHODCALLTYPE Disconnect() = 0;
    // [host thread]
    virtual HRESULT STDMETHODCALLTYPE OnStart(std::int32_t time, HostEventQueue* out) = 0;
    // [host thread]
    virtual HRESULT STDMETHODCALLTYPE OnLoop(std::int32_t restartTime, std::int32_t stopTime, HostEventQueue* out) = 0;
    // [host thread]
    virtual HRESULT STDMETHODCALLTYPE OnStop(std::int32_t time, HostEventQueue* out) = 0;
    // [host thread]
    virtual HRESULT STDMETHODCALLTYPE OnEvents(std::int32_t from, std::int32_t thru, HostEventQueue* in,
                                               HostEventQueue* out) = 0;
    // [host thread]
    virtual HRESULT STDMETHODCALLTYPE OnInput(HostDataQueue* in, HostDataQueue* out) = 0;

protected:
    ~IMfxEventFilter() = default;
};

template <>
inline const IID& InterfaceId<HostEventQueue>() { return IID_HostEventQueue; }
template <>
inline const IID& InterfaceId<HostDataQueue>() { return IID_HostDataQueue; }
template <>
inline const IID& InterfaceId<HostTimeService>() { return IID_HostTimeService; }
template <>
inline const IID& InterfaceId<HostPulseService>() { return IID_HostPulseService; }
template <>
inline const IID& InterfaceId<HostAuxService>() { return IID_HostAuxService; }
template <>
inline const IID& InterfaceId<IMfxEventFilter>() { return IID_IMfxEventFilter; }

// Reads a queue the way every engine must: the count once, a failed count or
// one of 0 or less as empty, indices in order, unreadable entries skipped.
// Returns whether the queue counted any entries, readable or not.
template <class Record, class Visit>
bool ForEachRecord(HostQueue<Record>* queue, Visit&& visit) {
    if (queue == nullptr) return false;
    std::int32_t count = 0;
    if (FAILED(queue->GetCount(&count)) || count <= 0) return false;
    for (std::int32_t i = 0; i < count; ++i) {
        Record record{};
        if (FAILED(queue->GetAt(i, &record))) continue;
        visit(record);
    }
    return true;
}

template <class Visit>
bool ForEachEvent(HostEventQueue* queue, Visit&& visit) {
    return ForEachRecord<HostEvent>(queue, visit);
}

template <class Visit>
bool ForEachData(HostDataQueue* queue, Visit&& visit) {
    return ForEachRecord<HostData>(queue, visit);
}

// Copies every readable record unchanged, as a disabled effect does.
template <class Record>
void CopyRecords(HostQueue<Record>* in, HostQueue<Record>* out) {
    ForEachRecord<Record>(in, [out](const Record& r) { out->Add(&r); });
}
inline void CopyEvents(HostEventQueue* in, HostEventQueue* out) { CopyRecords<HostEvent>(in, out); }
inline void CopyData(HostDataQueue* in, HostDataQueue* out) { CopyRecords<HostData>(in, out); }

// A song event's kind by name, for reports: "Note", "KeyAft", "Control",
// "ChanAft", "Wheel", or "other".
inline const char* KindName(std::int32_t kind) {
    switch (kind) {
        case Note: return "Note";
        case KeyAft: return "KeyAft";
        case Control: return "Control";
        case ChanAft: return "ChanAft";
        case Wheel: return "Wheel";
        default: return "other";
    }
}

}  // namespace nuv
