// The module object of one deliverable and the module-state guard.
//
// Each deliverable links its own copy of this file, so each DLL has its own
// module object: it holds the instance handle whose resources (dialog
// template, background bitmap, strings) the pages load. In a plain program the
// handle is the program's own until someone sets another.
//
// Every COM entry point that creates windows takes a ModuleStateGuard for its
// whole body: while a guard is alive, resources on this thread are loaded from
// this module; the previous choice comes back when the guard ends, on every
// exit path.
#pragma once

#include "platform/com.h"

namespace nuv {

class NuvMfxDLL {
public:
    // [any thread] The one module object of this module.
    static NuvMfxDLL& Get();

    // [loader thread] DllMain's, at process attach, before any other call into
    // the module; a program may call it at start-up. Null restores the default.
    void SetInstance(HINSTANCE instance) { instance_ = instance; }

    // [any thread] The module's instance handle: the one set, else the program's.
    HINSTANCE Instance() const;

private:
    constexpr NuvMfxDLL() = default;
    HINSTANCE instance_ = nullptr;
};

class ModuleStateGuard {
public:
    // [window thread] On entry to a COM call that creates windows or loads
    // resources.
    ModuleStateGuard();
    ~ModuleStateGuard();
    ModuleStateGuard(const ModuleStateGuard&) = delete;
    ModuleStateGuard& operator=(const ModuleStateGuard&) = delete;

    // [any thread] The module whose resources this thread loads now: the one of
    // the innermost guard, or this module when no guard is alive.
    static HINSTANCE ResourceInstance();

private:
    HINSTANCE previous_;
};

}  // namespace nuv
