// What one deliverable's COM server is made of: its name, its two class
// identifiers and the makers of its effect and of its page. The server code
// (factories, exports, registration) is the same in every deliverable; each
// deliverable's DLL defines ThisServer() once to say what the server serves.
#pragma once

#include <cstring>
#include <new>

#include "framework/effect_shell.h"

namespace nuv {
class NuvMfxPropertyPage;
}

namespace nuv::server {

struct ServerIdentity {
    const wchar_t* name;  // "NuvShiftwell" and so on; the registry's class names
    CLSID effectClass;
    CLSID pageClass;
    // [any thread] Makes one effect with a reference count of 1, or null
    // when memory ran out.
    NuvMfxShell* (*createEffect)();
    // [window thread] Makes one page with a reference count of 1, or null
    // when memory ran out; it may throw when a member's allocation fails.
    NuvMfxPropertyPage* (*createPage)();
};

// [any thread] Defined by each deliverable's DLL.
const ServerIdentity& ThisServer();

// [any thread] An effect in zero-filled memory, constructed there; null when
// memory ran out, before or inside the constructor (no exception leaves
// through a COM call). The object's last Release frees the memory with the
// plain delete that matches this allocation.
template <class Effect>
NuvMfxShell* CreateZeroedEffect() {
    void* memory = ::operator new(sizeof(Effect), std::nothrow);
    if (memory == nullptr) return nullptr;
    std::memset(memory, 0, sizeof(Effect));
    try {
        return new (memory) Effect();
    } catch (...) {
        ::operator delete(memory);
        return nullptr;
    }
}

}  // namespace nuv::server

namespace nuv::server {

// The identity of a deliverable whose effect class is `Effect` and whose
// page `createPage` makes.
template <class Effect>
constexpr ServerIdentity IdentityOf(const wchar_t* name, const EffectIdentity& ids,
                                    NuvMfxPropertyPage* (*createPage)()) {
    return ServerIdentity{name, ids.effectClass, ids.pageClass, &CreateZeroedEffect<Effect>, createPage};
}

}  // namespace nuv::server
