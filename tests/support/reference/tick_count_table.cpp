#include "tests/support/reference/tick_count_table.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace nuv::reference {

void TickCountTable::GrowTo(std::int64_t entries) {
    if (entries <= 0 || static_cast<std::uint64_t>(entries) <= entries_.size()) return;
    try {
        entries_.resize(static_cast<std::size_t>(entries), 0);
    } catch (const std::bad_alloc&) {
        // The host's span or a note reached further than memory allows: the
        // ticks past the present end count as silence.
    } catch (const std::length_error&) {
        // Likewise for a length beyond what the platform can address.
    }
}

void TickCountTable::AddNote(std::int32_t time, std::int32_t duration) {
    if (duration <= 0) return;
    const std::int64_t size = static_cast<std::int64_t>(entries_.size());
    const std::int64_t first = std::max<std::int64_t>(time, 0);
    const std::int64_t end = std::min<std::int64_t>(static_cast<std::int64_t>(time) + duration, size);
    for (std::int64_t tick = first; tick < end; ++tick) {
        std::uint8_t& entry = entries_[static_cast<std::size_t>(tick)];
        if ((entry & kCountMask) < kCountMask) ++entry;
    }
    if (time >= 0 && time < size) entries_[static_cast<std::size_t>(time)] |= kStartMark;
}

void TickCountTable::ClearCounts() { std::fill(entries_.begin(), entries_.end(), std::uint8_t{0}); }

void TickCountTable::Empty() {
    entries_.clear();
    entries_.shrink_to_fit();
}

}  // namespace nuv::reference
