#include "plugins/velocurve/velocurve_effect.h"

namespace nuv::velocurve {

NuvMfx::NuvMfx() : NuvMfxShell(kIdentity) { FillTableFromPoints(); }

Target NuvMfx::CurrentTarget() {
    if (ReadLocked(settingsLock, targetVelocity) != 0) return kVelocity;
    if (ReadLocked(settingsLock, targetPolyAft) != 0) return kPolyAft;
    if (ReadLocked(settingsLock, targetChanAft) != 0) return kChanAft;
    if (ReadLocked(settingsLock, targetCtrlChng) != 0) return kCtrlChng;
    return kNoTarget;
}

void NuvMfx::FillTableFromPoints() {
    CurvePoint placed[kCurvePointCount];
    PlaceStoredPoints(curvePoints, placed);
    SplinePoint positions[kCurvePointCount];
    for (std::size_t i = 0; i < kCurvePointCount; ++i) positions[i] = {placed[i].x, placed[i].y};
    spline_.Compute(positions, kCurvePointCount, polyline_);
    FillCurveTable(polyline_, placed, curveTable);
}

std::uint8_t NuvMfx::Mapped(std::uint8_t value) const {
    if (value >= kCurveTableSize) return value;
    return static_cast<std::uint8_t>(curveTable[value].y & 0xFF);
}

std::uint8_t NuvMfx::MappedNoteVelocity(std::uint8_t velocity) const {
    const std::uint8_t mapped = Mapped(velocity);
    return mapped == 0 ? 1 : mapped;
}

HRESULT STDMETHODCALLTYPE NuvMfx::OnEvents(std::int32_t, std::int32_t, HostEventQueue* in, HostEventQueue* out) {
    ForEachEvent(in, [this, out](HostEvent event) {
        if (enabled != 0) ReshapeEvent(event);
        out->Add(&event);
    });
    return S_OK;
}

void NuvMfx::ReshapeEvent(HostEvent& event) {
    switch (CurrentTarget()) {
        case kVelocity:
            if (event.kind == Note && event.value != 0) event.value = MappedNoteVelocity(event.value);
            break;
        case kPolyAft:
            if (event.kind == KeyAft && event.value != 0) event.value = Mapped(event.value);
            break;
        case kChanAft:
            if (event.kind == ChanAft && event.value != 0) event.value = Mapped(event.value);
            break;
        case kCtrlChng:
            if (event.kind == Control && event.number == ReadLocked(settingsLock, controllerNumber))
                event.value = Mapped(event.value);
            break;
        case kNoTarget:
            break;
    }
}

HRESULT STDMETHODCALLTYPE NuvMfx::OnInput(HostDataQueue* in, HostDataQueue* out) {
    ForEachData(in, [this, out](HostData data) {
        if (enabled != 0) ReshapeLive(data);
        out->Add(&data);
    });
    return S_OK;
}

void NuvMfx::ReshapeLive(HostData& data) {
    const std::uint8_t status = MessageKind(data);
    switch (CurrentTarget()) {
        case kVelocity:
            if (status == kStatusNoteOn || status == kStatusNoteOff) ReshapeLiveNote(data);
            break;
        case kPolyAft:
            if (status == kStatusKeyAft && data.data2 != 0) data.data2 = Mapped(data.data2);
            break;
        case kChanAft:
            if (status == kStatusChanAft && data.data1 != 0) data.data1 = Mapped(data.data1);
            break;
        case kCtrlChng:
            if (status == kStatusControl && data.data1 == ReadLocked(settingsLock, controllerNumber))
                data.data2 = Mapped(data.data2);
            break;
        case kNoTarget:
            break;
    }
}

// Marks the velocity of each held live note for the curve control and asks
// the page to refresh; a note number or velocity beyond MIDI's range is
// neither remembered nor marked.
void NuvMfx::ReshapeLiveNote(HostData& data) {
    const bool noteOn = IsNoteStart(data);
    const bool knownKey = data.data1 < kMidiValueCount;
    if (noteOn) {
        if (knownKey) noteVelocityMemory[data.data1] = data.data2;
        if (data.data2 < kMidiValueCount) heldVelocityMarks[data.data2] = 1;
        refreshFlag = 1;
        data.data2 = MappedNoteVelocity(data.data2);
        return;
    }
    if (knownKey && noteVelocityMemory[data.data1] < kMidiValueCount) heldVelocityMarks[noteVelocityMemory[data.data1]] = 0;
    refreshFlag = 1;
    if (data.data2 != 0) data.data2 = Mapped(data.data2);
}

}  // namespace nuv::velocurve
