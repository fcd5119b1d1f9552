// The switch of the native task-memory stand-in (platform/com_memory.cpp)
// that makes allocations fail, for the out-of-memory paths of GetPages and
// the like. On Windows the system's allocator is used and it does nothing.
#pragma once

namespace nuv::platform {

void FailNextTaskAllocs(int count);

}  // namespace nuv::platform
