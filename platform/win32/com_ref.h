// Owner of one COM reference: released when the owner ends or is reset.
// Move-only, so that a reference has exactly one owner at a time.
#pragma once

#include <utility>

#include "platform/com.h"

namespace nuv::win32 {

template <class T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) Assign(std::exchange(other.p_, nullptr));
        return *this;
    }
    ~ComRef() { Reset(); }

    // Any thread. Adds a reference of our own to p (null allowed) and drops
    // what was held before.
    void Share(T* p) {
        if (p != nullptr) p->AddRef();
        Assign(p);
    }
    // Any thread. Takes over a reference the caller already holds.
    void Adopt(T* p) { Assign(p); }
    void Reset() { Assign(nullptr); }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    void Assign(T* p) {
        T* old = std::exchange(p_, p);
        if (old != nullptr) old->Release();
    }

    T* p_ = nullptr;
};

}  // namespace nuv::win32
