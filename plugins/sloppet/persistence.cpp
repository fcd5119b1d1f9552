// The 29-byte settings stream of NuvSloppet (version 3): five switches of
// one byte, three amounts and the page size; and the older 36-byte layout of
// version 2, whose switches were 32-bit values and which had no page size.
#include "plugins/sloppet/sloppet_effect.h"

namespace nuv::sloppet {

void NuvMfx::LoadVersion2Layout(SettingsReader& in) {
    // The older layout keeps the switches as 32-bit values; they are taken
    // over only when all five arrived.
    std::int32_t switches[5] = {0, 0, 0, 0, 0};
    for (std::int32_t& value : switches) in.Field(value);
    if (!in.Ok()) return;
    std::uint8_t* targets[5] = {&noteOnEnabled, &noteOffEnabled, &velocityEnabled, &preventSameNoteOverlap,
                                &preserveDifferentNoteOverlap};
    for (int i = 0; i < 5; ++i) *targets[i] = switches[i] != 0 ? 1 : 0;
    in.Field(noteOnAmount).Field(noteOffAmount).Field(velocityAmount);
}

void NuvMfx::LoadFields(SettingsReader& in, std::uint32_t version) {
    if (version == 2) {
        LoadVersion2Layout(in);
    } else if (version >= 3) {
        in.Field(noteOnEnabled).Field(noteOffEnabled).Field(velocityEnabled);
        in.Field(preventSameNoteOverlap).Field(preserveDifferentNoteOverlap);
        in.Field(noteOnAmount).Field(noteOffAmount).Field(velocityAmount);
        in.Field(pageWidth).Field(pageHeight);
    }
}

void NuvMfx::SaveFields(SettingsWriter& out) {
    out.Field(noteOnEnabled).Field(noteOffEnabled).Field(velocityEnabled);
    out.Field(preventSameNoteOverlap).Field(preserveDifferentNoteOverlap);
    out.Field(noteOnAmount).Field(noteOffAmount).Field(velocityAmount);
    out.Field(pageWidth).Field(pageHeight);
}

}  // namespace nuv::sloppet
