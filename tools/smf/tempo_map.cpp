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
                if (micros != 0) changes_.push_back({e.tick, micros});
            }
        }
        if (file.format == 2) break;  // independent patterns: the first track's tempo rules
    }
    found_ = changes_.size();
    std::stable_sort(changes_.begin(), changes_.end(),
                     [](const Change& a, const Change& b) { return a.tick < b.tick; });
    if (changes_.empty() || changes_.front().tick != 0) changes_.insert(changes_.begin(), {0, kDefaultMicrosPerQuarter});
}

double TempoMap::SecondsAt(std::uint32_t tick) const {
    if (timeCode_) return tick / ticksPerUnit_;
    double seconds = 0.0;
    for (std::size_t i = 0; i < changes_.size(); ++i) {
        const std::uint32_t begin = changes_[i].tick;
        if (begin >= tick) break;
        const std::uint32_t end = (i + 1 < changes_.size()) ? std::min(changes_[i + 1].tick, tick) : tick;
        seconds += (end - begin) * (changes_[i].microsPerQuarter / 1e6) / ticksPerUnit_;
    }
    return seconds;
}

}  // namespace nuv::smf
