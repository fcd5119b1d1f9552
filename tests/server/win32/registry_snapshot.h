// A registry key tree as text, so that tests can compare what registration
// wrote with what it should write, key by key and value by value.
#pragma once

#include <string>
#include <vector>

#include "platform/com.h"
#include "platform/win32/registry_key.h"

namespace nuv::testing {

// Empty when `path` does not exist under `root`. Otherwise one line per key,
// depth first, its path relative to `path` in brackets ("[]" for the key
// itself), followed by one line per value:
//   @ REG_SZ 26 NuvShiftwell       (name or @, type, size in bytes, text)
// Values that are not REG_SZ show their bytes in hexadecimal.
std::wstring SnapshotKey(HKEY root, const std::wstring& path);

// Whether `path` exists under `root`.
bool KeyExists(HKEY root, const std::wstring& path);

// A scratch key under HKEY_CURRENT_USER, deleted with everything under it at
// the end of its scope.
class ScratchKey {
public:
    explicit ScratchKey(const std::wstring& name);
    ~ScratchKey();
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    HKEY Get() const { return key_.Get(); }
    // A subkey, created on first use and owned by this object.
    HKEY Child(const wchar_t* name);

private:
    std::wstring path_;
    win32::RegistryKey key_;
    std::vector<win32::RegistryKey> children_;
};

}  // namespace nuv::testing
