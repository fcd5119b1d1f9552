// The NuvVelocurveV2 effect: reshapes note velocities, polyphonic or channel
// pressure, or one controller's values through a 128-entry curve table. The
// table follows a curve through four control points; the page's curve control
// refills it whenever it paints, and the effect fills it itself from its stored
// points at creation and after every load, so it maps sensibly without a page.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/effect_shell.h"
#include "framework/curve_point.h"
#include "plugins/velocurve/curve_table.h"
#include "plugins/velocurve/default_curve_points.h"
#include "framework/spline_polyline.h"
#include "plugins/velocurve/velocurve_ids.h"

namespace nuv::velocurve {

// The value kinds the curve can reshape, in the order they are tested.
enum Target : std::int32_t { kNoTarget = 0, kVelocity, kPolyAft, kChanAft, kCtrlChng };

inline constexpr std::int32_t kMidiValueCount = 128;
// The controller "Ctrl Chng" reshapes: 0 is none; a fresh effect's is 1.
inline constexpr std::int32_t kHighestControllerNumber = 127;
inline constexpr std::uint8_t kDefaultControllerNumber = 1;

class NuvMfx final : public NuvMfxShell {
public:
    NuvMfx();

    // [host thread]
    HRESULT STDMETHODCALLTYPE OnEvents(std::int32_t from, std::int32_t thru, HostEventQueue* in,
                                       HostEventQueue* out) override;
    // [host thread]
    HRESULT STDMETHODCALLTYPE OnInput(HostDataQueue* in, HostDataQueue* out) override;

    // [any thread] The first target flag that is set, each read under the
    // settings lock.
    Target CurrentTarget();

    // [any thread] Refills the curve table from the stored points as the
    // curve control does at its design size (see PlaceStoredPoints): the
    // constructor and every complete Load call it, and so must anyone who
    // writes curvePoints without a page. Unlocked, like the page's fill.
    void FillTableFromPoints();

    // Parameters; the page writes them under settingsLock, Load without it.
    std::uint8_t targetVelocity = 1;
    std::uint8_t targetPolyAft = 0;
    std::uint8_t targetChanAft = 0;
    std::uint8_t targetCtrlChng = 0;
    std::uint8_t controllerNumber = kDefaultControllerNumber;
    CurvePoint curvePoints[kCurvePointCount] = {};

    // Read by the engine without the lock while the curve control rewrites it.
    CurveTableEntry curveTable[kCurveTableSize];
    // Live state the engine writes and the curve control reads for its
    // markers, one whole byte at a time.
    Relaxed<std::uint8_t> heldVelocityMarks[kMidiValueCount];
    std::uint8_t noteVelocityMemory[kMidiValueCount] = {};

protected:
    // [any thread]
    void LoadFields(SettingsReader& in, std::uint32_t version) override;
    // [any thread]
    void AfterLoad() override { FillTableFromPoints(); }
    // [any thread]
    void SaveFields(SettingsWriter& out) override;

private:
    // table[v].y's low byte; a value beyond the table passes unchanged.
    std::uint8_t Mapped(std::uint8_t value) const;
    // As Mapped, but never 0: a note must not turn into a note end.
    std::uint8_t MappedNoteVelocity(std::uint8_t velocity) const;
    void ReshapeEvent(HostEvent& event);
    void ReshapeLive(HostData& data);
    void ReshapeLiveNote(HostData& data);

    SplinePolyline spline_;
    std::vector<SplinePoint> polyline_;  // reused by every refill
};

}  // namespace nuv::velocurve
