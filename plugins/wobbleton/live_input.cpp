// Live input: every record passes through; the first held key starts the
// host's pulses, the last released one writes the wheel centre and ends
// them, and while keys are held each pulse writes wheel values every kWheelStep
// ticks of the span one pulse covers.
#include "framework/clock_ticks.h"
#include "plugins/wobbleton/wobbleton_effect.h"

namespace nuv::wobbleton {

namespace {

// A pitch-wheel message on channel 1 carrying the absolute 14-bit value.
HostData WheelMessage(std::int32_t time, std::int32_t value) {
    return HostData{time, kStatusWheel, static_cast<std::uint8_t>(value & 0x7F),
                    static_cast<std::uint8_t>((value >> 7) & 0x7F), 0};
}

}  // namespace

HRESULT STDMETHODCALLTYPE NuvMfx::OnInput(HostDataQueue* in, HostDataQueue* out) {
    if (enabled == 0) {
        CopyData(in, out);
        return S_OK;
    }
    const std::int32_t span = pulses.TicksPerPulse(timeService.Get());
    const auto take = [this, out](const HostData& record) { TakeLiveRecord(record, out); };
    if (!ForEachData(in, take)) lastLiveTime = 0;  // an empty pulse counts from time 0
    if (liveIdle == 0 && NotesHeld()) WriteLiveWheels(span, out);
    return S_OK;
}

void NuvMfx::TakeLiveRecord(const HostData& record, HostDataQueue* out) {
    out->Add(&record);
    lastLiveTime = record.time;
    if (IsNoteStart(record)) {
        if (heldNotes < INT32_MAX) ++heldNotes;
        liveIdle = 0;
        pulses.Begin();
    } else if (IsNoteEnd(record)) {
        heldNotes = heldNotes > 0 ? heldNotes - 1 : 0;
        if (heldNotes == 0) {
            const HostData centre = WheelMessage(record.time, kWheelCentre);
            out->Add(&centre);
            liveIdle = 1;
            pulses.End();
        }
    }
}

void NuvMfx::WriteLiveWheels(std::int32_t span, HostDataQueue* out) {
    if (cycle.tablePos >= kCycleLength) BuildNewCycle();
    for (std::int64_t k = 0; k < span; k += kWheelStep) {
        const float y = cycle.Entry(cycle.tablePos).y;
        const HostData wheel = WheelMessage(AddTicks(lastLiveTime, k), static_cast<std::int32_t>(y));
        out->Add(&wheel);
        AdvanceTable();
    }
}

}  // namespace nuv::wobbleton
