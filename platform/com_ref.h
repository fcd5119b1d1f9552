// The owner of one COM reference, for every COM pointer the tree keeps: the
// reference is released when the owner ends, is reset or takes another. A
// copy is a second owner with a reference of its own; a move hands the one
// reference over. Portable: it needs only IUnknown's AddRef and Release.
#pragma once

#include <cstddef>
#include <utility>

#include "platform/com.h"

namespace nuv {

template <class T>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller holds already (a new object's first).
    explicit ComRef(T* adopted) noexcept : p_(adopted) {}
    ComRef(const ComRef& other) noexcept : p_(other.p_) {
        if (p_ != nullptr) p_->AddRef();
    }
    ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComRef& operator=(const ComRef& other) noexcept {
        Share(other.p_);
        return *this;
    }
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) Assign(std::exchange(other.p_, nullptr));
        return *this;
    }
    ~ComRef() { Reset(); }

    // [any thread], as every member. Adds a reference of our own to p (null
    // allowed) and drops what was held before.
    void Share(T* p) noexcept {
        if (p != nullptr) p->AddRef();
        Assign(p);
    }
    // Takes over a reference the caller already holds.
    void Adopt(T* p) noexcept { Assign(p); }
    void Reset() noexcept { Assign(nullptr); }
    // For the out-parameter of a call that hands out a reference: drops what
    // is held first.
    T** Put() noexcept {
        Reset();
        return &p_;
    }

    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T& operator*() const noexcept { return *p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    friend bool operator==(const ComRef& r, std::nullptr_t) noexcept { return r.p_ == nullptr; }
    friend bool operator!=(const ComRef& r, std::nullptr_t) noexcept { return r.p_ != nullptr; }
    friend bool operator==(const ComRef& r, const T* p) noexcept { return r.p_ == p; }
    friend bool operator!=(const ComRef& r, const T* p) noexcept { return r.p_ != p; }

private:
    void Assign(T* p) noexcept {
        T* old = std::exchange(p_, p);
        if (old != nullptr) old->Release();
    }

    T* p_ = nullptr;
};

// [any thread] `object`'s face `iid` with a reference of its own, or an empty
// owner when the object is null or has no such face.
template <class Face>
ComRef<Face> QueryFace(IUnknown* object, REFIID iid) {
    void* face = nullptr;
    if (object == nullptr || FAILED(object->QueryInterface(iid, &face))) face = nullptr;
    return ComRef<Face>(static_cast<Face*>(face));
}

}  // namespace nuv
