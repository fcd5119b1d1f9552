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

}  // namespace

void CorrectOverlap(HostEvent& note, const std::vector<HostEvent>& history, const OverlapSettings& settings) {
    const std::int64_t start = note.time;      // T
    const std::int64_t length = note.duration;  // L
    const std::int64_t end = start + length;    // E
    const std::uint8_t key = note.number;       // K
    const std::int64_t range = settings.detectionRange;
    const std::int64_t margin = settings.noteMargin;

    std::int64_t endChange = 0;
    std::int64_t startChange = 0;
    for (const HostEvent& other : history) {
        const std::int64_t otherStart = other.time;        // S
        const std::int64_t otherLength = other.duration;   // D
        const std::int64_t otherEnd = otherStart + otherLength;  // F
        if (other.number == key && otherStart == start && otherLength == length) continue;
        if (settings.sameNoteOnly && other.number != key) continue;
        // The other note begins inside this note's tail.
        if (otherStart >= start && Wrapped(end) <= Wrapped(otherStart + range))
            endChange = std::min(endChange, otherStart - margin - end);
        // The other note ends inside this note's head; the last such note
        // decides. It must also begin before this note ends: a note that only
        // follows this one, ending within the range after its start, does not
        // overlap it, and without that condition it would push this note's
        // start past its own end (a line of short staccato notes would come
        // out shifted by nearly the range).
        if (otherEnd >= start && Wrapped(otherEnd) <= Wrapped(start + range) && otherStart < end)
            startChange = otherEnd + margin - start;
    }

    std::int64_t baseLength = length;
    if (endChange != 0) {
        baseLength = length + endChange;
        if (baseLength > 0) note.duration = ToTicks(baseLength);
    }
    if (startChange != 0) {
        const std::int64_t newStart = start + startChange;
        if (newStart > 0) {
            note.time = ToTicks(newStart);
        } else {
            note.time = 0;
            startChange = -start;
        }
        const std::int64_t newLength = baseLength - startChange;
        if (newLength > 0) note.duration = ToTicks(newLength);
    }
}

}  // namespace nuv::gapkeeper
