#include "platform/win32/module.h"

namespace nuv {

namespace {

// The module chosen by the innermost live guard on this thread; null when none.
thread_local HINSTANCE currentResourceModule = nullptr;

}  // namespace

NuvMfxDLL& NuvMfxDLL::Get() {
    // Constant-initialised (constexpr constructor): nothing runs at module load.
    static NuvMfxDLL module;
    return module;
}

HINSTANCE NuvMfxDLL::Instance() const {
    return instance_ != nullptr ? instance_ : GetModuleHandleW(nullptr);
}

ModuleStateGuard::ModuleStateGuard() : previous_(currentResourceModule) {
    currentResourceModule = NuvMfxDLL::Get().Instance();
}

ModuleStateGuard::~ModuleStateGuard() { currentResourceModule = previous_; }

HINSTANCE ModuleStateGuard::ResourceInstance() {
    return currentResourceModule != nullptr ? currentResourceModule : NuvMfxDLL::Get().Instance();
}

}  // namespace nuv
