// A critical-section owner, its scoped guard, and the interlocked counters that
// the effect shell and the COM server need. On Windows these wrap the kernel's
// critical sections and interlocked calls; natively a recursive mutex and the
// compiler's atomic builtins stand in with the same semantics.
#pragma once

#include <cstdint>

#include "platform/relaxed_atomic.h"

#if defined(_WIN32)
#include "platform/com.h"
#else
#include <mutex>
#endif

namespace nuv {

// Owns one critical section for the whole life of the object. Re-entrant on the
// owning thread, like a Windows critical section.
class CriticalSection {
public:
    CriticalSection();
    ~CriticalSection();
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter();
    void Leave();

private:
#if defined(_WIN32)
    CRITICAL_SECTION section_;
#else
    std::recursive_mutex section_;
#endif
};

// Holds a critical section for one scope. The lock is never held across a host
// call: keep the guarded scope to one value.
class SectionGuard {
public:
    explicit SectionGuard(CriticalSection& section) : section_(section) { section_.Enter(); }
    ~SectionGuard() { section_.Leave(); }
    SectionGuard(const SectionGuard&) = delete;
    SectionGuard& operator=(const SectionGuard&) = delete;

private:
    CriticalSection& section_;
};

// Reads one value under the lock.
template <class T>
T ReadLocked(CriticalSection& section, const T& field) {
    SectionGuard guard(section);
    return field;
}

// Writes one value under the lock.
template <class T, class V>
void WriteLocked(CriticalSection& section, T& field, const V& value) {
    SectionGuard guard(section);
    field = static_cast<T>(value);
}

// The same for a field that is also read without the lock.
template <class T>
T ReadLocked(CriticalSection& section, const Relaxed<T>& field) {
    SectionGuard guard(section);
    return field;
}
template <class T, class V>
void WriteLocked(CriticalSection& section, Relaxed<T>& field, const V& value) {
    SectionGuard guard(section);
    field = static_cast<T>(value);
}

// Interlocked arithmetic on counters that only these functions touch; any
// thread.
std::int32_t InterlockedIncrement32(std::int32_t* value);
std::int32_t InterlockedDecrement32(std::int32_t* value);
std::int32_t InterlockedRead32(const std::int32_t* value);
// 64-bit add through a compare-exchange loop; returns the new value.
std::int64_t InterlockedAdd64(std::int64_t* value, std::int64_t delta);
// A whole 64-bit load, as the unload check reads the module counters.
std::int64_t InterlockedRead64(const std::int64_t* value);

}  // namespace nuv
