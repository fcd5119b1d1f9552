#include "tools/smf/riff_midi.h"

#include <algorithm>
#include <cstring>

#include "tools/smf/smf_file.h"

namespace nuv::smf {
namespace {

constexpr std::size_t kRiffHeader = 12;  // "RIFF", size, "RMID"
constexpr std::size_t kChunkHeader = 8;  // type, size

std::uint32_t Little32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}

}  // namespace

bool IsRiffMidi(const std::uint8_t* data, std::size_t size) {
    return size >= kRiffHeader && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "RMID", 4) == 0;
}

ByteRange MidiDataOfRiff(const std::uint8_t* data, std::size_t size) {
    // The sub-chunks are walked to the end of the file rather than to the end
    // the RIFF size gives: writers get that size wrong often enough.
    std::uint64_t at = kRiffHeader;
    while (at + kChunkHeader <= size) {
        const std::uint8_t* chunk = data + at;
        const std::uint64_t length = Little32(chunk + 4);
        const std::uint64_t body = at + kChunkHeader;
        if (std::memcmp(chunk, "data", 4) == 0)
            return {static_cast<std::size_t>(body), static_cast<std::size_t>(std::min<std::uint64_t>(body + length, size))};
        at = body + length + (length & 1);
    }
    throw SmfError("RIFF RMID file without a data chunk");
}

}  // namespace nuv::smf
