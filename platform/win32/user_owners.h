// Owners of USER objects a control makes for itself: a window it created
// (DestroyWindow) and a menu (DestroyMenu). Each handle has exactly one owner,
// which frees it when it ends or takes another. Window thread.
#pragma once

#include <utility>

#include "platform/com.h"

namespace nuv::win32 {

template <class Handle, BOOL(WINAPI* Free)(Handle)>
class UserObject {
public:
    UserObject() = default;
    explicit UserObject(Handle h) : h_(h) {}
    UserObject(const UserObject&) = delete;
    UserObject& operator=(const UserObject&) = delete;
    UserObject(UserObject&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    UserObject& operator=(UserObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    ~UserObject() { Reset(); }

    // Frees what is held and takes over h.
    void Reset(Handle h = nullptr) {
        Handle old = std::exchange(h_, h);
        if (old != nullptr) Free(old);
    }
    Handle Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    Handle h_ = nullptr;
};

using WindowOwner = UserObject<HWND, DestroyWindow>;
using MenuOwner = UserObject<HMENU, DestroyMenu>;

}  // namespace nuv::win32
