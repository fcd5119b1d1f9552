#include "plugins/ondulo/ondulo_effect.h"

#include "plugins/ondulo/rate_table.h"

namespace nuv::ondulo {

NuvMfx::NuvMfx() : NuvMfxShell(kIdentity) {}

HRESULT STDMETHODCALLTYPE NuvMfx::OnStart(std::int32_t time, HostEventQueue*) {
    playing_ = 1;
    lastLiveMessage_ = 0;
    generateNow_ = Continuous() ? 1 : 0;
    playbackOwnsGenerator_ = 1;
    playClock_ = time;
    ApplyParameters();
    firstFrequencyInput_ = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfx::OnLoop(std::int32_t restartTime, std::int32_t, HostEventQueue*) {
    liveClock_ = restartTime;
    looped_ = 1;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfx::OnStop(std::int32_t, HostEventQueue*) {
    playing_ = 0;
    looped_ = 0;
    lastLiveMessage_ = 0;
    previousCount_ = 0;
    noteTable_.ClearCounts();
    return S_OK;
}

HRESULT NuvMfx::AfterConnect(IUnknown* context, HRESULT result) {
    context_.Share(result == S_OK ? context : nullptr);
    return result;
}

// The pulses are ended and the services still held.
void NuvMfx::BeforeDisconnect() {
    context_.Reset();
    noteTable_.Empty();
}

void NuvMfx::ApplyParameters() {
    generator.waveform = static_cast<std::int32_t>(waveform);
    const std::int32_t interval = useInterval;
    generator.useInterval = interval;
    generator.pulseWidth = static_cast<float>(pulseWidth);
    generator.offset = static_cast<float>(offset);
    generator.startAtPeak = static_cast<std::int32_t>(startAtPeak);
    float cycle = freeCycle;
    if (interval != 0) {
        const std::int32_t index = rateIndex;
        generator.rateIndex = index;
        cycle = RateCycle(index);
    }
    // The stored frequency value is the cycle length itself here, without the
    // frequency curve that a glide applies.
    generator.SetCycleLengthNow(cycle);
    const float level = amplitude;
    generator.targetAmplitude = level;
    generator.currentAmplitude = level;
}

void NuvMfx::TakeHostTimebase() {
    if (timeService == nullptr) return;
    const std::int32_t ticks = timeService->GetTimebase();
    if (ticks > 0) generator.SetTimebase(static_cast<float>(ticks));
}

float NuvMfx::StoreFreeCycle(float x) {
    const float cycle = x > 0.0f ? x : 0.25f;
    WriteLocked(settingsLock, freeCycle, cycle);
    refreshFlag = 1;
    return cycle;
}

void NuvMfx::SteerAmplitude(std::uint8_t value) {
    const float steered = static_cast<float>(value) - 64.0f;
    WriteLocked(settingsLock, amplitude, steered);
    generator.GlideAmplitude(steered);
    refreshFlag = 1;
}

void NuvMfx::SteerOffset(std::uint8_t value) {
    const float steered = static_cast<float>(value) - 64.0f;
    WriteLocked(settingsLock, offset, steered);
    generator.offset = steered;
    refreshFlag = 1;
}

}  // namespace nuv::ondulo
