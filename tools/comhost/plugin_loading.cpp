#include "tools/comhost/plugin_loading.h"

#include <cwchar>
#include <vector>

#include "framework/host_types.h"
#include "platform/win32/registry_key.h"
#include "plugins/gapkeeper/gapkeeper_ids.h"
#include "plugins/ondulo/ondulo_ids.h"
#include "plugins/shiftwell/shiftwell_ids.h"
#include "plugins/sloppet/sloppet_ids.h"
#include "plugins/velocurve/velocurve_ids.h"
#include "plugins/wobbleton/wobbleton_ids.h"

namespace nuv::comhost {

namespace {

using RegisterFunction = HRESULT(STDAPICALLTYPE*)();

constexpr wchar_t kFiltersKey[] = L"Software\\" NUV_HOST_VENDOR L"\\MIDI Filters";

const CLSID kKnownEffects[] = {shiftwell::CLSID_NuvShiftwell, ondulo::CLSID_NuvOndulo,
                               sloppet::CLSID_NuvSloppet,     gapkeeper::CLSID_NuvGapkeeper,
                               velocurve::CLSID_NuvVelocurveV2, wobbleton::CLSID_NuvWobbleton};

// A key's default text value, or empty.
std::wstring DefaultText(HKEY root, const std::wstring& path) {
    wchar_t text[1024] = {};
    DWORD bytes = sizeof text - sizeof(wchar_t);
    if (RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS) return L"";
    return text;
}

bool SamePath(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

// The host's filter entries whose class is served by `dllPath`.
std::vector<std::wstring> FilterClassesOf(const std::wstring& dllPath) {
    std::vector<std::wstring> found;
    win32::RegistryKey filters;
    if (!filters.Open(HKEY_LOCAL_MACHINE, kFiltersKey, KEY_READ)) return found;
    for (DWORD index = 0;; ++index) {
        wchar_t name[128];
        DWORD chars = 128;
        if (RegEnumKeyExW(filters.Get(), index, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const std::wstring server = DefaultText(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + name + L"\\InprocServer32");
        if (SamePath(server, dllPath)) found.push_back(name);
    }
    return found;
}

std::wstring TextOf(REFCLSID classId) {
    LPOLESTR text = nullptr;
    if (FAILED(StringFromCLSID(classId, &text))) return L"?";
    std::wstring copy = text;
    CoTaskMemFree(text);
    return copy;
}

}  // namespace

RegistrySession::RegistrySession(const std::wstring& dllPath) : dllPath_(FullPath(dllPath)), library_(dllPath_) {
    if (!FilterClassesOf(dllPath_).empty()) return;
    const auto registerServer = library_.Export<RegisterFunction>("DllRegisterServer");
    registeredHere_ = registerServer != nullptr && SUCCEEDED(registerServer());
}

RegistrySession::~RegistrySession() {
    if (!registeredHere_) return;
    const auto unregisterServer = library_.Export<RegisterFunction>("DllUnregisterServer");
    if (unregisterServer != nullptr) unregisterServer();
}

LoadedEffect RegistrySession::Create() {
    LoadedEffect loaded;
    if (library_.Get() == nullptr) {
        loaded.failure = "the DLL does not load";
        return loaded;
    }
    const std::vector<std::wstring> classes = FilterClassesOf(dllPath_);
    if (classes.empty()) {
        loaded.failure = "the DLL registered no MIDI filter of the host";
        return loaded;
    }
    CLSID classId{};
    CLSIDFromString(classes.front().c_str(), &classId);
    void* made = nullptr;
    const HRESULT result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &made);
    if (FAILED(result)) {
        loaded.failure = "CoCreateInstance failed";
        return loaded;
    }
    loaded.effect = ComRef<IUnknown>(static_cast<IUnknown*>(made));
    loaded.className = DefaultText(HKEY_CLASSES_ROOT, L"CLSID\\" + classes.front());
    return loaded;
}

LoadedEffect CreateDirectly(const Library& library) {
    LoadedEffect loaded;
    if (!library.ServesClasses()) {
        loaded.failure = "the DLL does not load or exports no DllGetClassObject";
        return loaded;
    }
    for (const CLSID& classId : kKnownEffects) {
        const ComRef<IClassFactory> factory = library.ClassFactory(classId);
        if (!factory) continue;
        if (FAILED(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(loaded.effect.Put())))) {
            loaded.effect.Reset();
            loaded.failure = "the class factory made no effect";
            return loaded;
        }
        loaded.className = TextOf(classId);
        return loaded;
    }
    loaded.failure = "the DLL serves none of the known effect classes";
    return loaded;
}

}  // namespace nuv::comhost
