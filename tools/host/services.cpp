#include "tools/host/services.h"

namespace nuv::host {

std::int32_t STDMETHODCALLTYPE TimeService::ConvertPeriod(std::int32_t period) {
    if (ticksPerPeriod != 0) return ticksPerPeriod;
    // At 120 beats per minute a quarter note lasts 500 ms.
    return static_cast<std::int32_t>(static_cast<std::int64_t>(period) * timebase / 500);
}

HRESULT STDMETHODCALLTYPE PulseService::GetPeriod(std::int32_t* out) {
    if (out == nullptr) return E_POINTER;
    if (getPeriodFailure.Next()) return E_FAIL;
    *out = period;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PulseService::BeginPulses() {
    ++begins;
    running = true;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PulseService::EndPulses() {
    ++ends;
    running = false;
    return S_OK;
}

HostContext::HostContext() : time(new TimeService), pulse(new PulseService), aux(new AuxService) {}

HostContext::~HostContext() {
    time->Release();
    pulse->Release();
    aux->Release();
}

IUnknown* HostContext::OtherInterface(REFIID riid) {
    if (offerTime && IsEqualIID(riid, IID_HostTimeService)) return time;
    if (offerPulse && IsEqualIID(riid, IID_HostPulseService)) return pulse;
    if (offerAux && IsEqualIID(riid, IID_HostAuxService)) return aux;
    return nullptr;
}

}  // namespace nuv::host
