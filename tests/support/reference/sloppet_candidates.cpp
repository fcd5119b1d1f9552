#include "tests/support/reference/sloppet_candidates.h"

namespace nuv::reference {

void ScanCandidates(const HostEvent& note, const std::vector<HostEvent>& history, std::int32_t noteOnWindow,
                    std::int32_t noteOffWindow, std::vector<sloppet::OverlapCandidate>& candidates) {
    candidates.clear();
    const sloppet::SearchWindow window = sloppet::SearchWindowOf(note, noteOnWindow, noteOffWindow);
    for (const HostEvent& entry : history) sloppet::TakeCandidate(note, entry, window, candidates);
}

}  // namespace nuv::reference
