#include "plugins/shiftwell/shiftwell_parameters.h"

#include "plugins/shiftwell/shiftwell_effect.h"

namespace nuv::shiftwell {

namespace {

std::int32_t GetShift(NuvMfxShell& effect) { return static_cast<NuvMfx&>(effect).EffectiveShift(); }

// The own shift, and in a group the group's value too, which every other
// page of the group then shows.
void SetShift(NuvMfxShell& effect, std::int32_t value) {
    NuvMfx& e = static_cast<NuvMfx&>(effect);
    WriteLocked(e.settingsLock, e.shift, value);
    const std::int32_t group = ReadLocked(e.settingsLock, e.group);
    if (!IsValidGroup(group)) return;
    WriteLocked(e.settingsLock, GroupShift(group), value);
    e.refreshFlag = 1;
}

// Joining a group: the page then shows the group's value as the shift.
void SetGroup(NuvMfxShell& effect, std::int32_t value) {
    WriteField<&NuvMfx::group>(effect, value);
    effect.refreshFlag = 1;
}

constexpr ParameterChoice kGroups[] = {
    {L"NONE", kNoGroup}, {L"Group 1", 0}, {L"Group 2", 1}, {L"Group 3", 2}, {L"Group 4", 3},
};
constexpr const wchar_t* kLowKeyAliases[] = {L"low"};
constexpr const wchar_t* kHighKeyAliases[] = {L"high"};

constexpr ParameterDescription kParameters[] = {
    {L"Group", {}, ParameterKind::Choice, kNoGroup, kGroupCount - 1, kNoGroup, L"", L"", true, kGroups,
     &ReadField<&NuvMfx::group>, &SetGroup},
    {L"Shift", {}, ParameterKind::Integer, kShiftMin, kShiftMax, kDefaultShift, L"semitones", L"", true, {},
     &GetShift, &SetShift},
    {L"Low Key", kLowKeyAliases, ParameterKind::Key, kLowestKey, kHighestKey, kLowestKey, L"", L"", true, {},
     &ReadField<&NuvMfx::lowKey>, &WriteField<&NuvMfx::lowKey>},
    {L"High Key", kHighKeyAliases, ParameterKind::Key, kLowestKey, kHighestKey, kHighestKey, L"", L"", true, {},
     &ReadField<&NuvMfx::highKey>, &WriteField<&NuvMfx::highKey>},
    EnabledParameter(),
};
static_assert(std::size(kParameters) == kParameterCount);

}  // namespace

ParameterList Parameters() { return kParameters; }

}  // namespace nuv::shiftwell
