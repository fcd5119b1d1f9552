#include "plugins/wobbleton/wobbleton_parameters.h"

#include "plugins/wobbleton/wobbleton_effect.h"

namespace nuv::wobbleton {

namespace {

void SwitchEnabled(NuvMfxShell& effect, std::int32_t value) { static_cast<NuvMfx&>(effect).SwitchEnabled(value != 0); }

constexpr ParameterDescription kParameters[] = {
    {L"Amp", {}, ParameterKind::Float, static_cast<std::int32_t>(kAmpMin), static_cast<std::int32_t>(kAmpMax),
     static_cast<std::int32_t>(kDefaultAmp), L"", L"", true, {}, &ReadField<&NuvMfx::amp>, &WriteField<&NuvMfx::amp>},
    {L"Freq", {}, ParameterKind::Float, static_cast<std::int32_t>(kFreqMin), static_cast<std::int32_t>(kFreqMax),
     static_cast<std::int32_t>(kDefaultFreq), L"", L"", true, {}, &ReadField<&NuvMfx::freq>,
     &WriteField<&NuvMfx::freq>},
    EnabledParameter(&SwitchEnabled),
};
static_assert(std::size(kParameters) == kParameterCount);

}  // namespace

ParameterList Parameters() { return kParameters; }

}  // namespace nuv::wobbleton
