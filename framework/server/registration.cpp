#include "framework/server/registration.h"

#include <cwchar>

#include "platform/win32/registry_key.h"

namespace nuv::server {

namespace {

using win32::RegistryKey;

// Buffer sizes of the key paths and of enumerated names.
constexpr std::size_t kKeyPathChars = 1024;
constexpr std::size_t kClassKeyChars = 128;
constexpr std::size_t kFilterKeyChars = 256;
constexpr DWORD kSubkeyNameChars = 512;

// `prefix` + "\" + the registry form of the identifier (braces, upper-case
// hexadecimal 8-4-4-4-12); false when the text cannot be had or does not fit.
bool KeyPathOf(const wchar_t* prefix, REFCLSID classId, wchar_t* path, std::size_t capacity) {
    LPOLESTR text = nullptr;
    if (FAILED(StringFromCLSID(classId, &text)) || text == nullptr) return false;
    const int written = std::swprintf(path, capacity, L"%ls\\%ls", prefix, text);
    CoTaskMemFree(text);
    return written > 0 && static_cast<std::size_t>(written) < capacity;
}

// A key with `text` as its default value; false when either failed.
bool WriteKey(HKEY root, const wchar_t* path, const wchar_t* text) {
    RegistryKey key;
    return key.Create(root, path) && key.SetDefaultText(text);
}

// One class: its key named `className`, then InprocServer32 naming the module.
bool RegisterClass(HKEY classes, REFCLSID classId, const wchar_t* className, const wchar_t* modulePath) {
    wchar_t classKey[kClassKeyChars];
    if (!KeyPathOf(L"CLSID", classId, classKey, kClassKeyChars)) return false;
    bool written = WriteKey(classes, classKey, className);
    wchar_t serverKey[kKeyPathChars];
    std::swprintf(serverKey, kKeyPathChars, L"%ls\\InprocServer32", classKey);
    written = WriteKey(classes, serverKey, modulePath) && written;
    return written;
}

void DeleteClassKey(HKEY classes, REFCLSID classId) {
    wchar_t classKey[kClassKeyChars];
    if (KeyPathOf(L"CLSID", classId, classKey, kClassKeyChars)) DeleteKeyTree(classes, classKey);
}

}  // namespace

bool ModulePath(HMODULE module, wchar_t* path, DWORD capacity) {
    const DWORD length = GetModuleFileNameW(module, path, capacity);
    return length != 0 && length < capacity;
}

HRESULT RegisterServer(const ServerIdentity& server, const wchar_t* modulePath, const RegistryRoots& roots) {
    bool written = RegisterClass(roots.classes, server.effectClass, server.name, modulePath);

    wchar_t pageName[kKeyPathChars];
    std::swprintf(pageName, kKeyPathChars, L"%ls Property Page", server.name);
    written = RegisterClass(roots.classes, server.pageClass, pageName, modulePath) && written;

    wchar_t filterKey[kFilterKeyChars];
    RegistryKey key;
    written = KeyPathOf(kHostFiltersKey, server.effectClass, filterKey, kFilterKeyChars) &&
              key.Create(roots.machine, filterKey) && written;
    return written ? S_OK : SELFREG_E_CLASS;
}

HRESULT UnregisterServer(const ServerIdentity& server, const RegistryRoots& roots) {
    DeleteClassKey(roots.classes, server.effectClass);
    DeleteClassKey(roots.classes, server.pageClass);
    wchar_t filterKey[kFilterKeyChars];
    if (KeyPathOf(kHostFiltersKey, server.effectClass, filterKey, kFilterKeyChars))
        DeleteKeyTree(roots.machine, filterKey);
    return S_OK;
}

bool DeleteKeyTree(HKEY parent, const wchar_t* name) {
    {
        RegistryKey key;
        if (key.Open(parent, name)) {
            wchar_t subkey[kSubkeyNameChars];
            for (;;) {
                DWORD chars = kSubkeyNameChars;
                if (RegEnumKeyExW(key.Get(), 0, subkey, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                    break;
                // The first subkey stays first while it cannot be deleted.
                if (!DeleteKeyTree(key.Get(), subkey)) break;
            }
        }
    }
    return RegDeleteKeyW(parent, name) == ERROR_SUCCESS;
}

}  // namespace nuv::server
