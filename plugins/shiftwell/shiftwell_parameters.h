// The parameters of NuvShiftwell as its page shows them and nuvfx sets them.
#pragma once

#include <cstddef>

#include "framework/parameter_description.h"

namespace nuv::shiftwell {

// Positions in Parameters(), in the order nuvfx lists and applies them: the
// group before the shift, so that a shift set along with a group is the
// group's.
enum ParameterIndex : std::size_t {
    kGroupParameter,
    kShiftParameter,
    kLowKeyParameter,
    kHighKeyParameter,
    kEnabledParameter,
    kParameterCount
};

// [any thread]
ParameterList Parameters();

}  // namespace nuv::shiftwell
