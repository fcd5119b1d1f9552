#include "tests/server/win32/deliverable_module.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/com_ref.h"

namespace nuv::testing {

std::wstring WindowsPathOf(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (const char c : unixPath) path.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(c));
    return path;
}

CLSID PageClassOf(IUnknown* effect) {
    CLSID page{};
    auto pages = QueryFace<ISpecifyPropertyPages>(effect, IID_ISpecifyPropertyPages);
    CAUUID list{};
    if (pages && SUCCEEDED(pages->GetPages(&list)) && list.cElems == 1) page = list.pElems[0];
    CoTaskMemFree(list.pElems);
    return page;
}

std::wstring DeliverablePath(const std::string& name) {
    return WindowsPathOf(std::string(NUV_DIST_DIR) + "/" + name + ".dll");
}

long RunProgram(const std::wstring& commandLine) {
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    if (!GetExitCodeProcess(process.hProcess, &code)) code = static_cast<DWORD>(-1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

namespace {

template <class Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

HRESULT LoadedDeliverableCanUnloadNow(const std::wstring& path) {
    const HMODULE loaded = GetModuleHandleW(path.c_str());
    if (loaded == nullptr) return S_OK;
    const auto canUnloadNow = Export<HRESULT(STDAPICALLTYPE*)()>(loaded, "DllCanUnloadNow");
    return canUnloadNow != nullptr ? canUnloadNow() : E_FAIL;
}

DeliverableModule::DeliverableModule(const std::wstring& path) : path_(path), module_(LoadLibraryW(path.c_str())) {
    if (!module_) return;
    getClassObject_ = Export<GetClassObjectFunction>(module_.Get(), "DllGetClassObject");
    canUnloadNow_ = Export<CanUnloadNowFunction>(module_.Get(), "DllCanUnloadNow");
}

DeliverableModule::~DeliverableModule() {
    if (canUnloadNow_ != nullptr && canUnloadNow_() != S_OK)
        ADD_FAILURE() << "an object or a server lock of the module is left alive: " << std::string(path_.begin(), path_.end());
}

IUnknown* DeliverableModule::Create(REFCLSID classId) const {
    void* factory = nullptr;
    if (!Loaded() || FAILED(GetClassObject(classId, IID_IClassFactory, &factory))) return nullptr;
    void* made = nullptr;
    const HRESULT result = static_cast<IClassFactory*>(factory)->CreateInstance(nullptr, IID_IUnknown, &made);
    static_cast<IClassFactory*>(factory)->Release();
    return SUCCEEDED(result) ? static_cast<IUnknown*>(made) : nullptr;
}

}  // namespace nuv::testing
