// Writes a Standard MIDI File: the header, then each track with its events in
// list order, delta times as variable-length numbers, running status for
// channel messages (never across a meta or system exclusive event), and an
// end-of-track event at the track's end tick or its last event, whichever is
// later. End-of-track events found in the list are left out.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/smf/smf_file.h"

namespace nuv::smf {

struct WriteOptions {
    bool runningStatus = true;
};

// Throws SmfError for what no valid file can hold: ticks that go backwards,
// a format 0 file with other than one track, bytes out of range.
std::vector<std::uint8_t> WriteSmf(const File& file, const WriteOptions& options = {});

}  // namespace nuv::smf
