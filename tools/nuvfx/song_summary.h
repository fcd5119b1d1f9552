// What an effect did to a song, counted span by span: notes are paired in
// order within each OnEvents call (the effects keep the order of the notes
// they pass), so a note that changed its start, end, key or velocity is
// counted as such, and notes or events beyond the pairs as dropped or added.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/host_types.h"

namespace nuv::nuvfx {

struct KindCount {
    std::int64_t in = 0;
    std::int64_t out = 0;
};

struct SongSummary {
    std::int64_t notesIn = 0;
    std::int64_t notesOut = 0;
    std::int64_t notesDropped = 0;
    std::int64_t notesAdded = 0;
    std::int64_t notesMoved = 0;       // start or end changed
    std::int64_t notesTransposed = 0;  // key changed
    std::int64_t velocitiesChanged = 0;
    KindCount controllers, wheel, keyPressure, channelPressure;
    std::int64_t keptEvents = 0;        // never seen by the effect
    std::int64_t tracksPlayed = 0;
    std::int64_t tracksCopied = 0;      // without channel events for the effect
    std::int64_t unendedNotes = 0;
    std::int64_t unmatchedNoteOffs = 0;
    std::int64_t clampedTimes = 0;
    std::int64_t clampedValues = 0;

    // One call: OnEvents with its input and output, or OnStart or OnStop with
    // no input.
    void AddSpan(const std::vector<HostEvent>& in, const std::vector<HostEvent>& out);
    // Adds every count of `other` (a track's to a song's).
    SongSummary& operator+=(const SongSummary& other);
};

// What one effect of a run did: the counts of the whole song.
struct StageReport {
    std::string effect;
    std::string seed;  // how its random numbers were seeded, or empty
    SongSummary total;
};

struct SongFacts {
    std::string input;
    std::string output;  // empty for a dry run
    int format = 1;
    std::size_t tracks = 0;
    std::int32_t timebase = 480;
    double secondsIn = 0.0;
    double secondsOut = 0.0;
    std::size_t tempoEvents = 0;
};

// A few lines for the user, each ending in a newline: the song, then what each
// effect did (one effect's lines stand directly under the song's; a chain's
// are numbered and indented).
std::string FormatSummary(const SongFacts& facts, const std::vector<StageReport>& stages);

}  // namespace nuv::nuvfx
