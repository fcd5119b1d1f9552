#include "tests/support/reference/sloppet_candidates.h"

namespace nuv::reference {

void ScanCandidates(const HostEvent& note, const std::vector<HostEvent>& history, std::int32_t noteOnWindow,
                    std::int32_t noteOffWindow, std::vector<sloppet::OverlapCandidate>& candidates) {
    candidates.clear();
    const std::int64_t start = note.time;
    const std::int64_t end = start + note.duration;
    const sloppet::SearchWindow window{start - noteOnWindow / 2, end + noteOnWindow / 2 + noteOffWindow / 2};
    for (const HostEvent& entry : history) sloppet::TakeCandidate(note, entry, window, candidates);
}

}  // namespace nuv::reference
