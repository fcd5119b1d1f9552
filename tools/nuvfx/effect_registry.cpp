#include "tools/nuvfx/effect_registry.h"

#include "tools/nuvfx/parameter_value.h"

namespace nuv::nuvfx {

const EffectInfo* FindEffect(const std::string& name) {
    const std::string wanted = NormalisedName(name);
    for (const EffectInfo& e : Effects())
        if (NormalisedName(e.name) == wanted || NormalisedName(e.shortName) == wanted) return &e;
    return nullptr;
}

const ParamInfo* FindParam(const EffectInfo& effect, const std::string& name) {
    const std::string wanted = NormalisedName(name);
    for (const ParamInfo& p : effect.params) {
        if (NormalisedName(p.name) == wanted) return &p;
        for (const std::string& alias : p.aliases)
            if (NormalisedName(alias) == wanted) return &p;
    }
    return nullptr;
}

namespace {

std::optional<std::int32_t> WithinRange(const ParamInfo& p, std::optional<std::int64_t> v) {
    if (!v || *v < p.min || *v > p.max) return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::optional<std::int32_t> ChoiceValue(const ParamInfo& p, const std::string& text) {
    const std::string wanted = NormalisedName(text);
    for (const Choice& c : p.choices)
        if (NormalisedName(c.label) == wanted) return c.value;
    return std::nullopt;
}

}  // namespace

ParsedValue ParseValue(const ParamInfo& p, const std::string& text) {
    std::optional<std::int32_t> v;
    switch (p.kind) {
    case ParamKind::Integer: v = WithinRange(p, ParseInteger(text)); break;
    case ParamKind::Switch: v = ParseSwitch(text); break;
    case ParamKind::Key:
        v = WithinRange(p, ParseInteger(text));
        if (!v) v = ParseNoteName(text);
        break;
    case ParamKind::Choice: v = ChoiceValue(p, text); break;
    }
    if (v) return {v, {}};
    return {std::nullopt, "value '" + text + "' out of range for " + p.name + " (" + RangeText(p) + ")"};
}

std::string RangeText(const ParamInfo& p) {
    switch (p.kind) {
    case ParamKind::Integer: return std::to_string(p.min) + ".." + std::to_string(p.max);
    case ParamKind::Switch: return "on|off";
    case ParamKind::Key: return NoteName(p.min) + ".." + NoteName(p.max) + " or " + std::to_string(p.min) + ".." +
                                std::to_string(p.max);
    case ParamKind::Choice: {
        std::string out;
        for (const Choice& c : p.choices) out += (out.empty() ? "" : "|") + c.label;
        return out;
    }
    }
    return {};
}

std::string ValueText(const ParamInfo& p, std::int32_t value) {
    switch (p.kind) {
    case ParamKind::Integer: return std::to_string(value);
    case ParamKind::Switch: return value != 0 ? "on" : "off";
    case ParamKind::Key: return NoteName(value);
    case ParamKind::Choice:
        for (const Choice& c : p.choices)
            if (c.value == value) return c.label;
        return std::to_string(value);
    }
    return {};
}

}  // namespace nuv::nuvfx
