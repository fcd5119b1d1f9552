#include "tools/nuvfx/effect_registry.h"

#include "tools/nuvfx/parameter_value.h"

namespace nuv::nuvfx {

std::string ParamName(const ParameterDescription& param) { return NormalisedName(Narrowed(param.label)); }

const EffectInfo* FindEffect(const std::string& name) {
    const std::string wanted = NormalisedName(name);
    for (const EffectInfo& e : Effects())
        if (NormalisedName(e.name) == wanted || NormalisedName(e.shortName) == wanted) return &e;
    return nullptr;
}

const ParameterDescription* FindParam(const EffectInfo& effect, const std::string& name) {
    const std::string wanted = NormalisedName(name);
    for (const ParameterDescription& p : effect.params) {
        if (ParamName(p) == wanted) return &p;
        for (const wchar_t* alias : p.aliases)
            if (NormalisedName(Narrowed(alias)) == wanted) return &p;
    }
    return nullptr;
}

namespace {

std::optional<std::int32_t> Allowed(const ParameterDescription& p, std::optional<std::int64_t> v) {
    if (!v || *v < p.minimum || *v > p.maximum || !Allows(p, static_cast<std::int32_t>(*v))) return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::string ChoiceName(const ParameterChoice& choice) { return NormalisedName(Narrowed(choice.label)); }

std::optional<std::int32_t> ChoiceValue(const ParameterDescription& p, const std::string& text) {
    const std::string wanted = NormalisedName(text);
    for (const ParameterChoice& c : p.choices)
        if (ChoiceName(c) == wanted) return c.value;
    return std::nullopt;
}

}  // namespace

ParsedValue ParseValue(const ParameterDescription& p, const std::string& text) {
    std::optional<std::int32_t> v;
    switch (p.kind) {
    case ParameterKind::Integer:
    case ParameterKind::Float: v = Allowed(p, ParseInteger(text)); break;
    case ParameterKind::Switch: v = ParseSwitch(text); break;
    case ParameterKind::Key:
        v = Allowed(p, ParseInteger(text));
        if (!v) v = Allowed(p, ParseNoteName(text));
        break;
    case ParameterKind::Choice: v = ChoiceValue(p, text); break;
    }
    if (v) return {v, {}};
    return {std::nullopt, "value '" + text + "' out of range for " + ParamName(p) + " (" + RangeText(p) + ")"};
}

std::string RangeText(const ParameterDescription& p) {
    switch (p.kind) {
    case ParameterKind::Integer:
    case ParameterKind::Float: return std::to_string(p.minimum) + ".." + std::to_string(p.maximum);
    case ParameterKind::Switch: return "on|off";
    case ParameterKind::Key:
        return NoteName(p.minimum) + ".." + NoteName(p.maximum) + " or " + std::to_string(p.minimum) + ".." +
               std::to_string(p.maximum);
    case ParameterKind::Choice: {
        std::string out;
        for (const ParameterChoice& c : p.choices) out += (out.empty() ? "" : "|") + ChoiceName(c);
        return out;
    }
    }
    return {};
}

std::string ValueText(const ParameterDescription& p, std::int32_t value) {
    switch (p.kind) {
    case ParameterKind::Integer:
    case ParameterKind::Float: return std::to_string(value);
    case ParameterKind::Switch: return value != 0 ? "on" : "off";
    case ParameterKind::Key: return NoteName(value);
    case ParameterKind::Choice:
        for (const ParameterChoice& c : p.choices)
            if (c.value == value) return ChoiceName(c);
        return std::to_string(value);
    }
    return {};
}

std::string RemarkText(const ParameterDescription& p) {
    std::string out;
    for (const std::string& part : {Narrowed(p.unit), Narrowed(p.note),
                                   std::string(p.saved ? "" : "not saved with the settings")})
        if (!part.empty()) out += (out.empty() ? "" : "; ") + part;
    return out;
}

}  // namespace nuv::nuvfx
