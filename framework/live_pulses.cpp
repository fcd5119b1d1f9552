#include "framework/live_pulses.h"

namespace nuv {

void LivePulses::Begin() {
    if (running_ != 0 || !service_) return;
    service_->BeginPulses();
    running_ = 1;
}

void LivePulses::End() {
    if (running_ != 0 && service_) service_->EndPulses();
    running_ = 0;
}

std::int32_t LivePulses::TicksPerPulse(HostTimeService* time) const {
    if (time == nullptr || !service_) return 0;
    std::int32_t period = 0;
    if (FAILED(service_->GetPeriod(&period))) return 0;
    return time->ConvertPeriod(period);
}

}  // namespace nuv
