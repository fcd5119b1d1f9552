// Small builders for the records and calls that tests put through an effect.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/host_types.h"
#include "platform/com_ref.h"
#include "tools/host/memory_stream.h"
#include "tools/host/queues.h"

namespace nuv::testing {

inline HostEvent NoteEvent(std::int32_t time, std::uint8_t key, std::uint8_t velocity, std::int32_t duration,
                           std::uint8_t channel = 0) {
    HostEvent e{};
    e.time = time;
    e.channel = channel;
    e.kind = Note;
    e.number = key;
    e.value = velocity;
    e.duration = duration;
    return e;
}

inline HostEvent ControlEvent(std::int32_t time, std::uint8_t number, std::uint8_t value, std::uint8_t channel = 0) {
    HostEvent e{};
    e.time = time;
    e.channel = channel;
    e.kind = Control;
    e.number = number;
    e.value = value;
    return e;
}

inline HostEvent WheelEvent(std::int32_t time, std::int16_t value, std::uint8_t channel = 0) {
    HostEvent e{};
    e.time = time;
    e.channel = channel;
    e.kind = Wheel;
    SetWheelValue(e, value);
    return e;
}

inline HostData Message(std::uint8_t status, std::uint8_t data1, std::uint8_t data2, std::int32_t time = 0) {
    return HostData{time, status, data1, data2, 0};
}

// Owns a pair of queues for one call.
template <class Queue, class Record>
struct QueuePair {
    explicit QueuePair(std::vector<Record> input = {}) : in(new Queue(std::move(input))), out(new Queue) {}
    ComRef<Queue> in;
    ComRef<Queue> out;
    const std::vector<Record>& Output() const { return out->Records(); }
};
using EventCall = QueuePair<host::EventQueue, HostEvent>;
using DataCall = QueuePair<host::DataQueue, HostData>;

// Runs OnEvents over the given events and returns what came out.
inline std::vector<HostEvent> RunEvents(IMfxEventFilter& effect, std::vector<HostEvent> input,
                                        std::int32_t from = 0, std::int32_t thru = 479) {
    EventCall call(std::move(input));
    effect.OnEvents(from, thru, call.in.Get(), call.out.Get());
    return call.Output();
}

// Runs OnInput over the given messages and returns what came out.
inline std::vector<HostData> RunInput(IMfxEventFilter& effect, std::vector<HostData> input) {
    DataCall call(std::move(input));
    effect.OnInput(call.in.Get(), call.out.Get());
    return call.Output();
}

// Saves an effect into fresh memory and returns the bytes.
inline std::vector<std::uint8_t> SavedBytes(IPersistStream& persist, bool clearDirty = true) {
    ComRef<host::MemoryStream> stream(new host::MemoryStream);
    persist.Save(stream.Get(), clearDirty ? 1 : 0);
    return stream->Bytes();
}

// Loads bytes into an effect and returns Load's result.
inline HRESULT LoadBytes(IPersistStream& persist, std::vector<std::uint8_t> bytes) {
    ComRef<host::MemoryStream> stream(new host::MemoryStream(std::move(bytes)));
    return persist.Load(stream.Get());
}

// Little-endian stream images of int32 and float fields.
class StreamImage {
public:
    StreamImage& U32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    StreamImage& I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
    StreamImage& F32(float v) {
        std::uint32_t u;
        std::memcpy(&u, &v, 4);
        return U32(u);
    }
    StreamImage& Byte(std::uint8_t v) {
        bytes_.push_back(v);
        return *this;
    }
    std::vector<std::uint8_t> Bytes() const { return bytes_; }
    operator std::vector<std::uint8_t>() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads little-endian fields back out of saved bytes.
inline std::int32_t I32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(bytes.at(offset + i)) << (8 * i);
    return static_cast<std::int32_t>(u);
}
inline float F32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    const std::uint32_t u = static_cast<std::uint32_t>(I32At(bytes, offset));
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

// Effects are COM objects: the test holds its one reference in a ComRef.
template <class Effect>
ComRef<Effect> MakeEffect() {
    return ComRef<Effect>(new Effect);
}

}  // namespace nuv::testing
