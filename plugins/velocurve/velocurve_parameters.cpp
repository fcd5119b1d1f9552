#include "plugins/velocurve/velocurve_parameters.h"

#include <algorithm>
#include <iterator>

#include "plugins/velocurve/velocurve_effect.h"

namespace nuv::velocurve {

namespace {

NuvMfx& Engine(NuvMfxShell& effect) { return static_cast<NuvMfx&>(effect); }

std::int32_t GetTarget(NuvMfxShell& effect) { return Engine(effect).CurrentTarget(); }

// Exactly the chosen target is on; the held-velocity markers belong to the
// velocity target only.
void SetTarget(NuvMfxShell& effect, std::int32_t value) {
    NuvMfx& e = Engine(effect);
    WriteLocked(e.settingsLock, e.targetVelocity, value == kVelocity ? 1 : 0);
    WriteLocked(e.settingsLock, e.targetPolyAft, value == kPolyAft ? 1 : 0);
    WriteLocked(e.settingsLock, e.targetChanAft, value == kChanAft ? 1 : 0);
    WriteLocked(e.settingsLock, e.targetCtrlChng, value == kCtrlChng ? 1 : 0);
    if (value == kVelocity) return;
    SectionGuard guard(e.settingsLock);
    for (Relaxed<std::uint8_t>& mark : e.heldVelocityMarks) mark = 0;
}

// The points as a curve control of the design size places the stored ones.
void PlacedPoints(NuvMfx& e, CurvePoint (&placed)[kCurvePointCount]) {
    CurvePoint stored[kCurvePointCount];
    {
        SectionGuard guard(e.settingsLock);
        std::copy(std::begin(e.curvePoints), std::end(e.curvePoints), stored);
    }
    PlaceStoredPoints(stored, placed);
}

template <std::size_t Index>
std::int32_t GetPoint(NuvMfxShell& effect) {
    CurvePoint placed[kCurvePointCount];
    PlacedPoints(Engine(effect), placed);
    return OutputValueAt(placed[Index].y);
}

// Moves the point to the height of `value` within its range, stores the four
// placed points and refills the curve table from them, as the curve control
// does when a point is dropped.
template <std::size_t Index>
void SetPoint(NuvMfxShell& effect, std::int32_t value) {
    NuvMfx& e = Engine(effect);
    CurvePoint placed[kCurvePointCount];
    PlacedPoints(e, placed);
    PlaceWithinRange(placed[Index], placed[Index].x, kTopOutputValue - static_cast<float>(value));
    {
        SectionGuard guard(e.settingsLock);
        std::copy(std::begin(placed), std::end(placed), e.curvePoints);
    }
    e.FillTableFromPoints();
}

// The end points reach every output value; the middle points keep their
// margin from the top and the bottom.
constexpr bool IsEndPoint(std::size_t index) { return index == 0 || index == kCurvePointCount - 1; }
constexpr std::int32_t LowestOutput(std::size_t index) {
    return IsEndPoint(index) ? 0 : OutputValueAt(kCurveDesignSize.height - kMiddlePointMarginY);
}
constexpr std::int32_t HighestOutput(std::size_t index) {
    return IsEndPoint(index) ? static_cast<std::int32_t>(kTopOutputValue) : OutputValueAt(kMiddlePointMarginY);
}

template <std::size_t Index>
constexpr ParameterDescription Point(const wchar_t* label, const wchar_t* note) {
    return {label,
            {},
            ParameterKind::Integer,
            LowestOutput(Index),
            HighestOutput(Index),
            OutputValueAt(DefaultPointY(Index, kCurveDesignSize.height)),
            L"",
            note,
            true,
            {},
            &GetPoint<Index>,
            &SetPoint<Index>};
}

constexpr ParameterChoice kTargets[] = {
    {L"Velocity", kVelocity}, {L"Poly Aft", kPolyAft}, {L"Chan Aft", kChanAft}, {L"Ctrl Chng", kCtrlChng}};
constexpr const wchar_t* kControllerAliases[] = {L"controllernumber"};

constexpr ParameterDescription kParameters[] = {
    {L"Target", {}, ParameterKind::Choice, kVelocity, kCtrlChng, kVelocity, L"", L"", true, kTargets, &GetTarget,
     &SetTarget},
    {L"Controller", kControllerAliases, ParameterKind::Integer, 0, kHighestControllerNumber, kDefaultControllerNumber,
     L"", L"the controller ctrlchng reshapes; 0 is OFF", true, {}, &ReadField<&NuvMfx::controllerNumber>,
     &WriteField<&NuvMfx::controllerNumber>},
    Point<0>(L"P0", L"output value at the left end of the curve"),
    Point<1>(L"P1", L"output value of a middle point"),
    Point<2>(L"P2", L"output value of a middle point"),
    Point<3>(L"P3", L"output value at the right end"),
    EnabledParameter(),
};
static_assert(std::size(kParameters) == kParameterCount);

}  // namespace

ParameterList Parameters() { return kParameters; }

}  // namespace nuv::velocurve
