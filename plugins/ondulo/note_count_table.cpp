#include "plugins/ondulo/note_count_table.h"

#include <algorithm>
#include <new>

namespace nuv::ondulo {

void NoteCountTable::GrowTo(std::int64_t entries) { length_ = std::max(length_, entries); }

std::size_t NoteCountTable::StepAfter(std::int64_t tick) const {
    const auto after = std::upper_bound(steps_.begin(), steps_.end(), tick,
                                        [](std::int64_t t, const Step& step) { return t < step.tick; });
    return static_cast<std::size_t>(after - steps_.begin());
}

std::size_t NoteCountTable::SplitAt(std::int64_t tick) {
    const std::size_t after = StepAfter(tick);
    if (after > 0 && steps_[after - 1].tick == tick) return after - 1;
    const std::uint32_t count = after > 0 ? steps_[after - 1].count : 0;
    steps_.insert(steps_.begin() + static_cast<std::ptrdiff_t>(after), Step{tick, count, false});
    return after;
}

void NoteCountTable::AddNote(std::int32_t time, std::int32_t duration) {
    if (duration <= 0) return;
    const std::int64_t first = std::max<std::int64_t>(time, 0);
    const std::int64_t end = std::min<std::int64_t>(static_cast<std::int64_t>(time) + duration, length_);
    if (first >= end) return;
    std::size_t from = 0;
    std::size_t to = 0;
    try {
        // Splitting never changes what a tick reads, so a refusal after the
        // first split leaves the table as it was.
        from = SplitAt(first);
        to = SplitAt(end);
    } catch (const std::bad_alloc&) {
        return;
    }
    for (std::size_t i = from; i < to; ++i) ++steps_[i].count;
    if (time >= 0) steps_[from].start = true;  // `first` is `time` itself here
}

std::uint8_t NoteCountTable::EntryOf(const Step& step, std::int64_t tick) {
    const auto count = static_cast<std::uint8_t>(std::min<std::uint32_t>(step.count, kCountMask));
    return step.start && step.tick == tick ? static_cast<std::uint8_t>(count | kStartMark) : count;
}

std::uint8_t NoteCountTable::At(std::int64_t tick) const {
    if (tick < 0 || tick >= length_) return 0;
    const std::size_t after = StepAfter(tick);
    return after == 0 ? 0 : EntryOf(steps_[after - 1], tick);
}

void NoteCountTable::Empty() {
    std::vector<Step>().swap(steps_);
    length_ = 0;
}

std::size_t NoteCountTable::BytesHeld() const { return steps_.capacity() * sizeof(Step); }

NoteCountTable::Reader::Reader(const NoteCountTable& table, std::int64_t tick)
    : table_(table), tick_(tick), next_(table.StepAfter(tick)) {}

std::uint8_t NoteCountTable::Reader::Next() {
    const std::int64_t tick = tick_++;
    const std::vector<Step>& steps = table_.steps_;
    while (next_ < steps.size() && steps[next_].tick <= tick) ++next_;
    if (tick < 0 || tick >= table_.length_ || next_ == 0) return 0;
    return EntryOf(steps[next_ - 1], tick);
}

}  // namespace nuv::ondulo
