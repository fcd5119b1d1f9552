// Task-memory allocation for native builds, with a switch that makes the next
// allocations fail so that out-of-memory paths can be tested.
#include "platform/com.h"

#include <cstdlib>

namespace {
int g_failingAllocs = 0;
}

namespace nuv::platform {
void FailNextTaskAllocs(int count) {
#if !defined(_WIN32)
    g_failingAllocs = count;
#else
    (void)count;
#endif
}
}  // namespace nuv::platform

#if !defined(_WIN32)
void* CoTaskMemAlloc(std::size_t cb) {
    if (g_failingAllocs > 0) {
        --g_failingAllocs;
        return nullptr;
    }
    return std::malloc(cb == 0 ? 1 : cb);
}
void CoTaskMemFree(void* pv) { std::free(pv); }
#endif
