// The tempo map of a file: the tempo events of every track, for turning ticks
// into seconds. Without tempo events a song runs at 120 beats per minute.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/smf/smf_file.h"

namespace nuv::smf {

class TempoMap {
public:
    explicit TempoMap(const File& file);

    // Seconds from the start of the song to `tick`; logarithmic in the
    // number of tempo changes.
    double SecondsAt(std::uint32_t tick) const;
    // Tempo events found in the file.
    std::size_t TempoEvents() const { return found_; }

private:
    struct Change {
        std::uint32_t tick;
        std::uint32_t microsPerQuarter;
        double seconds;  // from the start of the song to this change
    };
    double SegmentSeconds(const Change& from, std::uint32_t tick) const;

    std::vector<Change> changes_;  // ordered by tick, the first at tick 0
    double ticksPerUnit_;  // ticks per quarter note, or ticks per second for a time code division
    bool timeCode_;
    std::size_t found_ = 0;
};

}  // namespace nuv::smf
