// One owner template for every kind of handle, in the way of WIL's
// unique_any: the handle's type, the function that closes it and the value
// that stands for "nothing held" are its parameters, and each kind of handle
// is a one-line alias of it (GDI objects and device contexts, registry keys,
// module handles, GDI+ objects and sessions). An owner closes what it holds
// when it ends, is reset or takes another handle; it moves, and never copies,
// so that a handle has exactly one owner. The thread rules are the handle's.
#pragma once

#include <utility>

namespace nuv {

template <class Handle, auto Close, Handle Invalid = Handle{}>
class UniqueAny {
public:
    UniqueAny() noexcept = default;
    // Takes over `handle`.
    explicit UniqueAny(Handle handle) noexcept : handle_(handle) {}
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    UniqueAny(UniqueAny&& other) noexcept : handle_(std::exchange(other.handle_, Invalid)) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, Invalid));
        return *this;
    }
    ~UniqueAny() { Reset(); }

    // Closes what is held and takes over `handle`.
    void Reset(Handle handle = Invalid) noexcept {
        const Handle old = std::exchange(handle_, handle);
        if (old != Invalid) Close(old);
    }
    // For the out-parameter of a creation call: closes what is held first.
    Handle* Put() noexcept {
        Reset();
        return &handle_;
    }
    // Hands the handle to the caller, who closes it; holds nothing after.
    Handle Detach() noexcept { return std::exchange(handle_, Invalid); }

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Invalid; }

private:
    Handle handle_ = Invalid;
};

}  // namespace nuv
