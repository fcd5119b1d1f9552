#include "plugins/gapkeeper/gapkeeper_parameters.h"

#include "plugins/gapkeeper/gapkeeper_effect.h"

namespace nuv::gapkeeper {

namespace {

constexpr ParameterDescription kParameters[] = {
    {L"Same Note Only:", {}, ParameterKind::Switch, 0, 1, 0, L"", L"", true, {}, &ReadField<&NuvMfx::sameNoteOnly>,
     &WriteField<&NuvMfx::sameNoteOnly>},
    {L"Detection Range:", {}, ParameterKind::Integer, kDetectionRangeMin, kDetectionRangeMax, kDefaultDetectionRange,
     L"ticks", L"", true, {}, &ReadField<&NuvMfx::detectionRange>, &WriteField<&NuvMfx::detectionRange>},
    {L"Note Margin:", {}, ParameterKind::Integer, kNoteMarginMin, kNoteMarginMax, kDefaultNoteMargin, L"ticks", L"",
     true, {}, &ReadField<&NuvMfx::noteMargin>, &WriteField<&NuvMfx::noteMargin>},
    EnabledParameter(),
};
static_assert(std::size(kParameters) == kParameterCount);

}  // namespace

ParameterList Parameters() { return kParameters; }

}  // namespace nuv::gapkeeper
