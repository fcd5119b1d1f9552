// The parameters of NuvGapkeeper as its page shows them and nuvfx sets them.
#pragma once

#include <cstddef>

#include "framework/parameter_description.h"

namespace nuv::gapkeeper {

// Positions in Parameters(), in the order nuvfx lists and applies them.
enum ParameterIndex : std::size_t {
    kSameNoteOnlyParameter,
    kDetectionRangeParameter,
    kNoteMarginParameter,
    kEnabledParameter,
    kParameterCount
};

// [any thread]
ParameterList Parameters();

}  // namespace nuv::gapkeeper
