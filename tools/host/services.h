// The substitute host's context and its services (time, pulse, aux). Each
// service can be withheld from the context, and every call is recorded so a
// test can check what a plug-in asked for.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/host_types.h"
#include "platform/com_object.h"
#include "platform/com_ref.h"
#include "tools/host/failure_plan.h"

namespace nuv::host {

class TimeService : public ComObject<HostTimeService> {
public:
    HRESULT STDMETHODCALLTYPE Reserved3() override { return E_NOTIMPL; }
    std::int32_t STDMETHODCALLTYPE ConvertPeriod(std::int32_t period) override;
    std::int32_t STDMETHODCALLTYPE GetTimebase() override { return timebase; }

    std::int32_t timebase = 480;      // ticks per quarter note
    std::int32_t ticksPerPeriod = 0;  // 0: period / 1000 of a quarter at 120 bpm (see ConvertPeriod)
};

class PulseService : public ComObject<HostPulseService> {
public:
    HRESULT STDMETHODCALLTYPE GetPeriod(std::int32_t* period) override;
    HRESULT STDMETHODCALLTYPE BeginPulses() override;
    HRESULT STDMETHODCALLTYPE EndPulses() override;

    std::int32_t period = 10;  // milliseconds between pulses
    // A host takes pulse requests from any thread (a page's on/off button
    // asks on the window thread), so these are atomic.
    std::atomic<bool> running{false};
    std::atomic<std::int32_t> begins{0};
    std::atomic<std::int32_t> ends{0};
    CallFailure getPeriodFailure;
};

class AuxService : public ComObject<HostAuxService> {};

// The context handed to Connect. It answers QueryInterface for the services it
// offers; each can be withheld.
class HostContext : public ComObject<IUnknown> {
public:
    HostContext();
    ~HostContext() override;

    TimeService* time;    // owned: one reference each
    PulseService* pulse;
    AuxService* aux;
    bool offerTime = true;
    bool offerPulse = true;
    bool offerAux = true;

protected:
    // The services it offers.
    IUnknown* OtherInterface(REFIID riid) override;
};

}  // namespace nuv::host
