// The parameters of NuvWobbleton as its page shows them and nuvfx sets them.
#pragma once

#include <cstddef>

#include "framework/parameter_description.h"

namespace nuv::wobbleton {

// Positions in Parameters(), in the order nuvfx lists and applies them.
enum ParameterIndex : std::size_t { kAmpParameter, kFreqParameter, kEnabledParameter, kParameterCount };

// [any thread] The on/off button also begins or ends the host's pulses.
ParameterList Parameters();

}  // namespace nuv::wobbleton
