// The 20-byte settings stream of NuvWobbleton (version 2): "Amp", "Freq"
// and the page size; version 1 lacks the page size.
#include "plugins/wobbleton/wobbleton_effect.h"

namespace nuv::wobbleton {

void NuvMfx::LoadFields(SettingsReader& in, std::uint32_t version) {
    if (version >= 1) in.Field(amp).Field(freq);
    if (version >= 2) in.Pair(pageWidth, pageHeight);
}

void NuvMfx::SaveFields(SettingsWriter& out) { out.Field(amp).Field(freq).Pair(pageWidth, pageHeight); }

}  // namespace nuv::wobbleton
