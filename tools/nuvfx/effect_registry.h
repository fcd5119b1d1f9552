// The six effects the tool can apply: their names, how to make one, and the
// parameters a user can set on the command line. The parameters are the
// deliverables' own descriptions (plugins/<name>/<name>_parameters.h); the
// tool adds only how a user types and reads them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/effect_shell.h"
#include "framework/parameter_description.h"
#include "platform/com_ref.h"

namespace nuv::nuvfx {

struct EffectInfo {
    std::string name;       // the deliverable's name, e.g. NuvShiftwell
    std::string shortName;  // e.g. shiftwell
    std::string description;
    std::function<ComRef<NuvMfxShell>()> create;
    // Seeds the effect's random numbers; empty for effects the tool cannot seed.
    std::function<void(NuvMfxShell&, std::uint32_t)> seed;
    // For effects that draw random numbers the tool cannot seed: where they come from.
    std::string ownRandomNumbers;
    // In the order `list` shows them and --set values are applied.
    ParameterList params;
};

// The six effects, in the order `list` shows them.
const std::vector<EffectInfo>& Effects();

// By the deliverable's name or its short name, in any letter case.
const EffectInfo* FindEffect(const std::string& name);
// By ParamName or an alias, normalised.
const ParameterDescription* FindParam(const EffectInfo& effect, const std::string& name);

// What `list` shows and --set takes: the page's label normalised ("Note
// Vel." is notevel).
std::string ParamName(const ParameterDescription& param);

// The value `text` stands for, or an error message naming the accepted range.
struct ParsedValue {
    std::optional<std::int32_t> value;
    std::string error;
};
ParsedValue ParseValue(const ParameterDescription& param, const std::string& text);

// "-24..24", "on|off", "C-1..G9 or 0..127", "sine|square|...".
std::string RangeText(const ParameterDescription& param);
// A value as `list` shows it: the choice's name, the note name, on/off.
std::string ValueText(const ParameterDescription& param, std::int32_t value);
// The unit, the remark and whether the settings stream keeps it, as `list`
// adds them in brackets; empty when there is nothing to say.
std::string RemarkText(const ParameterDescription& param);

}  // namespace nuv::nuvfx
