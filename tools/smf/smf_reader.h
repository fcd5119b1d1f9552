// Reads a Standard MIDI File (formats 0, 1 and 2). By default strictly: every
// fault of the chunk structure, a truncated track, a bad variable-length
// number, a missing end of track or a malformed event is reported as an
// SmfError naming the track and the byte offset. Running status is honoured;
// meta and system exclusive events are kept as they are.
//
// A tolerant read accepts the two defects that cut-off or careless files show
// and that players accept: a track that ends without its end-of-track event,
// and a file that ends before its last track chunk does (or before all the
// announced tracks). Such a track keeps every event that is whole; an event
// the end cuts through is left out. What it let through is reported in
// ReadDefects. Every other fault still fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/smf/smf_file.h"

namespace nuv::smf {

struct ReadOptions {
    bool tolerant = false;
};

// What a tolerant read found and read past. Track numbers count from 1.
struct ReadDefects {
    std::vector<std::size_t> tracksWithoutEnd;  // whole chunks that end without an end of track
    // The file ends early: inside track `cutTrack`'s chunk (0 when it ends
    // between chunks), so that `tracksFound` of `tracksAnnounced` were read.
    bool cutOff = false;
    std::size_t cutTrack = 0;
    std::uint64_t cutAnnounced = 0;  // bytes the cut chunk announces
    std::uint64_t cutPresent = 0;    // bytes of it in the file
    std::size_t tracksAnnounced = 0;
    std::size_t tracksFound = 0;
    std::size_t partialEvents = 0;   // events the end of a chunk cut through, left out

    bool Any() const { return cutOff || !tracksWithoutEnd.empty(); }
};

File ReadSmf(const std::uint8_t* data, std::size_t size);
inline File ReadSmf(const std::vector<std::uint8_t>& bytes) { return ReadSmf(bytes.data(), bytes.size()); }
// `defects` may be null; it is filled only by a tolerant read.
File ReadSmf(const std::uint8_t* data, std::size_t size, const ReadOptions& options, ReadDefects* defects);

}  // namespace nuv::smf
