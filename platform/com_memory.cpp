// Task-memory allocation for native builds, with a switch that makes the next
// allocations fail so that out-of-memory paths can be tested. On Windows the
// COM runtime's allocator is used and the switch does nothing.
#include "platform/com.h"

#include <cstdlib>

#if !defined(_WIN32)

namespace {
int g_failingAllocs = 0;
}

namespace nuv::platform {
void FailNextTaskAllocs(int count) { g_failingAllocs = count; }
}  // namespace nuv::platform

void* CoTaskMemAlloc(std::size_t cb) {
    if (g_failingAllocs > 0) {
        --g_failingAllocs;
        return nullptr;
    }
    return std::malloc(cb == 0 ? 1 : cb);
}
void CoTaskMemFree(void* pv) { std::free(pv); }

#else

namespace nuv::platform {
void FailNextTaskAllocs(int) {}
}  // namespace nuv::platform

#endif
