// An index over a note history kept in arrival order. The history is cut into
// blocks of kBlockNotes consecutive entries, and a binary tree over the blocks
// holds, for every run of blocks, the lowest and highest start and end of its
// notes. A search says which starts and ends it wants through a test on those
// bounds; it walks only the blocks whose bounds pass, in history order or in
// reverse, and hands each of their entries to the caller, who applies the exact
// test. On a song whose notes arrive roughly in time order a search for the
// notes around one time visits the blocks near that time and the few blocks
// holding notes still sounding there, however long the history has grown.
// Host threads only, like the history it indexes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/host_types.h"

namespace nuv {

class HistoryIndex {
public:
    static constexpr std::size_t kBlockNotes = 16;

    // Lowest and highest start and end (start + duration, never wrapped) of the
    // notes below one node of the tree. A node without notes has its lowest
    // values above its highest, so that no range meets it.
    struct Bounds {
        std::int32_t lowStart;
        std::int32_t highStart;
        std::int64_t lowEnd;
        std::int64_t highEnd;
    };

    // Makes room for `notes` entries. False when memory is refused; the index
    // is then unchanged.
    bool Reserve(std::size_t notes) noexcept;
    // Takes in `note`, the history's entry `index`, appended after every entry
    // already taken in. Room for it must have been reserved.
    void Append(std::size_t index, const HostEvent& note);
    // Takes in the new start or duration of entry `index` of `notes`.
    void Refresh(const std::vector<HostEvent>& notes, std::size_t index);
    // Forgets every entry, keeping the memory.
    void Clear();

    // Calls visit(i) for every entry i of `notes` in a block below a node whose
    // bounds pass meets(bounds), oldest first.
    template <class Meets, class Visit>
    void Forward(const std::vector<HostEvent>& notes, Meets&& meets, Visit&& visit) const;
    // The same newest first; stops as soon as visit(i) returns false.
    template <class Meets, class Visit>
    void Backward(const std::vector<HostEvent>& notes, Meets&& meets, Visit&& visit) const;

private:
    static constexpr int kMaxDepth = 64;

    // Depth first through the nodes that meet, children in the order asked;
    // stops when visit(i) returns false.
    template <bool kNewestFirst, class Meets, class Visit>
    void Walk(const std::vector<HostEvent>& notes, Meets& meets, Visit& visit) const;

    void Widen(Bounds& bounds, const HostEvent& note) const;
    static Bounds Merge(const Bounds& a, const Bounds& b);
    bool IsLeaf(std::size_t node) const { return node >= leaves_; }
    std::size_t FirstEntry(std::size_t leafNode) const { return (leafNode - leaves_) * kBlockNotes; }

    std::size_t leaves_ = 0;      // leaf slots, a power of two; node n's children are 2n and 2n + 1
    std::vector<Bounds> nodes_;   // 2 * leaves_ nodes, node 1 the root
    std::size_t usedBlocks_ = 0;  // blocks holding entries
};

template <class Meets, class Visit>
void HistoryIndex::Forward(const std::vector<HostEvent>& notes, Meets&& meets, Visit&& visit) const {
    auto always = [&visit](std::size_t i) {
        visit(i);
        return true;
    };
    Walk<false>(notes, meets, always);
}

template <class Meets, class Visit>
void HistoryIndex::Backward(const std::vector<HostEvent>& notes, Meets&& meets, Visit&& visit) const {
    Walk<true>(notes, meets, visit);
}

template <bool kNewestFirst, class Meets, class Visit>
void HistoryIndex::Walk(const std::vector<HostEvent>& notes, Meets& meets, Visit& visit) const {
    if (usedBlocks_ == 0) return;
    std::size_t stack[kMaxDepth];
    int depth = 0;
    stack[depth++] = 1;
    while (depth > 0) {
        const std::size_t node = stack[--depth];
        if (!meets(nodes_[node])) continue;
        if (!IsLeaf(node)) {
            // The child to visit first goes on the stack last.
            stack[depth++] = kNewestFirst ? 2 * node : 2 * node + 1;
            stack[depth++] = kNewestFirst ? 2 * node + 1 : 2 * node;
            continue;
        }
        // A block without entries has bounds that no ordinary range meets,
        // but a search with ranges past the limits of the times can.
        const std::size_t first = FirstEntry(node);
        if (first >= notes.size()) continue;
        const std::size_t end = first + kBlockNotes < notes.size() ? first + kBlockNotes : notes.size();
        for (std::size_t n = 0; n < end - first; ++n)
            if (!visit(kNewestFirst ? end - 1 - n : first + n)) return;
    }
}

}  // namespace nuv
