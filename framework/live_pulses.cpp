#include "framework/live_pulses.h"

namespace nuv {

// The flag is tested and set in one step: the page's on/off button and the
// live input each switch it, and only the switch that really changes it
// calls the host, so the pulses are never begun or ended twice.
void LivePulses::Begin() {
    if (!service_ || running_.Exchange(1) != 0) return;
    service_->BeginPulses();
}

void LivePulses::End() {
    if (running_.Exchange(0) != 0 && service_) service_->EndPulses();
}

std::int32_t LivePulses::TicksPerPulse(HostTimeService* time) const {
    if (time == nullptr || !service_) return 0;
    std::int32_t period = 0;
    if (FAILED(service_->GetPeriod(&period))) return 0;
    return time->ConvertPeriod(period);
}

}  // namespace nuv
