// libFuzzer target of the wheel-cycle builder: see fuzz/wheel_cycle_session.h.
#include <cstddef>
#include <cstdint>

#include "fuzz/wheel_cycle_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    nuv::fuzz::RunWheelCycleInput(data, size);
    return 0;
}
