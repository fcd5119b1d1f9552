#include "framework/parameter_description.h"

namespace nuv {

bool Allows(const ParameterDescription& parameter, std::int32_t value) {
    if (value < parameter.minimum || value > parameter.maximum) return false;
    if (parameter.kind != ParameterKind::Choice) return true;
    return ChoiceLabel(parameter, value) != nullptr;
}

const wchar_t* ChoiceLabel(const ParameterDescription& parameter, std::int32_t value) {
    for (const ParameterChoice& choice : parameter.choices)
        if (choice.value == value) return choice.label;
    return nullptr;
}

std::int32_t TruncatedValue(float value) {
    if (!(value == value)) return 0;
    if (value >= 2147483648.0f) return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0f) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

}  // namespace nuv
