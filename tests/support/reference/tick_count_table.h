// NuvOndulo's table of sounding notes as the engine kept it before it held
// its counts as steps: one byte per song tick from tick 0, bits 0-6 the number
// of notes sounding at that tick, bit 7 set where a note starts. Kept as the
// reference the present table must agree with, tick for tick.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nuv::reference {

class TickCountTable {
public:
    static constexpr std::uint8_t kStartMark = 0x80;
    static constexpr std::uint8_t kCountMask = 0x7F;

    // Makes the table at least `entries` long, new entries 0. When memory is
    // refused the table keeps its length and the ticks beyond it read as silence.
    void GrowTo(std::int64_t entries);
    // Counts one note from tick `time` for `duration` ticks at every tick that
    // lies inside the table; marks its first tick as a start. A count stays at
    // 127 once there, so it never runs into the start mark.
    void AddNote(std::int32_t time, std::int32_t duration);
    // The entry of `tick`; 0 outside the table.
    std::uint8_t At(std::int64_t tick) const {
        return tick >= 0 && static_cast<std::uint64_t>(tick) < entries_.size()
                   ? entries_[static_cast<std::size_t>(tick)]
                   : 0;
    }
    // Zeroes every entry, keeping the length.
    void ClearCounts();
    // Drops every entry and the memory behind them.
    void Empty();

    std::size_t Length() const { return entries_.size(); }
    std::size_t BytesHeld() const { return entries_.capacity(); }

private:
    std::vector<std::uint8_t> entries_;
};

}  // namespace nuv::reference
