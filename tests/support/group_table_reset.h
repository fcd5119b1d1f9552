// Sets every NuvShiftwell group back to 0: the process-wide table otherwise
// carries one test's groups into the next.
#pragma once

#include "plugins/shiftwell/group_table.h"

namespace nuv::testing {

inline void ResetGroupTable() {
    for (std::int32_t group = 0; group < shiftwell::kGroupCount; ++group) shiftwell::GroupShift(group) = 0;
}

}  // namespace nuv::testing
