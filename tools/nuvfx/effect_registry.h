// The six effects the tool can apply: their names, how to make one, and the
// parameters a user can set on the command line, with the names, ranges and
// labels their editor pages show.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/effect_shell.h"
#include "platform/com_ref.h"

namespace nuv::nuvfx {

enum class ParamKind { Integer, Switch, Key, Choice };

struct Choice {
    std::string label;
    std::int32_t value;
};

struct ParamInfo {
    std::string name;                  // what `list` shows and `--set` takes
    std::vector<std::string> aliases;  // also accepted: the page's label, the engine's field name
    ParamKind kind = ParamKind::Integer;
    std::int32_t min = 0;
    std::int32_t max = 0;
    std::vector<Choice> choices;       // ParamKind::Choice
    std::string note;                  // one remark for `list`, or empty
    bool saved = true;                 // travels in the settings stream
    std::function<std::int32_t(NuvMfxShell&)> get;
    std::function<void(NuvMfxShell&, std::int32_t)> set;
};

struct EffectInfo {
    std::string name;       // the deliverable's name, e.g. NuvShiftwell
    std::string shortName;  // e.g. shiftwell
    std::string description;
    std::function<ComRef<NuvMfxShell>()> create;
    // Seeds the effect's random numbers; empty for effects the tool cannot seed.
    std::function<void(NuvMfxShell&, std::uint32_t)> seed;
    // For effects that draw random numbers the tool cannot seed: where they come from.
    std::string ownRandomNumbers;
    std::vector<ParamInfo> params;
};

// The six effects, in the order `list` shows them.
const std::vector<EffectInfo>& Effects();

// By the deliverable's name or its short name, in any letter case.
const EffectInfo* FindEffect(const std::string& name);
const ParamInfo* FindParam(const EffectInfo& effect, const std::string& name);

// The value `text` stands for, or an error message naming the accepted range.
struct ParsedValue {
    std::optional<std::int32_t> value;
    std::string error;
};
ParsedValue ParseValue(const ParamInfo& param, const std::string& text);

// "-24..24", "on|off", "C-1..G9", "sine|square|...".
std::string RangeText(const ParamInfo& param);
// A value as `list` shows it: the choice's label, the note name, on/off.
std::string ValueText(const ParamInfo& param, std::int32_t value);

}  // namespace nuv::nuvfx
