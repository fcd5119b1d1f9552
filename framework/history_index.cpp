#include "framework/history_index.h"

#include <algorithm>
#include <limits>
#include <new>

namespace nuv {

namespace {

constexpr HistoryIndex::Bounds kNoNotes = {
    std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(),
    std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min()};

std::int64_t EndOf(const HostEvent& note) { return static_cast<std::int64_t>(note.time) + note.duration; }

}  // namespace

HistoryIndex::Bounds HistoryIndex::Merge(const Bounds& a, const Bounds& b) {
    return Bounds{std::min(a.lowStart, b.lowStart), std::max(a.highStart, b.highStart), std::min(a.lowEnd, b.lowEnd),
                  std::max(a.highEnd, b.highEnd)};
}

void HistoryIndex::Widen(Bounds& bounds, const HostEvent& note) const {
    const std::int32_t start = note.time;  // a copy: the packed field may be misaligned
    const std::int64_t end = EndOf(note);
    bounds.lowStart = std::min(bounds.lowStart, start);
    bounds.highStart = std::max(bounds.highStart, start);
    bounds.lowEnd = std::min(bounds.lowEnd, end);
    bounds.highEnd = std::max(bounds.highEnd, end);
}

bool HistoryIndex::Reserve(std::size_t notes) noexcept {
    const std::size_t blocks = (notes + kBlockNotes - 1) / kBlockNotes;
    if (blocks <= leaves_) return true;
    std::size_t leaves = leaves_ == 0 ? 1 : leaves_;
    while (leaves < blocks) leaves *= 2;
    // The tree is rebuilt in a new array at twice the size (or more), so the
    // memory grows geometrically with the history, never entry by entry.
    std::vector<Bounds> grown;
    try {
        grown.assign(2 * leaves, kNoNotes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::size_t b = 0; b < usedBlocks_; ++b) grown[leaves + b] = nodes_[leaves_ + b];
    for (std::size_t n = leaves - 1; n >= 1; --n) grown[n] = Merge(grown[2 * n], grown[2 * n + 1]);
    nodes_.swap(grown);
    leaves_ = leaves;
    return true;
}

void HistoryIndex::Append(std::size_t index, const HostEvent& note) {
    const std::size_t block = index / kBlockNotes;
    usedBlocks_ = std::max(usedBlocks_, block + 1);
    // Appending only widens bounds; once a node already covers the note, so do
    // all nodes above it.
    for (std::size_t node = leaves_ + block; node >= 1; node /= 2) {
        Bounds& bounds = nodes_[node];
        const Bounds before = bounds;
        Widen(bounds, note);
        if (node < leaves_ && bounds.lowStart == before.lowStart && bounds.highStart == before.highStart &&
            bounds.lowEnd == before.lowEnd && bounds.highEnd == before.highEnd)
            break;
    }
}

void HistoryIndex::Refresh(const std::vector<HostEvent>& notes, std::size_t index) {
    const std::size_t block = index / kBlockNotes;
    Bounds bounds = kNoNotes;
    const std::size_t first = block * kBlockNotes;
    for (std::size_t i = first; i < first + kBlockNotes && i < notes.size(); ++i) Widen(bounds, notes[i]);
    std::size_t node = leaves_ + block;
    nodes_[node] = bounds;
    for (node /= 2; node >= 1; node /= 2) nodes_[node] = Merge(nodes_[2 * node], nodes_[2 * node + 1]);
}

void HistoryIndex::Clear() {
    if (usedBlocks_ == 0) return;
    std::fill(nodes_.begin(), nodes_.end(), kNoNotes);
    usedBlocks_ = 0;
}

}  // namespace nuv
