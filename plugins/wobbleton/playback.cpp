// Playback: every event passes through; each note that reaches past the span
// already covered starts a new cycle at the centre and gets wheel values every
// kWheelStep ticks over the part of it not yet covered; a gap between covered
// spans and the end of the call are marked by a centre value.
#include <algorithm>
#include <limits>

#include "plugins/wobbleton/wobbleton_effect.h"

namespace nuv::wobbleton {

namespace {

constexpr std::int64_t kNothingCovered = -1;
constexpr std::int64_t kLatestTime = std::numeric_limits<std::int32_t>::max();

void AddWheel(HostEventQueue* out, std::int64_t time, std::int16_t value) {
    HostEvent wheel{};
    wheel.time = static_cast<std::int32_t>(time);
    wheel.kind = Wheel;
    SetWheelValue(wheel, value);
    out->Add(&wheel);
}

// Offset into a note starting at `start` of its first wheel value after
// `coveredEnd`: the smallest multiple of kWheelStep that lands past it.
std::int64_t FirstUncoveredOffset(std::int64_t start, std::int64_t coveredEnd) {
    if (start > coveredEnd) return 0;
    return ((coveredEnd - start) / kWheelStep + 1) * kWheelStep;
}

}  // namespace

HRESULT STDMETHODCALLTYPE NuvMfx::OnEvents(std::int32_t, std::int32_t, HostEventQueue* in, HostEventQueue* out) {
    if (enabled == 0) {
        CopyEvents(in, out);
        return S_OK;
    }
    std::int64_t coveredEnd = kNothingCovered;
    const auto take = [this, out, &coveredEnd](const HostEvent& event) {
        out->Add(&event);
        if (event.kind == Note) CoverNote(event, coveredEnd, out);
    };
    if (!ForEachEvent(in, take)) return S_OK;
    liveIdle = 1;  // playback owns the wheel
    // The wheel goes back to the centre on the last covered tick; a call that
    // covered nothing has nothing to close.
    if (coveredEnd != kNothingCovered) AddWheel(out, std::min(coveredEnd - 1, kLatestTime), 0);
    return S_OK;
}

// Wheel events are written only at times the event record can hold.
void NuvMfx::CoverNote(const HostEvent& note, std::int64_t& coveredEnd, HostEventQueue* out) {
    const std::int64_t start = note.time;
    const std::int64_t end = start + note.duration;
    if (coveredEnd != kNothingCovered && start >= coveredEnd) {
        AddWheel(out, std::min(coveredEnd, kLatestTime), 0);
        cycle.lastCurveValue = kNoCurveValue;
    }
    if (end <= coveredEnd) return;
    cycle.lastCurveValue = kNoCurveValue;
    BuildNewCycle();
    const std::int64_t modulated = std::min<std::int64_t>(note.duration, kLongestModulation);
    for (std::int64_t i = FirstUncoveredOffset(start, coveredEnd); i < modulated && start + i <= kLatestTime;
         i += kWheelStep) {
        const float y = cycle.Entry(cycle.tablePos).y;
        AddWheel(out, start + i, static_cast<std::int16_t>(static_cast<std::int32_t>(y - kWheelCentre)));
        AdvanceTable();
    }
    coveredEnd = end;
}

}  // namespace nuv::wobbleton
