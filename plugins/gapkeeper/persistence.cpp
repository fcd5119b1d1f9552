// The 21-byte settings stream of NuvGapkeeper (version 2): the same-note
// switch, the detection range, the margin and the page size; version 1 lacks
// the page size.
#include "plugins/gapkeeper/gapkeeper_effect.h"

namespace nuv::gapkeeper {

void NuvMfx::LoadFields(SettingsReader& in, std::uint32_t version) {
    if (version >= 1) in.Field(sameNoteOnly).Field(detectionRange).Field(noteMargin);
    if (version >= 2) in.Pair(pageWidth, pageHeight);
}

void NuvMfx::SaveFields(SettingsWriter& out) {
    out.Field(sameNoteOnly).Field(detectionRange).Field(noteMargin).Pair(pageWidth, pageHeight);
}

}  // namespace nuv::gapkeeper
