// The parameters of NuvSloppet as its page shows them and nuvfx sets them.
#pragma once

#include <cstddef>

#include "framework/parameter_description.h"

namespace nuv::sloppet {

// Positions in Parameters(), in the order nuvfx lists and applies them.
enum ParameterIndex : std::size_t {
    kNoteOnParameter,
    kNoteOnAmountParameter,
    kNoteOffParameter,
    kNoteOffAmountParameter,
    kNoteVelParameter,
    kNoteVelAmountParameter,
    kPreventSameNoteOverlapParameter,
    kPreserveDifferentNoteOverlapParameter,
    kEnabledParameter,
    kParameterCount
};

// [any thread]
ParameterList Parameters();

}  // namespace nuv::sloppet
