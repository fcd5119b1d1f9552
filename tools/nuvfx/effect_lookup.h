// What the command's chains, seeds and summaries ask of the effect and
// parameter descriptions, in one place: names, parameters by name, whether an
// effect's random numbers can be seeded, whether it shares process-wide state.
#pragma once

#include <optional>
#include <string>

#include "tools/nuvfx/effect_registry.h"
#include "tools/nuvfx/effect_setup.h"

namespace nuv::nuvfx {

// By the deliverable's name or its short name, in any letter case; null when
// there is no such effect.
const EffectInfo* EffectNamed(const std::string& name);
const std::string& EffectName(const EffectInfo& effect);  // the deliverable's name
const std::string& ShortName(const EffectInfo& effect);
std::string KnownEffectNames();  // "shiftwell, ondulo, ..."

bool HasParam(const EffectInfo& effect, const std::string& name);
std::string KnownParamNames(const EffectInfo& effect);  // "shift, lowkey, ..."
// `name` set to `value` on `effect`; throws ToolError for an unknown name or a
// value out of range.
SetRequest ParseSetting(const EffectInfo& effect, const std::string& name, const std::string& value);
// Throws ToolError when a setting cannot travel in a settings stream.
void RequireSaved(const SetRequest& request);

// The tool can seed the effect's random numbers.
bool TakesSeed(const EffectInfo& effect);
// Where the random numbers of an effect the tool cannot seed come from, or empty.
const std::string& OwnRandomNumbers(const EffectInfo& effect);

// Instances of the effect share a process-wide table (the shift groups), so
// two runs of it with different settings must not play at once.
bool SharesProcessWideState(const EffectInfo& effect);

}  // namespace nuv::nuvfx
