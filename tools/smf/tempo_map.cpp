#include "tools/smf/tempo_map.h"

#include <algorithm>

namespace nuv::smf {

constexpr std::uint32_t kDefaultMicrosPerQuarter = 500000;

TempoMap::TempoMap(const File& file) : timeCode_(!file.HasQuarterNoteDivision()) {
    if (timeCode_) {
        // Frames per second in the high byte (as a negative number), ticks per frame in the low one.
        const int frames = -static_cast<std::int8_t>(file.division >> 8);
        const int ticksPerFrame = file.division & 0xFF;
        ticksPerUnit_ = std::max(1, (frames == 29 ? 30 : frames) * std::max(1, ticksPerFrame));
        return;
    }
    ticksPerUnit_ = file.division;
    for (const Track& track : file.tracks) {
        for (const Event& e : track.events) {
            if (e.IsMeta() && e.data1 == kMetaTempo && e.bytes.size() == 3) {
                const std::uint32_t micros =
                    (std::uint32_t{e.bytes[0]} << 16) | (std::uint32_t{e.bytes[1]} << 8) | e.bytes[2];
                if (micros != 0) changes_.push_back({e.tick, micros, 0.0});
            }
        }
        if (file.format == 2) break;  // independent patterns: the first track's tempo rules
    }
    found_ = changes_.size();
    std::stable_sort(changes_.begin(), changes_.end(),
                     [](const Change& a, const Change& b) { return a.tick < b.tick; });
    if (changes_.empty() || changes_.front().tick != 0)
        changes_.insert(changes_.begin(), {0, kDefaultMicrosPerQuarter, 0.0});
    // Each change's time, summed segment by segment from the start.
    for (std::size_t i = 1; i < changes_.size(); ++i)
        changes_[i].seconds = changes_[i - 1].seconds + SegmentSeconds(changes_[i - 1], changes_[i].tick);
}

double TempoMap::SegmentSeconds(const Change& from, std::uint32_t tick) const {
    return (tick - from.tick) * (from.microsPerQuarter / 1e6) / ticksPerUnit_;
}

double TempoMap::SecondsAt(std::uint32_t tick) const {
    if (timeCode_) return tick / ticksPerUnit_;
    // The last change before `tick` (a change at `tick` itself adds nothing).
    auto after = std::lower_bound(changes_.begin(), changes_.end(), tick,
                                  [](const Change& c, std::uint32_t t) { return c.tick < t; });
    if (after == changes_.begin()) return 0.0;
    const Change& from = *(after - 1);
    return from.seconds + SegmentSeconds(from, tick);
}

}  // namespace nuv::smf
