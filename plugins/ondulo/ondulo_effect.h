// The NuvOndulo effect: writes a controller every 24 ticks whose values follow
// a low-frequency wave, on playback ("Continuous", or "Note Active" while notes
// sound, optionally restarted by each new note) and on live input while the
// host sends its input pulses. Three further controller numbers steer the
// frequency, amplitude and offset, and a controller number can be learnt from
// the next live controller.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/effect_shell.h"
#include "framework/random_source.h"
#include "platform/win32/com_ref.h"
#include "plugins/ondulo/note_count_table.h"
#include "plugins/ondulo/ondulo_ids.h"
#include "plugins/ondulo/wave_generator.h"

namespace nuv::ondulo {

enum Mode : std::int32_t { kContinuous = 0, kNoteActive = 1 };
enum LearnTarget : std::int32_t {
    kLearnNone = 0,
    kLearnModulated = 1,
    kLearnFrequency = 2,
    kLearnAmplitude = 3,
    kLearnOffset = 4,
};

// Clock ticks between two generated values.
inline constexpr std::int32_t emissionInterval = 24;
// Playback values are written this many ticks ahead of their tick.
inline constexpr std::int32_t leadTicks = 2;
// Notes longer than this are neither counted nor written.
inline constexpr std::int32_t kLongestCountedNote = 384000;

class NuvMfx final : public NuvMfxShell {
public:
    NuvMfx();
    ~NuvMfx() override;

    // Host threads.
    HRESULT STDMETHODCALLTYPE OnStart(std::int32_t time, HostEventQueue* out) override;
    HRESULT STDMETHODCALLTYPE OnLoop(std::int32_t restartTime, std::int32_t stopTime, HostEventQueue* out) override;
    HRESULT STDMETHODCALLTYPE OnStop(std::int32_t time, HostEventQueue* out) override;
    HRESULT STDMETHODCALLTYPE OnEvents(std::int32_t from, std::int32_t thru, HostEventQueue* in,
                                       HostEventQueue* out) override;
    HRESULT STDMETHODCALLTYPE OnInput(HostDataQueue* in, HostDataQueue* out) override;

    // Any thread; for measurements and checks.
    const NoteCountTable& NoteTable() const { return noteTable_; }

    // Parameters, saved with the settings. The page writes them under
    // settingsLock (and the matching generator fields right after); the
    // engine reads them without it.
    std::int32_t waveform = kSine;
    std::int32_t rateIndex = 2;
    std::int32_t useInterval = 1;
    float freeCycle = 1.0f;
    float offset = 0.0f;
    float amplitude = 63.0f;
    float pulseWidth = 10.0f;
    std::int32_t modulatedCC = 7;
    std::int32_t frequencyCC = 0;
    std::int32_t amplitudeCC = 0;
    std::int32_t offsetCC = 0;
    std::int32_t mode = kNoteActive;
    std::int32_t startAtPeak = 0;
    // Not saved: the page's "Retrigger" toggle and its learn request.
    volatile std::uint8_t retrigger = 0;
    volatile std::int32_t learnTarget = kLearnNone;

    // The wave, shared with the page and its preview.
    CWaveGenerator generator;

    // The source the Random wave draws from, seeded from the clock; tools and
    // tests seed it for reproducible output. Host threads.
    RandomSource& Random() { return random_; }

protected:
    void LoadFields(SettingsReader& in, std::uint32_t version) override;
    void AfterLoad() override { ApplyParameters(); }
    std::uint32_t SaveVersion() const override { return kStreamVersion; }
    void SaveFields(SettingsWriter& out) override;
    HRESULT AfterConnect(IUnknown* context, HRESULT result) override;
    void BeforeDisconnect() override;

private:
    bool Continuous() const { return mode == kContinuous; }
    // Copies the parameters into the generator, with no glide.
    void ApplyParameters();
    // Hands the host's ticks per beat to the generator; a timebase of 0 or
    // less is not taken.
    void TakeHostTimebase();
    void EndLivePulses();

    // Playback.
    void CountNotes(HostEventQueue* in);
    void WalkSpan(std::int32_t from, std::int32_t thru, HostEventQueue* out);
    void FollowNoteCount(std::uint8_t entry);
    void WriteKept(const HostEvent& event, HostEventQueue* out);
    void EmitPlaybackValue(std::int64_t tick, std::int32_t from, HostEventQueue* out);
    // False when the controller is to be dropped.
    bool HandlePlaybackControl(const HostEvent& event);

    // Live input.
    void LearnFrom(HostDataQueue* in);
    std::int32_t TicksPerPulse();
    void TakeLiveMessage(const HostData& message);
    void HandleLiveControl(const HostData& message);
    void EmitLiveValues(std::int32_t ticksPerPulse, std::int32_t batchTime, HostDataQueue* out);

    // Steering shared by playback and live input; each sets the refresh flag.
    float StoreFreeCycle(float x);
    void SteerAmplitude(std::uint8_t value);
    void SteerOffset(std::uint8_t value);

    RandomSource random_{RandomSource::ClockSeed()};
    win32::ComRef<IUnknown> context_;  // the host context, held from Connect to Disconnect

    NoteCountTable noteTable_;
    std::vector<HostEvent> kept_;  // the span's events to write, reused between spans
    std::int32_t playClock_ = 0;
    std::int32_t liveClock_ = 0;
    std::int32_t playbackOwnsGenerator_ = 1;
    std::uint8_t generateNow_ = 0;
    std::uint8_t previousCount_ = 0;
    std::uint8_t playChannel_ = 0;
    std::uint8_t playPort_ = 0;
    std::uint8_t liveChannel_ = 0;
    std::int32_t liveHeldNotes_ = 0;  // live notes held now
    std::int32_t pulseInputStarted_ = 0;
    std::uint8_t firstFrequencyInput_ = 0;
    std::uint16_t lastPlayPair_ = 0;
    std::uint32_t lastLiveMessage_ = 0;
    std::uint8_t playing_ = 0;
    std::uint8_t looped_ = 0;
};

}  // namespace nuv::ondulo
