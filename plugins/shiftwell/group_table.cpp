#include "plugins/shiftwell/group_table.h"

namespace nuv::shiftwell {

namespace {
Relaxed<std::int32_t> g_groupShift[kGroupCount];
}

Relaxed<std::int32_t>& GroupShift(std::int32_t group) { return g_groupShift[group]; }

}  // namespace nuv::shiftwell
