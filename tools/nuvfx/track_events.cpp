#include "tools/nuvfx/track_events.h"

#include <algorithm>

namespace nuv::nuvfx {
namespace {

HostEvent ChannelEvent(const smf::Event& e, std::int32_t kind) {
    HostEvent h{};
    h.time = static_cast<std::int32_t>(e.tick);
    h.channel = e.Channel();
    h.kind = kind;
    h.number = e.data1;
    h.value = e.data2;
    return h;
}

// The open notes of one track: for each channel and key, the indices of the
// Note events still waiting for their end, oldest first. A slot allocates
// only once its key sounds.
class OpenNotes {
public:
    void Open(std::uint8_t channel, std::uint8_t key, std::size_t index) { slot(channel, key).waiting.push_back(index); }
    bool Close(std::uint8_t channel, std::uint8_t key, std::size_t& index) {
        Slot& s = slot(channel, key);
        if (s.head == s.waiting.size()) return false;
        index = s.waiting[s.head++];
        if (s.head == s.waiting.size()) {
            s.waiting.clear();
            s.head = 0;
        }
        return true;
    }
    template <class Visit>
    void ForEachOpen(Visit&& visit) {
        for (const Slot& s : slots_)
            for (std::size_t i = s.head; i < s.waiting.size(); ++i) visit(s.waiting[i]);
    }

private:
    struct Slot {
        std::vector<std::size_t> waiting;
        std::size_t head = 0;
    };
    Slot& slot(std::uint8_t channel, std::uint8_t key) {
        return slots_[static_cast<std::size_t>(channel & kChannelMask) * 128 + (key & 0x7F)];
    }
    std::vector<Slot> slots_ = std::vector<Slot>(16 * 128);
};

bool IsNoteEnd(const smf::Event& e) {
    return e.Kind() == kStatusNoteOff || (e.Kind() == kStatusNoteOn && e.data2 == 0);
}

}  // namespace

SplitTrack Split(const smf::Track& track) {
    SplitTrack out;
    out.endTick = track.endTick;
    OpenNotes open;
    for (const smf::Event& e : track.events) {
        if (!e.IsChannel()) {
            out.kept.push_back(e);
            continue;
        }
        if (IsNoteEnd(e)) {
            std::size_t index = 0;
            if (open.Close(e.Channel(), e.data1, index)) {
                HostEvent& note = out.filterable[index];
                note.duration = static_cast<std::int32_t>(e.tick) - note.time;
                note.release = e.Kind() == kStatusNoteOff ? e.data2 : 0;
                out.lastNoteEnd = std::max(out.lastNoteEnd, e.tick);
            } else {
                ++out.unmatchedNoteOffs;
                out.kept.push_back(e);
            }
            continue;
        }
        switch (e.Kind()) {
        case kStatusNoteOn:
            open.Open(e.Channel(), e.data1, out.filterable.size());
            out.filterable.push_back(ChannelEvent(e, Note));
            break;
        case kStatusKeyAft: out.filterable.push_back(ChannelEvent(e, KeyAft)); break;
        case kStatusControl: out.filterable.push_back(ChannelEvent(e, Control)); break;
        case kStatusChanAft: {
            HostEvent h = ChannelEvent(e, ChanAft);
            h.number = 0;
            h.value = e.data1;
            out.filterable.push_back(h);
            break;
        }
        case kStatusWheel: {
            HostEvent h = ChannelEvent(e, Wheel);
            SetWheelValue(h, static_cast<std::int16_t>(((e.data2 << 7) | e.data1) - kWheelCentre));
            out.filterable.push_back(h);
            break;
        }
        default: out.kept.push_back(e); break;  // program change
        }
    }
    open.ForEachOpen([&](std::size_t index) {
        HostEvent& note = out.filterable[index];
        note.duration = static_cast<std::int32_t>(track.endTick) - note.time;
        ++out.unendedNotes;
    });
    return out;
}

namespace {

// Where an event goes among others of the same tick: ends of earlier notes
// first, then the events kept out of the filter, then the filter's other
// events, then note starts, and last the ends of notes that start and end on
// that tick.
enum Place : std::uint8_t { kNoteEnd, kKept, kFiltered, kNoteStart, kZeroLengthEnd };

struct Placed {
    std::uint32_t tick;
    Place place;
    std::size_t sequence;
    smf::Event event;
};

std::uint8_t DataByte(std::int32_t v, MergeCounts& counts) {
    if (v < 0 || v > 127) {
        ++counts.clampedValues;
        return static_cast<std::uint8_t>(std::clamp(v, 0, 127));
    }
    return static_cast<std::uint8_t>(v);
}

std::uint32_t Tick(std::int64_t t, MergeCounts& counts) {
    if (t < 0) {
        ++counts.clampedTimes;
        return 0;
    }
    return static_cast<std::uint32_t>(std::min<std::int64_t>(t, smf::kLongestTrack));
}

smf::Event Message(std::uint32_t tick, std::uint8_t kind, std::uint8_t channel, std::uint8_t d1, std::uint8_t d2) {
    return smf::ChannelMessage(tick, static_cast<std::uint8_t>(kind | (channel & kChannelMask)), d1, d2);
}

void PlaceFiltered(const HostEvent& h, std::size_t sequence, std::vector<Placed>& out, MergeCounts& counts) {
    const std::uint32_t tick = Tick(h.time, counts);
    const std::uint8_t channel = static_cast<std::uint8_t>(h.channel & kChannelMask);
    if (h.channel > 15) ++counts.clampedValues;
    switch (h.kind) {
    case Note: {
        // A Note On of velocity 0 would be an end; a note keeps at least 1.
        std::uint8_t velocity = DataByte(h.value, counts);
        if (velocity == 0) {
            ++counts.clampedValues;
            velocity = 1;
        }
        const std::uint8_t key = DataByte(h.number, counts);
        std::int32_t duration = h.duration;
        if (duration < 0) {
            ++counts.clampedValues;
            duration = 0;
        }
        const std::uint32_t end = Tick(static_cast<std::int64_t>(tick) + duration, counts);
        out.push_back({tick, kNoteStart, sequence, Message(tick, kStatusNoteOn, channel, key, velocity)});
        out.push_back({end, end == tick ? kZeroLengthEnd : kNoteEnd, sequence,
                       Message(end, kStatusNoteOff, channel, key, DataByte(h.release, counts))});
        return;
    }
    case KeyAft:
        out.push_back({tick, kFiltered, sequence,
                       Message(tick, kStatusKeyAft, channel, DataByte(h.number, counts), DataByte(h.value, counts))});
        return;
    case Control:
        out.push_back({tick, kFiltered, sequence,
                       Message(tick, kStatusControl, channel, DataByte(h.number, counts), DataByte(h.value, counts))});
        return;
    case ChanAft:
        out.push_back(
            {tick, kFiltered, sequence, Message(tick, kStatusChanAft, channel, DataByte(h.value, counts), 0)});
        return;
    case Wheel: {
        std::int32_t v = WheelValue(h) + kWheelCentre;
        if (v < 0 || v > 0x3FFF) {
            ++counts.clampedValues;
            v = std::clamp(v, 0, 0x3FFF);
        }
        out.push_back({tick, kFiltered, sequence,
                       Message(tick, kStatusWheel, channel, static_cast<std::uint8_t>(v & 0x7F),
                               static_cast<std::uint8_t>(v >> 7))});
        return;
    }
    default: ++counts.unwritable; return;
    }
}

}  // namespace

smf::Track Merge(const std::vector<HostEvent>& filtered, const std::vector<smf::Event>& kept, std::uint32_t endTick,
                 MergeCounts& counts) {
    std::vector<Placed> placed;
    placed.reserve(filtered.size() * 2 + kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) placed.push_back({kept[i].tick, kKept, i, kept[i]});
    for (std::size_t i = 0; i < filtered.size(); ++i) PlaceFiltered(filtered[i], i, placed, counts);
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        if (a.tick != b.tick) return a.tick < b.tick;
        if (a.place != b.place) return a.place < b.place;
        return a.sequence < b.sequence;
    });
    smf::Track track;
    track.endTick = endTick;
    track.events.reserve(placed.size());
    for (Placed& p : placed) {
        track.endTick = std::max(track.endTick, p.tick);
        track.events.push_back(std::move(p.event));
    }
    return track;
}

}  // namespace nuv::nuvfx
