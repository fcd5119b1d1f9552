#include "plugins/wobbleton/wobbleton_effect.h"

namespace nuv::wobbleton {

NuvMfx::NuvMfx() : NuvMfxShell(kIdentity) {}

void NuvMfx::BuildNewCycle() {
    const float a = ReadLocked(settingsLock, amp);
    const float f = ReadLocked(settingsLock, freq);
    cycle.Build(a, f, random_);
}

void NuvMfx::AdvanceTable() {
    cycle.tablePos += kWheelStep;
    if (cycle.tablePos >= kCycleLength) BuildNewCycle();
}

void NuvMfx::SwitchEnabled(bool on) {
    WriteLocked(settingsLock, enabled, on ? 1 : 0);
    if (on) {
        pulses.Begin();
    } else {
        pulses.End();
    }
}

// With the shell's result. A host without the aux
// service gets its pulses started here; every connection, failed or not,
// starts on a new cycle.
HRESULT NuvMfx::AfterConnect(IUnknown*, HRESULT result) {
    if (result == S_OK && auxService == nullptr) pulses.Begin();
    BuildNewCycle();
    return result;
}

// The pulses are ended and the services still held.
void NuvMfx::BeforeDisconnect() { cycle.Free(); }

HRESULT STDMETHODCALLTYPE NuvMfx::OnStart(std::int32_t, HostEventQueue*) {
    heldNotes = 0;
    liveIdle = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfx::OnLoop(std::int32_t restartTime, std::int32_t, HostEventQueue*) {
    lastLiveTime = restartTime;
    heldNotes = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfx::OnStop(std::int32_t, HostEventQueue*) {
    heldNotes = 0;
    liveIdle = 0;
    return S_OK;
}

}  // namespace nuv::wobbleton
