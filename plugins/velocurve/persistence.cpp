// The 49-byte settings stream of NuvVelocurveV2 (version 2), one read or write
// per field, and the older version 1 whose flags and point coordinates were
// 32-bit integers and which carried no page size.
#include "plugins/velocurve/velocurve_effect.h"

namespace nuv::velocurve {

namespace {

// Reads one field stored as `Stored` and hands it to `field` converted; the
// field keeps its value when the read fails.
template <class Stored, class Field, class Convert>
void ReadConverted(SettingsReader& in, Field& field, Convert convert) {
    Stored stored{};
    in.Field(stored);
    if (in.Ok()) field = convert(stored);
}

std::uint8_t FlagFromInt(std::int32_t v) { return v != 0 ? 1 : 0; }
float CoordinateFromInt(std::int32_t v) { return static_cast<float>(v); }

}  // namespace

void NuvMfx::LoadFields(SettingsReader& in, std::uint32_t version) {
    if (version == 0) return;
    std::uint8_t* const flags[] = {&targetVelocity, &targetPolyAft, &targetChanAft, &targetCtrlChng};
    if (version == 1) {
        for (std::uint8_t* flag : flags) ReadConverted<std::int32_t>(in, *flag, FlagFromInt);
        for (CurvePoint& p : curvePoints) {
            ReadConverted<std::int32_t>(in, p.x, CoordinateFromInt);
            ReadConverted<std::int32_t>(in, p.y, CoordinateFromInt);
        }
        in.Field(controllerNumber);
        return;
    }
    for (std::uint8_t* flag : flags) in.Field(*flag);
    for (CurvePoint& p : curvePoints) in.Field(p.x).Field(p.y);
    in.Field(controllerNumber).Field(pageWidth).Field(pageHeight);
}

void NuvMfx::SaveFields(SettingsWriter& out) {
    out.Field(targetVelocity).Field(targetPolyAft).Field(targetChanAft).Field(targetCtrlChng);
    for (const CurvePoint& p : curvePoints) out.Field(p.x).Field(p.y);
    out.Field(controllerNumber).Field(pageWidth).Field(pageHeight);
}

}  // namespace nuv::velocurve
