#include "platform/sync.h"

namespace nuv {

#if defined(_WIN32)

CriticalSection::CriticalSection() { InitializeCriticalSection(&section_); }
CriticalSection::~CriticalSection() { DeleteCriticalSection(&section_); }
void CriticalSection::Enter() { EnterCriticalSection(&section_); }
void CriticalSection::Leave() { LeaveCriticalSection(&section_); }

std::int32_t InterlockedIncrement32(std::int32_t* value) {
    return ::InterlockedIncrement(reinterpret_cast<LONG*>(value));
}
std::int32_t InterlockedDecrement32(std::int32_t* value) {
    return ::InterlockedDecrement(reinterpret_cast<LONG*>(value));
}
std::int32_t InterlockedRead32(const std::int32_t* value) {
    return ::InterlockedCompareExchange(reinterpret_cast<LONG*>(const_cast<std::int32_t*>(value)), 0, 0);
}
std::int64_t InterlockedAdd64(std::int64_t* value, std::int64_t delta) {
    for (;;) {
        const LONGLONG seen = ::InterlockedCompareExchange64(reinterpret_cast<LONGLONG*>(value), 0, 0);
        const LONGLONG wanted = seen + delta;
        if (::InterlockedCompareExchange64(reinterpret_cast<LONGLONG*>(value), wanted, seen) == seen) return wanted;
    }
}
std::int64_t InterlockedRead64(const std::int64_t* value) {
    return ::InterlockedCompareExchange64(reinterpret_cast<LONGLONG*>(const_cast<std::int64_t*>(value)), 0, 0);
}

#else

CriticalSection::CriticalSection() = default;
CriticalSection::~CriticalSection() = default;
void CriticalSection::Enter() { section_.lock(); }
void CriticalSection::Leave() { section_.unlock(); }

std::int32_t InterlockedIncrement32(std::int32_t* value) { return __atomic_add_fetch(value, 1, __ATOMIC_SEQ_CST); }
std::int32_t InterlockedDecrement32(std::int32_t* value) { return __atomic_sub_fetch(value, 1, __ATOMIC_SEQ_CST); }
std::int32_t InterlockedRead32(const std::int32_t* value) { return __atomic_load_n(value, __ATOMIC_SEQ_CST); }
std::int64_t InterlockedAdd64(std::int64_t* value, std::int64_t delta) {
    std::int64_t seen = __atomic_load_n(value, __ATOMIC_SEQ_CST);
    std::int64_t wanted = seen + delta;
    while (!__atomic_compare_exchange_n(value, &seen, seen + delta, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST))
        wanted = seen + delta;
    return wanted;
}
std::int64_t InterlockedRead64(const std::int64_t* value) { return __atomic_load_n(value, __ATOMIC_SEQ_CST); }

#endif

}  // namespace nuv
