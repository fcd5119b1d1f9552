// The parameters of NuvOndulo as its page shows them and nuvfx sets them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/parameter_description.h"

namespace nuv::ondulo {

class NuvMfx;

// Positions in Parameters(), in the order nuvfx lists and applies them.
enum ParameterIndex : std::size_t {
    kWaveformParameter,
    kIntervalParameter,
    kFrequencyParameter,
    kAmplitudeParameter,
    kOffsetParameter,
    kPulseWidthParameter,
    kModulatedCCParameter,
    kFrequencyCCParameter,
    kAmplitudeCCParameter,
    kOffsetCCParameter,
    kModeParameter,
    kRetriggerParameter,
    kStartParameter,
    kEnabledParameter,
    kParameterCount
};

// [any thread] The setters also write the generator fields that follow each
// parameter, as the page's handlers do: an interval sets the cycle length at
// once, a frequency, an amplitude glide towards the new value.
ParameterList Parameters();

// [window thread, or the tool's one thread] Interval mode on (1) or off (0)
// in the effect and its generator, the cycle length left as it is: the
// page's "Interval" and "Freq" buttons.
void SetIntervalMode(NuvMfx& effect, std::int32_t on);

}  // namespace nuv::ondulo
