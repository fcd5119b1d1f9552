// Reads a Standard MIDI File (formats 0, 1 and 2) strictly: every fault of the
// chunk structure, a truncated track, a bad variable-length number, a missing
// end of track or a malformed event is reported as an SmfError naming the
// track and the byte offset. Running status is honoured; meta and system
// exclusive events are kept as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/smf/smf_file.h"

namespace nuv::smf {

File ReadSmf(const std::uint8_t* data, std::size_t size);
inline File ReadSmf(const std::vector<std::uint8_t>& bytes) { return ReadSmf(bytes.data(), bytes.size()); }

}  // namespace nuv::smf
