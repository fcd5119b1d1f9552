// The 28-byte settings stream of NuvShiftwell (version 4): the group, the
// shift in force, the key range and the page size. Versions 2 and 3 carry
// fewer fields; versions 0 and 1 none.
#include "plugins/shiftwell/shiftwell_effect.h"

namespace nuv::shiftwell {

void NuvMfx::LoadFields(SettingsReader& in, std::uint32_t version) {
    if (version >= 2) {
        in.Field(group);
        // A stored group outside the table is read as no group.
        if (in.Ok() && !IsValidGroup(group)) group = kNoGroup;
        in.Field(shift);
        if (!in.Ok()) return;
        WriteLocked(settingsLock, lowKey, kLowestKey);
        WriteLocked(settingsLock, highKey, kHighestKey);
    }
    if (version >= 3) in.Field(lowKey).Field(highKey);
    if (version >= 4) in.Pair(pageWidth, pageHeight);
    // A complete stream that carries a group hands its shift to the group.
    if (version >= 2 && in.Ok() && IsValidGroup(group)) GroupShift(group) = shift;
}

void NuvMfx::SaveFields(SettingsWriter& out) {
    const std::int32_t savedGroup = group;
    const std::int32_t savedShift = IsValidGroup(savedGroup) ? GroupShift(savedGroup) : shift;
    out.Field(savedGroup).Field(savedShift).Field(lowKey).Field(highKey).Pair(pageWidth, pageHeight);
}

}  // namespace nuv::shiftwell
