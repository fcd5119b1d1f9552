// The four exports of every deliverable and its DLL entry point. The names
// leave the module undecorated through server_exports.def.
#include "framework/server/class_factories.h"
#include "framework/server/registration.h"
#include "framework/server/server_identity.h"
#include "platform/win32/module.h"

namespace {

constexpr DWORD kModulePathChars = 520;

const nuv::server::RegistryRoots kSystemRoots = {HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE};

}  // namespace

// [loader thread] Remembers the module's instance handle, whose resources the
// pages load; nothing else runs at load time. Thread notifications stay on:
// the statically linked C and C++ runtimes use them.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) nuv::NuvMfxDLL::Get().SetInstance(instance);
    return TRUE;
}

// [any thread] COM calls it on the host's behalf.
STDAPI DllGetClassObject(REFCLSID classId, REFIID riid, LPVOID* ppv) {
    return nuv::server::GetClassObject(classId, riid, ppv);
}

// [any thread]
STDAPI DllCanUnloadNow() { return nuv::server::CanUnloadNow(); }

// [any thread] The registration tool's.
STDAPI DllRegisterServer() {
    wchar_t modulePath[kModulePathChars] = {};
    if (!nuv::server::ModulePath(nuv::NuvMfxDLL::Get().Instance(), modulePath, kModulePathChars))
        return SELFREG_E_CLASS;
    return nuv::server::RegisterServer(nuv::server::ThisServer(), modulePath, kSystemRoots);
}

// [any thread] The registration tool's.
STDAPI DllUnregisterServer() { return nuv::server::UnregisterServer(nuv::server::ThisServer(), kSystemRoots); }
