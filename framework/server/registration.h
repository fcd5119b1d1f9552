// The registry entries through which the system finds this module's two
// classes and the host lists the effect:
//   <classes>\CLSID\{effect}                  = deliverable name
//   <classes>\CLSID\{effect}\InprocServer32   = path of this module
//   <classes>\CLSID\{page}                    = name + " Property Page"
//   <classes>\CLSID\{page}\InprocServer32     = path of this module
//   <machine>\Software\<vendor>\MIDI Filters\{effect}   (no values)
// where <classes> is HKEY_CLASSES_ROOT and <machine> HKEY_LOCAL_MACHINE for
// the module's exports; tests hand in scratch keys instead.
#pragma once

#include "framework/server/server_identity.h"
#include "platform/com.h"

namespace nuv::server {

// The host's vendor folder, fixed at build time.
inline constexpr wchar_t kHostFiltersKey[] = L"Software\\" NUV_HOST_VENDOR L"\\MIDI Filters";

struct RegistryRoots {
    HKEY classes;
    HKEY machine;
};

// [any thread] The full path of `module`, or false when it cannot be had whole
// (a path cut at the buffer's end would name some other file).
bool ModulePath(HMODULE module, wchar_t* path, DWORD capacity);

// [any thread] Writes every entry above, in the order listed, each key and
// value on its own. S_OK when all were written; SELFREG_E_CLASS when some key
// or value could not be (the others are written all the same).
HRESULT RegisterServer(const ServerIdentity& server, const wchar_t* modulePath, const RegistryRoots& roots);

// [any thread] Removes the effect's class key, the page's class key and the
// host's filter key, each with everything under it; S_OK whatever was there.
HRESULT UnregisterServer(const ServerIdentity& server, const RegistryRoots& roots);

// [any thread] Deletes `name` under `parent` with all its subkeys; true when
// the key is gone. Stops at a subkey that cannot be deleted instead of trying
// it again for ever.
bool DeleteKeyTree(HKEY parent, const wchar_t* name);

}  // namespace nuv::server
