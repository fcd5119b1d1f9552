// A Standard MIDI File in memory: the header's format and division and the
// tracks, each an ordered list of events at absolute ticks. The end-of-track
// event is not kept in the list: a track holds the tick it ends at instead,
// and the writer puts the end-of-track event back.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace nuv::smf {

constexpr std::uint8_t kMetaStatus = 0xFF;
constexpr std::uint8_t kSysExStatus = 0xF0;
constexpr std::uint8_t kSysExEscape = 0xF7;
constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
constexpr std::uint8_t kMetaTempo = 0x51;
// Ticks of a track must stay within the host's signed 32-bit times.
constexpr std::uint32_t kLongestTrack = 0x7FFFFFFF;

struct Event {
    std::uint32_t tick = 0;    // absolute
    std::uint8_t status = 0;   // 0x80..0xEF channel message, 0xF0 or 0xF7 system exclusive, 0xFF meta
    std::uint8_t data1 = 0;    // channel messages: first data byte; meta: the meta type
    std::uint8_t data2 = 0;    // channel messages with two data bytes
    std::vector<std::uint8_t> bytes;  // meta and system exclusive: the payload after the length

    bool IsChannel() const { return status >= 0x80 && status < 0xF0; }
    bool IsMeta() const { return status == kMetaStatus; }
    bool IsSysEx() const { return status == kSysExStatus || status == kSysExEscape; }
    std::uint8_t Kind() const { return static_cast<std::uint8_t>(status & 0xF0); }
    std::uint8_t Channel() const { return static_cast<std::uint8_t>(status & 0x0F); }

    bool operator==(const Event& o) const {
        return tick == o.tick && status == o.status && data1 == o.data1 && data2 == o.data2 && bytes == o.bytes;
    }
};

struct Track {
    std::vector<Event> events;  // in file order, ticks never decreasing
    std::uint32_t endTick = 0;  // tick of the end-of-track event

    bool operator==(const Track& o) const { return events == o.events && endTick == o.endTick; }
};

struct File {
    std::uint16_t format = 1;
    // Ticks per quarter note, or (with the top bit set) a frames-per-second
    // time code division, kept as it was read.
    std::uint16_t division = 480;
    std::vector<Track> tracks;

    bool HasQuarterNoteDivision() const { return (division & 0x8000) == 0 && division != 0; }
    bool operator==(const File& o) const {
        return format == o.format && division == o.division && tracks == o.tracks;
    }
};

// A channel message: `status` holds the kind and the channel.
inline Event ChannelMessage(std::uint32_t tick, std::uint8_t status, std::uint8_t data1, std::uint8_t data2 = 0) {
    Event e;
    e.tick = tick;
    e.status = status;
    e.data1 = data1;
    e.data2 = data2;
    return e;
}

// Data bytes a channel message of this status carries: 1 for program change
// and channel pressure, 2 for the others.
constexpr int ChannelDataBytes(std::uint8_t status) {
    return ((status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0) ? 1 : 2;
}

// What is wrong with a file that cannot be read or written; the message is one
// line meant for the user.
class SmfError : public std::runtime_error {
public:
    explicit SmfError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace nuv::smf
