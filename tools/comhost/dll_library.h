// A DLL loaded to be hosted, and the class factories it serves: what a host
// does first with a deliverable (LoadLibrary, then DllGetClassObject for the
// effect's class). The library is freed when its owner ends.
#pragma once

#include <string>

#include "platform/com.h"
#include "platform/com_ref.h"
#include "platform/win32/module_handle.h"

namespace nuv::comhost {

class Library {
public:
    Library() = default;
    // Main thread.
    explicit Library(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {
        getClassObject_ = Export<GetClassObjectFunction>("DllGetClassObject");
    }

    HMODULE Get() const { return module_.Get(); }
    template <class Function>
    Function Export(const char* name) const {
        return !module_ ? nullptr
                        : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_.Get(), name)));
    }
    // True when the library loaded and exports DllGetClassObject.
    bool ServesClasses() const { return getClassObject_ != nullptr; }
    // Main thread. The class factory the library serves for `classId`, or null.
    ComRef<IClassFactory> ClassFactory(REFCLSID classId) const {
        ComRef<IClassFactory> factory;
        if (getClassObject_ == nullptr ||
            FAILED(getClassObject_(classId, IID_IClassFactory, reinterpret_cast<void**>(factory.Put()))))
            factory.Reset();
        return factory;
    }

private:
    using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

    win32::ModuleHandle module_;
    GetClassObjectFunction getClassObject_ = nullptr;
};

// A command-line path, each byte widened to one character.
inline std::wstring Widened(const std::string& text) {
    std::wstring wide;
    for (const char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

// The full path Windows uses for `path`, so that the library loaded is the one
// named and not one found along the search path; `path` itself when it is
// too long to resolve.
inline std::wstring FullPath(const std::wstring& path) {
    wchar_t full[1024];
    const DWORD length = GetFullPathNameW(path.c_str(), 1024, full, nullptr);
    return length == 0 || length >= 1024 ? path : std::wstring(full);
}

}  // namespace nuv::comhost
