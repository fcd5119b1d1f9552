// Reads a song as MIDI players read it: besides well-formed Standard MIDI
// Files, a RIFF RMID file (the MIDI file inside it), a track without its
// end-of-track event and a file cut off inside or before its last track are
// read, keeping every whole event, with a one-line warning per defect. A
// strict read refuses all three as malformed. What cannot be read as events
// fails either way, as does a time code division (the effects need ticks per
// quarter note).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/smf/smf_file.h"

namespace nuv::nuvfx {

struct SongRead {
    smf::File file;
    std::vector<std::string> warnings;  // one line each, without the file's name
};

// From bytes; `name` only goes into messages. Throws ToolError naming the
// file. Any thread.
SongRead ReadSongBytes(const std::vector<std::uint8_t>& bytes, const std::string& name, bool strict);
SongRead ReadSongFile(const std::string& path, bool strict);

}  // namespace nuv::nuvfx
