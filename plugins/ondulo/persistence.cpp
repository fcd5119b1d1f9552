// The 64-byte settings stream: the version, the thirteen parameters, and the
// page size (version 2 only). Version 0 carries no parameters; version 1 and
// any version above 2 carry the parameters but not the page size.
#include "plugins/ondulo/ondulo_effect.h"

namespace nuv::ondulo {

namespace {

// The parameters in stream order, for reading and writing alike.
template <class Stream>
void StreamParameters(Stream& stream, NuvMfx& effect) {
    stream.Field(effect.waveform)
        .Field(effect.rateIndex)
        .Field(effect.useInterval)
        .Field(effect.freeCycle)
        .Field(effect.offset)
        .Field(effect.amplitude)
        .Field(effect.pulseWidth)
        .Field(effect.modulatedCC)
        .Field(effect.frequencyCC)
        .Field(effect.amplitudeCC)
        .Field(effect.offsetCC)
        .Field(effect.mode)
        .Field(effect.startAtPeak);
}

constexpr std::uint32_t kVersionWithoutParameters = 0;
constexpr std::uint32_t kVersionWithPageSize = 2;

}  // namespace

// Values are taken as stored; the
// engine bounds them where it uses them.
void NuvMfx::LoadFields(SettingsReader& in, std::uint32_t version) {
    if (version == kVersionWithoutParameters) return;
    StreamParameters(in, *this);
    if (version == kVersionWithPageSize) in.Pair(pageWidth, pageHeight);
}

void NuvMfx::SaveFields(SettingsWriter& out) {
    StreamParameters(out, *this);
    out.Pair(pageWidth, pageHeight);
}

}  // namespace nuv::ondulo
