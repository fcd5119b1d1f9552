// Instances hosted from a deliverable's DLL through COM, as the host itself
// makes them: load the library, ask DllGetClassObject for the effect's class
// factory, create the effect and query its two faces. Windows only; elsewhere
// PluginHostingAvailable() is false and PluginInstances throws.
#pragma once

#include <string>

#include "tools/nuvfx/effect_setup.h"

namespace nuv::nuvfx {

// Main thread, which also runs every call into the DLL.
bool PluginHostingAvailable();
InstanceMaker PluginInstances(const std::string& dllPath, const EffectInfo& effect, const EffectSetup& setup);

}  // namespace nuv::nuvfx
