// The RIFF form Windows uses for MIDI files (".rmi"): a "RIFF" chunk of form
// type "RMID" whose "data" chunk holds a Standard MIDI File. Chunk sizes are
// little-endian and odd-sized chunks are padded to an even length.
#pragma once

#include <cstddef>
#include <cstdint>

namespace nuv::smf {

// True when the bytes begin as a RIFF RMID file.
bool IsRiffMidi(const std::uint8_t* data, std::size_t size);

struct ByteRange {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Where the Standard MIDI File inside a RIFF RMID file lies. A data chunk
// that runs past the end of the file ends with it. Throws SmfError when the
// file holds no data chunk.
ByteRange MidiDataOfRiff(const std::uint8_t* data, std::size_t size);

}  // namespace nuv::smf
