// The three random steps of one note (start, end, velocity) and the overlap
// rules that bend them, working on a copy of the note and the candidates
// found around it in the note history.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/host_types.h"
#include "framework/note_history.h"
#include "framework/random_source.h"

namespace nuv::sloppet {

enum class Relation : std::uint8_t { SameStart, StartsEarlier, StartsLater };

// A history entry near the note being randomised.
struct OverlapCandidate {
    HostEvent event;
    bool sameKey;
    bool identical;
    bool startInWindow;
    bool endInWindow;
    Relation relation;
};

struct OverlapRules {
    bool preventSameNoteOverlap;
    bool preserveDifferentNoteOverlap;
};

// The ticks where a note's overlap candidates start or end: from its start
// less half the Note On window to its end plus half of each window, both
// included; compared in 64 bits. Any thread.
struct SearchWindow {
    std::int64_t first;
    std::int64_t last;
};
SearchWindow SearchWindowOf(const HostEvent& note, std::int32_t noteOnWindow, std::int32_t noteOffWindow);

// Appends `entry` to `candidates` as a candidate of `note` when its start or
// its end lies in `window`. Any thread.
void TakeCandidate(const HostEvent& note, const HostEvent& entry, const SearchWindow& window,
                   std::vector<OverlapCandidate>& candidates);

// Fills `candidates` (cleared first, its capacity reused) with the history
// entries whose start or end lies in the note's search window, oldest first.
void CollectCandidates(const HostEvent& note, const NoteHistory& history, std::int32_t noteOnWindow,
                       std::int32_t noteOffWindow, std::vector<OverlapCandidate>& candidates);

// Moves the start by a random amount within `window`, keeping the end. A
// window of 0 ticks or less changes nothing and draws nothing.
void RandomiseStart(HostEvent& note, std::int32_t window, const OverlapRules& rules,
                    const std::vector<OverlapCandidate>& candidates, RandomSource& random);

// Moves the end by a random amount within `window`, keeping the start.
void RandomiseEnd(HostEvent& note, std::int32_t window, const OverlapRules& rules,
                  const std::vector<OverlapCandidate>& candidates, RandomSource& random);

// Spreads the velocity over `range`, kept within 10..127. A range of 0
// changes nothing and draws nothing.
void RandomiseVelocity(HostEvent& note, std::uint8_t range, RandomSource& random);

}  // namespace nuv::sloppet
