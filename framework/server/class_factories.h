// The two class factories of a deliverable: NuvMfxFactory makes effects,
// NuvMfxPropertyPageFactory makes editor pages. A new factory is made for
// every DllGetClassObject call; each holds only its own reference count, and
// factories are not counted among the module's objects.
#pragma once

#include <cstdint>

#include "platform/com.h"
#include "platform/com_object.h"

namespace nuv::server {

class ClassFactoryBase : public ComObject<IClassFactory> {
public:
    // [any thread] Non-zero adds a server lock, zero takes one away.
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

protected:
    ClassFactoryBase() = default;
};

class NuvMfxFactory final : public ClassFactoryBase {
public:
    // [host thread]
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
};

class NuvMfxPropertyPageFactory final : public ClassFactoryBase {
public:
    // [window thread]
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
};

// [any thread] The factory for `classId` queried for `riid`: S_OK with the
// interface, CLASS_E_CLASSNOTAVAILABLE for a class this module does not serve,
// E_OUTOFMEMORY, or the query's own failure (the factory is gone again then).
HRESULT GetClassObject(REFCLSID classId, REFIID riid, void** ppv);

// [any thread] S_OK when no effect lives and no server lock is held.
HRESULT CanUnloadNow();

}  // namespace nuv::server
