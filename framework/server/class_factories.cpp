#include "framework/server/class_factories.h"

#include "framework/effect_shell.h"
#include "framework/page/property_page.h"
#include "framework/server/server_identity.h"
#include "platform/sync.h"
#include "platform/win32/module.h"

namespace nuv::server {

namespace {

// Queries a freshly made object (count 1) and drops the maker's reference, so
// a failed query destroys the object again.
HRESULT HandOver(IUnknown* made, REFIID riid, void** ppv) {
    const HRESULT result = made->QueryInterface(riid, ppv);
    made->Release();
    return result;
}

// The checks before any object is made: no aggregation, somewhere to answer.
HRESULT CheckCreateArguments(IUnknown* outer, void** ppv) {
    if (ppv != nullptr) *ppv = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return ppv != nullptr ? S_OK : E_POINTER;
}

}  // namespace

HRESULT STDMETHODCALLTYPE ClassFactoryBase::LockServer(BOOL lock) {
    InterlockedAdd64(&ModuleCounters::serverLocks, lock ? 1 : -1);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE NuvMfxFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    ModuleStateGuard guard;
    if (const HRESULT refused = CheckCreateArguments(outer, ppv); refused != S_OK) return refused;
    NuvMfxShell* effect = ThisServer().createEffect();
    if (effect == nullptr) return E_OUTOFMEMORY;
    return HandOver(effect->Identity(), riid, ppv);
}

HRESULT STDMETHODCALLTYPE NuvMfxPropertyPageFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    ModuleStateGuard guard;
    if (const HRESULT refused = CheckCreateArguments(outer, ppv); refused != S_OK) return refused;
    NuvMfxPropertyPage* page = nullptr;
    try {
        page = ThisServer().createPage();
    } catch (...) {
        // The page's constructor ran out of memory; nothing leaves through COM.
    }
    if (page == nullptr) return E_OUTOFMEMORY;
    return HandOver(page->Face(), riid, ppv);
}

HRESULT GetClassObject(REFCLSID classId, REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    const ServerIdentity& server = ThisServer();
    ClassFactoryBase* factory = nullptr;
    if (IsEqualCLSID(classId, server.effectClass)) {
        factory = new (std::nothrow) NuvMfxFactory;
    } else if (IsEqualCLSID(classId, server.pageClass)) {
        factory = new (std::nothrow) NuvMfxPropertyPageFactory;
    } else {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    if (factory == nullptr) return E_OUTOFMEMORY;
    return HandOver(factory, riid, ppv);
}

HRESULT CanUnloadNow() {
    if (InterlockedRead64(&ModuleCounters::objectCount) != 0) return S_FALSE;
    if (InterlockedRead64(&ModuleCounters::serverLocks) != 0) return S_FALSE;
    return S_OK;
}

}  // namespace nuv::server
