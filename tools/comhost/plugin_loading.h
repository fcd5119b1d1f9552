// Getting an effect out of a deliverable DLL the two ways a host does it.
//
// Through the registry: the DLL registers itself (its DllRegisterServer), the
// effect's class is found among the host's MIDI filter entries as the one
// whose in-process server is this DLL, and COM creates it (CoCreateInstance).
// Registration that this program added is taken away again at the end.
//
// Directly: the DLL is loaded and its DllGetClassObject asked for the class
// factory of each known effect class until one answers.
#pragma once

#include <string>

#include "tools/comhost/dll_library.h"

namespace nuv::comhost {

struct LoadedEffect {
    ComRef<IUnknown> effect;  // null when loading failed
    std::wstring className;         // the class key's default value, or the class id
    std::string failure;            // why loading failed
};

// Main thread, with COM initialised. Registers `dllPath` when needed,
// creates its effect through COM; `undo` unregisters on destruction when this
// program did the registering.
class RegistrySession {
public:
    explicit RegistrySession(const std::wstring& dllPath);
    ~RegistrySession();
    RegistrySession(const RegistrySession&) = delete;
    RegistrySession& operator=(const RegistrySession&) = delete;

    LoadedEffect Create();

private:
    std::wstring dllPath_;
    Library library_;
    bool registeredHere_ = false;
};

// Main thread. The library stays loaded as long as `library` lives.
LoadedEffect CreateDirectly(const Library& library);

}  // namespace nuv::comhost
