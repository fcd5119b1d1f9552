// The process-wide shift values of the four groups, shared by every
// NuvShiftwell effect in the process for the life of the module. Each entry is
// one whole 32-bit value; readers and writers take their own effect's lock,
// which orders nothing between instances, so each access is one atomic load
// or store.
#pragma once

#include <cstdint>

#include "platform/relaxed_atomic.h"

namespace nuv::shiftwell {

inline constexpr std::int32_t kGroupCount = 4;
inline constexpr std::int32_t kNoGroup = -1;

inline bool IsValidGroup(std::int32_t group) { return group >= 0 && group < kGroupCount; }

// Entry `group` of the table; the group must be valid.
Relaxed<std::int32_t>& GroupShift(std::int32_t group);

}  // namespace nuv::shiftwell
