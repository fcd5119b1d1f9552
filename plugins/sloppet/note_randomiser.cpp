#include "plugins/sloppet/note_randomiser.h"

#include <algorithm>
#include <cstdlib>

#include "plugins/sloppet/random_windows.h"

namespace nuv::sloppet {

namespace {

// Times and lengths are worked out in 64 bits so that no stored window or
// host time can overflow; a note's fields are written back only within int32.
std::int64_t EndOf(const HostEvent& e) { return static_cast<std::int64_t>(e.time) + e.duration; }

bool InWindow(std::int64_t t, std::int64_t first, std::int64_t last) { return t >= first && t <= last; }

constexpr std::int64_t kMaxTicks = 2147483647;

// Stores a new duration only when the note keeps at least one tick; any other
// result leaves the duration as it was.
void StoreDurationIfAudible(HostEvent& note, std::int64_t duration) {
    if (duration >= 1 && duration <= kMaxTicks) note.duration = static_cast<std::int32_t>(duration);
}

}  // namespace

SearchWindow SearchWindowOf(const HostEvent& note, std::int32_t noteOnWindow, std::int32_t noteOffWindow) {
    return SearchWindow{static_cast<std::int64_t>(note.time) - noteOnWindow / 2,
                        EndOf(note) + noteOnWindow / 2 + noteOffWindow / 2};
}

void TakeCandidate(const HostEvent& note, const HostEvent& entry, const SearchWindow& window,
                   std::vector<OverlapCandidate>& candidates) {
    const bool startIn = InWindow(entry.time, window.first, window.last);
    const bool endIn = InWindow(EndOf(entry), window.first, window.last);
    if (!startIn && !endIn) return;
    const bool sameKey = entry.number == note.number;
    OverlapCandidate c{entry,
                       sameKey,
                       sameKey && entry.time == note.time && entry.duration == note.duration,
                       startIn,
                       endIn,
                       entry.time == note.time  ? Relation::SameStart
                       : entry.time < note.time ? Relation::StartsEarlier
                                                : Relation::StartsLater};
    candidates.push_back(c);
}

// The window is compared in 64 bits, as are the index's bounds, so the index
// finds exactly the entries a scan of the whole history would, for any times,
// lengths and windows.
void CollectCandidates(const HostEvent& note, const NoteHistory& history, std::int32_t noteOnWindow,
                       std::int32_t noteOffWindow, std::vector<OverlapCandidate>& candidates) {
    candidates.clear();
    const std::vector<HostEvent>& notes = history.Notes();
    const SearchWindow window = SearchWindowOf(note, noteOnWindow, noteOffWindow);
    const auto meets = [&window](const HistoryIndex::Bounds& b) {
        return (b.lowStart <= window.last && b.highStart >= window.first) ||
               (b.lowEnd <= window.last && b.highEnd >= window.first);
    };
    history.Index().Forward(notes, meets, [&](std::size_t i) { TakeCandidate(note, notes[i], window, candidates); });
}

void RandomiseStart(HostEvent& note, std::int32_t window, const OverlapRules& rules,
                    const std::vector<OverlapCandidate>& candidates, RandomSource& random) {
    if (window <= 0) return;
    std::int64_t d = CentredOffset(random.Next(), window);
    const std::int64_t start = note.time;
    const std::int64_t length = note.duration;
    if (rules.preventSameNoteOverlap || rules.preserveDifferentNoteOverlap) {
        for (const OverlapCandidate& c : candidates) {
            if (c.identical || c.relation != Relation::StartsEarlier) continue;
            const std::int64_t end = EndOf(c.event);
            // Same key: start one tick after the earlier note of this key ends.
            if (rules.preventSameNoteOverlap && c.sameKey && d < 0 && start + d < end) d = end - start + 1;
            // Other key: keep starting before the earlier note ends.
            if (rules.preserveDifferentNoteOverlap && !c.sameKey && c.endInWindow && start + d > end)
                d = end - start - 1;
        }
    }
    // The start stays within 0..int32 max; d follows it, so the end stays put.
    const std::int64_t newStart = std::clamp<std::int64_t>(start + d, 0, kMaxTicks);
    d = newStart - start;
    note.time = static_cast<std::int32_t>(newStart);
    StoreDurationIfAudible(note, length - d);
}

void RandomiseEnd(HostEvent& note, std::int32_t window, const OverlapRules& rules,
                  const std::vector<OverlapCandidate>& candidates, RandomSource& random) {
    if (window <= 0) return;
    std::int64_t d = CentredOffset(random.Next(), window);
    const std::int64_t length = note.duration;
    const std::int64_t end = EndOf(note);
    // A change larger than the note is halved until it fits. The length is
    // compared as an unsigned count, so a negative length is never halved
    // against.
    const std::int64_t unsignedLength = static_cast<std::uint32_t>(note.duration);
    if (unsignedLength > 1) {
        while (std::llabs(d) > unsignedLength && std::llabs(d) >= 2) d /= 2;
    }
    if (rules.preventSameNoteOverlap || rules.preserveDifferentNoteOverlap) {
        for (const OverlapCandidate& c : candidates) {
            if (c.identical || c.relation != Relation::StartsLater || !c.startInWindow) continue;
            const std::int64_t begin = c.event.time;
            // Same key: end one tick before the later note of this key starts.
            if (rules.preventSameNoteOverlap && c.sameKey && d > 0 && end + d > begin) d = begin - end - 1;
            // Other key: end one tick after the later note starts.
            if (rules.preserveDifferentNoteOverlap && !c.sameKey && end + d < begin) d = begin - end + 1;
        }
    }
    StoreDurationIfAudible(note, length + d);
}

void RandomiseVelocity(HostEvent& note, std::uint8_t range, RandomSource& random) {
    if (range == 0) return;
    const std::int32_t delta = CentredOffset(random.Next(), range);
    note.value = static_cast<std::uint8_t>(std::clamp(note.value + delta, 10, 127));
}

}  // namespace nuv::sloppet
