// The parameters of NuvVelocurveV2 as its page shows them and nuvfx sets
// them. The page edits the four curve points with its curve control; the
// point parameters give each point's output value for the tool.
#pragma once

#include <cstddef>

#include "framework/parameter_description.h"

namespace nuv::velocurve {

// Positions in Parameters(), in the order nuvfx lists and applies them.
enum ParameterIndex : std::size_t {
    kTargetParameter,
    kControllerParameter,
    kPoint0Parameter,
    kPoint1Parameter,
    kPoint2Parameter,
    kPoint3Parameter,
    kEnabledParameter,
    kParameterCount
};

// [any thread]
ParameterList Parameters();

}  // namespace nuv::velocurve
