#include "plugins/gapkeeper/overlap_correction.h"

#include <algorithm>
#include <limits>

namespace nuv::gapkeeper {

namespace {

// Window tests compare wrapped unsigned 32-bit values, so a very large range
// or a time near the limit behaves as the 32-bit arithmetic does, without
// signed overflow.
std::uint32_t Wrapped(std::int64_t value) { return static_cast<std::uint32_t>(value); }

std::int32_t ToTicks(std::int64_t value) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The note being corrected, as it stood before any change.
struct Corrected {
    std::int64_t start;   // T
    std::int64_t length;  // L
    std::int64_t end;     // E = T + L
    std::uint8_t key;     // K
};

Corrected FactsOf(const HostEvent& note) {
    return Corrected{note.time, note.duration, static_cast<std::int64_t>(note.time) + note.duration, note.number};
}

// The note itself or an exact duplicate of it, or another key while only the
// same key counts: never compared.
bool Skipped(const HostEvent& other, const Corrected& p, const OverlapSettings& settings) {
    if (other.number == p.key && other.time == p.start && other.duration == p.length) return true;
    return settings.sameNoteOnly && other.number != p.key;
}

// Cuts the end back by `endChange` when that leaves a length above 0, then
// moves the start by `startChange` (never below 0), keeping the end.
void ApplyChanges(HostEvent& note, const Corrected& p, std::int64_t endChange, std::int64_t startChange) {
    std::int64_t baseLength = p.length;
    if (endChange != 0) {
        baseLength = p.length + endChange;
        if (baseLength > 0) note.duration = ToTicks(baseLength);
    }
    if (startChange != 0) {
        const std::int64_t newStart = p.start + startChange;
        if (newStart > 0) {
            note.time = ToTicks(newStart);
        } else {
            note.time = 0;
            startChange = -p.start;
        }
        const std::int64_t newLength = baseLength - startChange;
        if (newLength > 0) note.duration = ToTicks(newLength);
    }
}

}  // namespace

void CorrectOverlap(HostEvent& note, const std::vector<HostEvent>& history, const OverlapSettings& settings) {
    const Corrected p = FactsOf(note);
    const std::int64_t range = settings.detectionRange;
    const std::int64_t margin = settings.noteMargin;

    std::int64_t endChange = 0;
    std::int64_t startChange = 0;
    for (const HostEvent& other : history) {
        if (Skipped(other, p, settings)) continue;
        const std::int64_t otherStart = other.time;                        // S
        const std::int64_t otherEnd = otherStart + other.duration;        // F
        // The other note begins inside this note's tail.
        if (otherStart >= p.start && Wrapped(p.end) <= Wrapped(otherStart + range))
            endChange = std::min(endChange, otherStart - margin - p.end);
        // The other note ends inside this note's head; the last such note
        // decides. It must also begin before this note ends: a note that only
        // follows this one, ending within the range after its start, does not
        // overlap it, and without that condition it would push this note's
        // start past its own end (a line of short staccato notes would come
        // out shifted by nearly the range).
        if (otherEnd >= p.start && Wrapped(otherEnd) <= Wrapped(p.start + range) && otherStart < p.end)
            startChange = otherEnd + margin - p.start;
    }
    ApplyChanges(note, p, endChange, startChange);
}

// The scan above compares wrapped 32-bit values. While the note's start and
// length and the range are all 0 or more, every comparison that decides
// anything has both sides within 0 .. 2^32 - 2 (a tail candidate starts at T
// or later, a head candidate ends at T or later, and starts, lengths and the
// range are at most 2^31 - 1), where wrapped and plain order agree. There the
// index finds exactly the entries the scan would act on; anywhere else the
// scan runs.
void CorrectOverlap(HostEvent& note, const NoteHistory& history, const OverlapSettings& settings) {
    const std::vector<HostEvent>& notes = history.Notes();
    const Corrected p = FactsOf(note);
    const std::int64_t range = settings.detectionRange;
    const std::int64_t margin = settings.noteMargin;
    if (p.start < 0 || p.length < 0 || range < 0) {
        CorrectOverlap(note, notes, settings);
        return;
    }

    // End change: the smallest S - margin - E over the notes starting at
    // max(T, E - range) or later; only those starting before E + margin make
    // it negative, so the search stops there.
    std::int64_t endChange = 0;
    const std::int64_t firstStart = std::max(p.start, p.end - range);
    const std::int64_t lastStart = p.end + margin - 1;
    if (firstStart <= lastStart) {
        history.Index().Forward(
            notes, [&](const HistoryIndex::Bounds& b) { return b.lowStart <= lastStart && b.highStart >= firstStart; },
            [&](std::size_t i) {
                const HostEvent& other = notes[i];
                if (other.time < firstStart || other.time > lastStart || Skipped(other, p, settings)) return;
                endChange = std::min(endChange, other.time - margin - p.end);
            });
    }

    // Start change: the newest note that begins before E and ends within
    // T .. T + range.
    std::int64_t startChange = 0;
    const std::int64_t lastEnd = p.start + range;
    const auto mayEndInHead = [&](const HistoryIndex::Bounds& b) {
        return b.highEnd >= p.start && b.lowEnd <= lastEnd && b.lowStart < p.end;
    };
    history.Index().Backward(
        notes, mayEndInHead,
        [&](std::size_t i) {
            const HostEvent& other = notes[i];
            const std::int64_t otherEnd = static_cast<std::int64_t>(other.time) + other.duration;
            if (otherEnd < p.start || otherEnd > lastEnd || other.time >= p.end || Skipped(other, p, settings))
                return true;
            startChange = otherEnd + margin - p.start;
            return false;
        });
    ApplyChanges(note, p, endChange, startChange);
}

}  // namespace nuv::gapkeeper
