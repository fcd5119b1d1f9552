// Builds without COM hosting of DLLs.
#include "tools/nuvfx/file_io.h"
#include "tools/nuvfx/plugin_instances.h"

namespace nuv::nuvfx {

bool PluginHostingAvailable() { return false; }

InstanceMaker PluginInstances(const std::string&, const EffectInfo&, const EffectSetup&) {
    throw ToolError("--plugin needs the Windows build of nuvfx");
}

}  // namespace nuv::nuvfx
