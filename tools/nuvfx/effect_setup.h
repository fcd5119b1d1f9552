// Makes configured effect instances: a fresh effect, then the settings stream
// the user gave (loaded as a host loads a project), then each --set in the
// order the effect lists its parameters (several of one parameter in the
// order given), then the seed. After --set the settings go once through Save
// and Load, so that the effect derives what it derives from loaded settings
// (a wave generator's fields, a curve table) exactly as after a host's Load.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "framework/effect_shell.h"
#include "tools/nuvfx/effect_registry.h"

namespace nuv::nuvfx {

// One effect as the tool drives it, whether linked in or hosted from a DLL.
class EffectInstance {
public:
    virtual ~EffectInstance() = default;
    virtual IMfxEventFilter& Filter() = 0;
    virtual IPersistStream& Persist() = 0;
};
using InstanceMaker = std::function<std::unique_ptr<EffectInstance>()>;

struct SetRequest {
    const ParameterDescription* param;  // one of the effect's
    std::int32_t value;                 // one the parameter allows
};

struct EffectSetup {
    const EffectInfo* effect = nullptr;
    std::optional<std::vector<std::uint8_t>> settings;
    std::string settingsName;  // the file the settings came from, for messages
    std::vector<SetRequest> sets;
    std::optional<std::uint32_t> seed;
};

// Instances of a linked engine. Each call of the maker throws ToolError when
// the settings stream does not load. Main thread.
InstanceMaker LinkedInstances(const EffectSetup& setup);

// Loads `bytes` into the effect; false when Load does not return S_OK.
bool LoadSettings(IPersistStream& persist, const std::vector<std::uint8_t>& bytes);
// What Save writes, or ToolError when it fails.
std::vector<std::uint8_t> SaveSettings(IPersistStream& persist);

}  // namespace nuv::nuvfx
