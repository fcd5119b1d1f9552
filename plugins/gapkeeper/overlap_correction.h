// The overlap correction of one note against the notes seen before and with
// it: its end is cut back to a margin before a note that begins shortly before
// it ends, and its start is moved to a margin after a note that overlaps its
// head, ending shortly after it begins. Overlaps longer than the detection
// range are left alone.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/host_types.h"
#include "framework/note_history.h"

namespace nuv::gapkeeper {

struct OverlapSettings {
    bool sameNoteOnly;
    std::int32_t detectionRange;
    std::int32_t noteMargin;
};

// Corrects `note` in place against every entry of `history` (oldest first; the
// note itself and exact duplicates of it are skipped). Any thread; touches
// nothing but its arguments.
void CorrectOverlap(HostEvent& note, const std::vector<HostEvent>& history, const OverlapSettings& settings);

// The same correction, finding the entries that matter through the history's
// index; `note` is a copy of one of its entries. Any thread; touches nothing
// but its arguments.
void CorrectOverlap(HostEvent& note, const NoteHistory& history, const OverlapSettings& settings);

}  // namespace nuv::gapkeeper
