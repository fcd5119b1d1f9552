// The NuvWobbleton effect: while notes sound, writes pitch-wheel values that
// drift along a smooth random curve around the centre. Playback writes them
// ahead for the whole length of each note; live input asks the host for
// periodic pulses while keys are held and writes values on each pulse. Every
// input event and record also passes through unchanged.
#pragma once

#include <cstdint>

#include "framework/effect_shell.h"
#include "framework/random_source.h"
#include "plugins/wobbleton/wheel_cycle.h"
#include "plugins/wobbleton/wobbleton_ids.h"

namespace nuv::wobbleton {

// The fixed seed of every effect's random sequence, so the same cycles follow
// each creation.
inline constexpr std::uint32_t kRandomSeed = 4;

// Playback modulates a note over at most this many of its first ticks (some
// nine minutes at 960 ticks per beat and 120 beats per minute), so that a
// damaged duration of days cannot make one call write millions of wheel
// events; the wheel holds its last value for the rest of such a note.
inline constexpr std::int64_t kLongestModulation = std::int64_t{1} << 20;

class NuvMfx final : public NuvMfxShell {
public:
    NuvMfx();

    // [host thread]
    HRESULT STDMETHODCALLTYPE OnStart(std::int32_t time, HostEventQueue* out) override;
    // [host thread]
    HRESULT STDMETHODCALLTYPE OnLoop(std::int32_t restartTime, std::int32_t stopTime, HostEventQueue* out) override;
    // [host thread]
    HRESULT STDMETHODCALLTYPE OnStop(std::int32_t time, HostEventQueue* out) override;
    // [host thread]
    HRESULT STDMETHODCALLTYPE OnEvents(std::int32_t from, std::int32_t thru, HostEventQueue* in,
                                       HostEventQueue* out) override;
    // [host thread]
    HRESULT STDMETHODCALLTYPE OnInput(HostDataQueue* in, HostDataQueue* out) override;

    // [host thread] Builds a new cycle from `amp` and `freq`, each read under
    // the settings lock.
    void BuildNewCycle();

    // [window thread] The page's on/off button: stores the enabled flag
    // under the lock, then begins the host's pulses (switched on) or ends
    // them (switched off).
    void SwitchEnabled(bool on);

    // Parameters, saved with the settings; the page writes them under
    // settingsLock. Values outside the page's ranges are kept as stored and
    // used within the ranges (see UsableAmp, UsableFreq).
    float amp = kDefaultAmp;
    float freq = kDefaultFreq;

    // Modulation state, touched only by the host's calls.
    WheelCycle cycle;
    std::int32_t heldNotes = 0;  // live keys held now
    bool NotesHeld() const { return heldNotes > 0; }
    std::int32_t liveIdle = 1;  // nonzero stops live wheel output
    std::int32_t lastLiveTime = 0;

protected:
    // [any thread]
    void LoadFields(SettingsReader& in, std::uint32_t version) override;
    // [any thread]
    void SaveFields(SettingsWriter& out) override;
    // [host thread]
    HRESULT AfterConnect(IUnknown* context, HRESULT result) override;
    // [host thread]
    void BeforeDisconnect() override;

private:
    // tablePos += kWheelStep, with a new cycle once the table is used up.
    void AdvanceTable();

    // Playback.
    void CoverNote(const HostEvent& note, std::int64_t& coveredEnd, HostEventQueue* out);

    // Live input.
    void TakeLiveRecord(const HostData& record, HostDataQueue* out);
    void WriteLiveWheels(std::int32_t span, HostDataQueue* out);

    RandomSource random_{kRandomSeed};
};

}  // namespace nuv::wobbleton
