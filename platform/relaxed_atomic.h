// A value that the window thread and the host's threads share where one
// whole load or store at a time is all the design asks for: a flag the page
// sets and the engine reads, a parameter the engine reads without the
// settings lock. Loads and stores are atomic with relaxed ordering (on x86 a
// plain aligned move), so no thread ever sees a torn value; nothing is
// ordered around them, which is what each such field's users expect.
// Exchange takes and replaces the value in one step, so that a flag polled
// and cleared by one thread never loses a set from another.
#pragma once

#include <atomic>

namespace nuv {

template <class T>
class Relaxed {
public:
    constexpr Relaxed() noexcept : value_(T{}) {}
    constexpr explicit Relaxed(T value) noexcept : value_(value) {}
    Relaxed(const Relaxed&) = delete;
    Relaxed& operator=(const Relaxed&) = delete;

    // Any thread, as every member.
    operator T() const noexcept { return value_.load(std::memory_order_relaxed); }
    // Returns the value stored, as std::atomic does.
    T operator=(T value) noexcept {
        value_.store(value, std::memory_order_relaxed);
        return value;
    }
    T Exchange(T value) noexcept { return value_.exchange(value, std::memory_order_relaxed); }

private:
    static_assert(std::atomic<T>::is_always_lock_free, "a shared field is one machine word or less");
    std::atomic<T> value_;
};

}  // namespace nuv
