#include "tests/support/reference/sloppet_candidates.h"

namespace nuv::reference {

namespace {

std::int64_t EndOf(const HostEvent& e) { return static_cast<std::int64_t>(e.time) + e.duration; }

bool InWindow(std::int64_t t, std::int64_t first, std::int64_t last) { return t >= first && t <= last; }

}  // namespace

void ScanCandidates(const HostEvent& note, const std::vector<HostEvent>& history, std::int32_t noteOnWindow,
                    std::int32_t noteOffWindow, std::vector<sloppet::OverlapCandidate>& candidates) {
    using sloppet::Relation;
    candidates.clear();
    const std::int64_t start = note.time;
    const std::int64_t first = start - noteOnWindow / 2;
    const std::int64_t last = EndOf(note) + noteOnWindow / 2 + noteOffWindow / 2;
    for (const HostEvent& entry : history) {
        const bool startIn = InWindow(entry.time, first, last);
        const bool endIn = InWindow(EndOf(entry), first, last);
        if (!startIn && !endIn) continue;
        const bool sameKey = entry.number == note.number;
        sloppet::OverlapCandidate c{entry,
                                    sameKey,
                                    sameKey && entry.time == note.time && entry.duration == note.duration,
                                    startIn,
                                    endIn,
                                    entry.time == note.time  ? Relation::SameStart
                                    : entry.time < note.time ? Relation::StartsEarlier
                                                             : Relation::StartsLater};
        candidates.push_back(c);
    }
}

}  // namespace nuv::reference
