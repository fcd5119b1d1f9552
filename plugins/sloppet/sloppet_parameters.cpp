#include "plugins/sloppet/sloppet_parameters.h"

#include "plugins/sloppet/sloppet_effect.h"

namespace nuv::sloppet {

namespace {

template <auto Member>
constexpr ParameterDescription Switch(const wchar_t* label, ConstantList<const wchar_t*> aliases) {
    return {label, aliases, ParameterKind::Switch, 0, 1, 0, L"", L"", true, {}, &ReadField<Member>,
            &WriteField<Member>};
}

template <auto Member>
constexpr ParameterDescription Amount(const wchar_t* label, ConstantList<const wchar_t*> aliases,
                                      const wchar_t* unit) {
    return {label, aliases, ParameterKind::Integer, kAmountMin, kAmountMax, static_cast<std::int32_t>(kDefaultAmount),
            unit,  L"",    true, {}, &ReadField<Member>, &WriteField<Member>};
}

constexpr wchar_t kTimingUnit[] = L"hundredths of a quarter note";
constexpr const wchar_t* kNoteOnAliases[] = {L"noteonenabled"};
constexpr const wchar_t* kNoteOffAliases[] = {L"noteoffenabled"};
constexpr const wchar_t* kNoteVelAliases[] = {L"velocityenabled"};
constexpr const wchar_t* kNoteVelAmountAliases[] = {L"velocityamount"};

constexpr ParameterDescription kParameters[] = {
    Switch<&NuvMfx::noteOnEnabled>(L"Note On", kNoteOnAliases),
    Amount<&NuvMfx::noteOnAmount>(L"Note On Amount", {}, kTimingUnit),
    Switch<&NuvMfx::noteOffEnabled>(L"Note Off", kNoteOffAliases),
    Amount<&NuvMfx::noteOffAmount>(L"Note Off Amount", {}, kTimingUnit),
    Switch<&NuvMfx::velocityEnabled>(L"Note Vel.", kNoteVelAliases),
    Amount<&NuvMfx::velocityAmount>(L"Note Vel. Amount", kNoteVelAmountAliases, L""),
    Switch<&NuvMfx::preventSameNoteOverlap>(L"Prevent Same Note Overlap", {}),
    Switch<&NuvMfx::preserveDifferentNoteOverlap>(L"Preserve Different Note Overlap", {}),
    EnabledParameter(),
};
static_assert(std::size(kParameters) == kParameterCount);

}  // namespace

ParameterList Parameters() { return kParameters; }

}  // namespace nuv::sloppet
