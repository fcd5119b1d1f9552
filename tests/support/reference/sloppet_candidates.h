// NuvSloppet's overlap candidates as the engine found them before its history
// had an index: every entry of the history tried in turn. Kept as the
// reference the indexed search must agree with.
#pragma once

#include <cstdint>
#include <vector>

#include "plugins/sloppet/note_randomiser.h"

namespace nuv::reference {

void ScanCandidates(const HostEvent& note, const std::vector<HostEvent>& history, std::int32_t noteOnWindow,
                    std::int32_t noteOffWindow, std::vector<sloppet::OverlapCandidate>& candidates);

}  // namespace nuv::reference
