#include "tools/nuvfx/effect_lookup.h"

#include "tools/nuvfx/file_io.h"

namespace nuv::nuvfx {

const EffectInfo* EffectNamed(const std::string& name) { return FindEffect(name); }

const std::string& EffectName(const EffectInfo& effect) { return effect.name; }

const std::string& ShortName(const EffectInfo& effect) { return effect.shortName; }

std::string KnownEffectNames() {
    std::string out;
    for (const EffectInfo& e : Effects()) out += (out.empty() ? "" : ", ") + e.shortName;
    return out;
}

bool HasParam(const EffectInfo& effect, const std::string& name) { return FindParam(effect, name) != nullptr; }

std::string KnownParamNames(const EffectInfo& effect) {
    std::string out;
    for (const ParameterDescription& p : effect.params) out += (out.empty() ? "" : ", ") + ParamName(p);
    return out;
}

SetRequest ParseSetting(const EffectInfo& effect, const std::string& name, const std::string& value) {
    const ParameterDescription* param = FindParam(effect, name);
    if (param == nullptr)
        throw ToolError("unknown parameter '" + name + "' for " + effect.name + " (" + KnownParamNames(effect) + ")");
    const ParsedValue parsed = ParseValue(*param, value);
    if (!parsed.value) throw ToolError(parsed.error);
    return {param, *parsed.value};
}

void RequireSaved(const SetRequest& request) {
    if (!request.param->saved)
        throw ToolError(ParamName(*request.param) + " is not saved with the settings, so a DLL cannot be given it");
}

bool TakesSeed(const EffectInfo& effect) { return static_cast<bool>(effect.seed); }

const std::string& OwnRandomNumbers(const EffectInfo& effect) { return effect.ownRandomNumbers; }

bool SharesProcessWideState(const EffectInfo& effect) { return HasParam(effect, "group"); }

}  // namespace nuv::nuvfx
