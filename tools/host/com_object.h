// A reference-counted base for the substitute host's own COM objects, so each
// of them states only which interfaces it answers. Objects start with a count
// of 1, owned by whoever made them; the last Release deletes them.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "platform/com.h"
#include "platform/sync.h"

namespace nuv::host {

template <class Face>
class ComObject : public Face {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || Answers(riid)) {
            *ppv = static_cast<Face*>(this);
            this->AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement32(&count_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const std::int32_t left = InterlockedDecrement32(&count_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    std::int32_t References() const { return count_; }

protected:
    virtual ~ComObject() = default;
    // The interface identifiers besides IUnknown that this object answers.
    virtual bool Answers(REFIID riid) const = 0;

private:
    volatile std::int32_t count_ = 1;
};

// Owns one COM reference and releases it at the end of its scope.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    explicit ComPtr(T* owned) : p_(owned) {}
    ComPtr(const ComPtr& other) : p_(other.p_) {
        if (p_ != nullptr) p_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    ComPtr& operator=(ComPtr other) noexcept {
        T* old = p_;
        p_ = other.p_;
        other.p_ = old;
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset() {
        if (p_ != nullptr) p_->Release();
        p_ = nullptr;
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    T** Put() {
        Reset();
        return &p_;
    }

private:
    T* p_ = nullptr;
};

}  // namespace nuv::host
