// Owner of one open registry key: RegCloseKey when the owner ends or takes
// another key, with the creation and opening calls the server and tools use.
// Any thread.
#pragma once

#include <cwchar>

#include "platform/com.h"
#include "platform/unique_any.h"

namespace nuv::win32 {

using RegistryKeyHandle = UniqueAny<HKEY, &RegCloseKey>;

class RegistryKey : public RegistryKeyHandle {
public:
    RegistryKey() = default;

    // Creates `path` under `parent` (kept across restarts), or opens it when it
    // exists. False, holding nothing, when the registry refused.
    bool Create(HKEY parent, const wchar_t* path, REGSAM access = KEY_ALL_ACCESS) {
        HKEY made = nullptr;
        const bool created = RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                             &made, nullptr) == ERROR_SUCCESS;
        Reset(created ? made : nullptr);
        return created;
    }
    // Opens an existing `path` under `parent`. False, holding nothing, when
    // it does not exist or may not be opened so.
    bool Open(HKEY parent, const wchar_t* path, REGSAM access = KEY_ALL_ACCESS) {
        HKEY opened = nullptr;
        const bool found = RegOpenKeyExW(parent, path, 0, access, &opened) == ERROR_SUCCESS;
        Reset(found ? opened : nullptr);
        return found;
    }
    // The key's default value as REG_SZ, stored with its terminating null.
    bool SetDefaultText(const wchar_t* text) const {
        const DWORD bytes = static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
        return RegSetValueExW(Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) ==
               ERROR_SUCCESS;
    }
};

}  // namespace nuv::win32
