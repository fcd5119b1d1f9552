// The built deliverables as a test reaches them: their file paths as Windows
// sees them, a program run to completion (regsvr32), and a deliverable loaded
// straight from its file with its four exports at hand.
#pragma once

#include <string>

#include "platform/com.h"
#include "platform/win32/module_handle.h"

namespace nuv::testing {

// A path of the build machine as Windows programs under Wine see it (the
// Unix file system is drive Z:).
std::wstring WindowsPathOf(const std::string& unixPath);

// The deliverable's file in the build's dist folder, as a Windows path.
std::wstring DeliverablePath(const std::string& name);

// Runs `commandLine` and waits for it; its exit code, or -1 when it did not start.
long RunProgram(const std::wstring& commandLine);

// regsvr32 /s on a deliverable for the life of this object, /u /s at its end.
class RegisteredDeliverable {
public:
    explicit RegisteredDeliverable(const std::wstring& path)
        : path_(path), result_(RunProgram(L"regsvr32.exe /s \"" + path + L"\"")) {}
    ~RegisteredDeliverable() { RunProgram(L"regsvr32.exe /u /s \"" + path_ + L"\""); }
    RegisteredDeliverable(const RegisteredDeliverable&) = delete;
    RegisteredDeliverable& operator=(const RegisteredDeliverable&) = delete;
    // regsvr32's exit code: 0 when registered.
    long Result() const { return result_; }

private:
    std::wstring path_;
    long result_;
};

// DllCanUnloadNow of the deliverable at `path` when the process has it
// loaded (COM keeps a module it loaded for CoCreateInstance); S_OK when it
// is not loaded.
HRESULT LoadedDeliverableCanUnloadNow(const std::wstring& path);

// The one page class `effect` names through ISpecifyPropertyPages; the null
// class identifier when it names none or several.
CLSID PageClassOf(IUnknown* effect);

// Loads a deliverable by its path; the module is freed at the end of scope.
// Every scenario must leave nothing of it alive: before the module is freed,
// a DllCanUnloadNow that does not answer S_OK fails the test.
class DeliverableModule {
public:
    explicit DeliverableModule(const std::wstring& path);
    ~DeliverableModule();
    DeliverableModule(const DeliverableModule&) = delete;
    DeliverableModule& operator=(const DeliverableModule&) = delete;

    bool Loaded() const { return module_ && getClassObject_ != nullptr && canUnloadNow_ != nullptr; }
    HRESULT GetClassObject(REFCLSID classId, REFIID riid, void** ppv) const {
        return getClassObject_(classId, riid, ppv);
    }
    HRESULT CanUnloadNow() const { return canUnloadNow_(); }
    // A new object of `classId` through the module's own factory; null on failure.
    IUnknown* Create(REFCLSID classId) const;
    HMODULE Handle() const { return module_.Get(); }

private:
    using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using CanUnloadNowFunction = HRESULT(STDAPICALLTYPE*)();

    std::wstring path_;
    win32::ModuleHandle module_;
    GetClassObjectFunction getClassObject_ = nullptr;
    CanUnloadNowFunction canUnloadNow_ = nullptr;
};

}  // namespace nuv::testing
