// NuvGapkeeper's and NuvSloppet's song processing as it was before their
// histories had an index: every note compared with a scan of every note since
// the last start. Kept for the benchmarks that measure the indexed engines
// beside them; they play notes as the engines do, with fixed settings.
#pragma once

#include <cstdint>
#include <vector>

#include "plugins/gapkeeper/overlap_correction.h"
#include "plugins/sloppet/note_randomiser.h"

namespace nuv::reference {

class ScanGapkeeper {
public:
    void OnStart(std::int32_t, HostEventQueue*) { history_.clear(); }
    void OnEvents(std::int32_t, std::int32_t, HostEventQueue* in, HostEventQueue* out);

    gapkeeper::OverlapSettings settings{false, 120, 10};

private:
    std::vector<HostEvent> history_;
};

// All three random steps, both rules, one window for both timing steps.
class ScanSloppet {
public:
    ScanSloppet(std::int32_t window, std::uint8_t velocityRange, std::uint32_t seed)
        : window_(window), velocityRange_(velocityRange), random_(seed) {}
    void OnStart(std::int32_t, HostEventQueue*) { history_.clear(); }
    void OnEvents(std::int32_t, std::int32_t, HostEventQueue* in, HostEventQueue* out);

private:
    std::int32_t window_;
    std::uint8_t velocityRange_;
    RandomSource random_;
    std::vector<HostEvent> history_;
    std::vector<sloppet::OverlapCandidate> candidates_;
};

}  // namespace nuv::reference
