// Between a file's track and the host's song events. Splitting pairs each
// Note On with its Note Off (the earliest sounding note of the key ends first)
// into one Note event with its duration, turns controllers, key and channel
// pressure and the pitch wheel (as the signed value around the centre) into
// their kinds, and keeps every other event out of the filter. Merging turns
// the filter's output back into channel messages and puts the kept events
// back among them, in time order.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/host_types.h"
#include "tools/smf/smf_file.h"

namespace nuv::nuvfx {

struct SplitTrack {
    std::vector<HostEvent> filterable;  // by start time, in file order within a tick
    std::vector<smf::Event> kept;       // in file order
    std::uint32_t endTick = 0;          // the track's end
    std::uint32_t lastNoteEnd = 0;      // the latest end of a note
    std::int32_t unendedNotes = 0;      // Note Ons without a Note Off, ended at the track's end
    std::int32_t unmatchedNoteOffs = 0; // Note Offs without a note, kept as they are

    // The tick the song lasts through: the track's end, or a later note end.
    // (A track read from a file has no event after its end.)
    std::uint32_t LastTick() const { return endTick > lastNoteEnd ? endTick : lastNoteEnd; }
};

SplitTrack Split(const smf::Track& track);

struct MergeCounts {
    std::int32_t clampedTimes = 0;   // events before tick 0 put at tick 0
    std::int32_t clampedValues = 0;  // values out of range for a channel message brought into it
    std::int32_t unwritable = 0;     // events of kinds no channel message carries, left out
};

smf::Track Merge(const std::vector<HostEvent>& filtered, const std::vector<smf::Event>& kept, std::uint32_t endTick,
                 MergeCounts& counts);

}  // namespace nuv::nuvfx
