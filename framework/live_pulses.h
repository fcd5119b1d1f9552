// The host's periodic input pulses of one effect: while they run, the host
// calls OnInput regularly, and the engines that write values on live input
// (NuvOndulo, NuvWobbleton) write them on those calls. The owner begins the
// pulses at most once until they are ended, and ends them before the pulse
// service goes: at Disconnect (the shell asks) and when it ends itself.
#pragma once

#include <cstdint>

#include "framework/host_types.h"
#include "platform/com_ref.h"
#include "platform/relaxed_atomic.h"

namespace nuv {

class LivePulses {
public:
    // `service` is the shell's own reference, held from Connect to
    // Disconnect; the owner only calls through it.
    explicit LivePulses(const ComRef<HostPulseService>& service) : service_(service) {}
    LivePulses(const LivePulses&) = delete;
    LivePulses& operator=(const LivePulses&) = delete;
    // [any thread] The effect's last Release's.
    ~LivePulses() { End(); }

    // [host thread, or window thread for a page's on/off button] Begins
    // the pulses unless they run already or no pulse service is held. Of
    // two threads beginning at once, one calls the host.
    void Begin();
    // [host thread, or window thread for a page's on/off button] Ends
    // running pulses (on the service, when one is held); afterwards they
    // are not running either way. Of two threads ending at once, one calls
    // the host.
    void End();
    // [any thread]
    bool Running() const { return running_ != 0; }

    // [host thread] The ticks the song clock advances over one pulse, as
    // `time` converts the pulse period; 0 without either service or when the
    // period cannot be read.
    std::int32_t TicksPerPulse(HostTimeService* time) const;

private:
    const ComRef<HostPulseService>& service_;
    Relaxed<std::int32_t> running_{0};
};

}  // namespace nuv
