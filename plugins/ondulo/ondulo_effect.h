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
#include "platform/com_ref.h"
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

// The page's ranges of what it sets; a stream may hold any value.
inline constexpr std::int32_t kControllerOff = 0;  // a steering or modulated controller number of 0
inline constexpr std::int32_t kHighestController = 127;
inline constexpr std::int32_t kFrequencyValueMin = 2;  // the frequency slider, in eighths of a beat
inline constexpr std::int32_t kFrequencyValueMax = 127;
inline constexpr float kBeatsPerFrequencyStep = 0.125f;
inline constexpr std::int32_t kLevelMin = -64;  // the amplitude and offset sliders
inline constexpr std::int32_t kLevelMax = 63;
inline constexpr std::int32_t kPulseWidthMin = 1;  // percent of the cycle
inline constexpr std::int32_t kPulseWidthMax = 99;

// A fresh effect's parameters.
inline constexpr std::int32_t kDefaultRateIndex = 2;  // "Quarter"
inline constexpr float kDefaultFreeCycle = 1.0f;
inline constexpr float kDefaultOffset = 0.0f;
inline constexpr float kDefaultAmplitude = 63.0f;
inline constexpr float kDefaultPulseWidth = 10.0f;
inline constexpr std::int32_t kDefaultModulatedCC = 7;

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

    // [any thread] For measurements and checks.
    const NoteCountTable& NoteTable() const { return noteTable_; }

    // Parameters, saved with the settings. The page writes them under
    // settingsLock (and the matching generator fields right after); the
    // engine reads them without it, one whole value at a time.
    Relaxed<std::int32_t> waveform{kSine};
    Relaxed<std::int32_t> rateIndex{kDefaultRateIndex};
    Relaxed<std::int32_t> useInterval{1};  // 1 interval mode, 0 smooth frequency mode
    Relaxed<float> freeCycle{kDefaultFreeCycle};
    Relaxed<float> offset{kDefaultOffset};
    Relaxed<float> amplitude{kDefaultAmplitude};
    Relaxed<float> pulseWidth{kDefaultPulseWidth};
    Relaxed<std::int32_t> modulatedCC{kDefaultModulatedCC};
    Relaxed<std::int32_t> frequencyCC{kControllerOff};
    Relaxed<std::int32_t> amplitudeCC{kControllerOff};
    Relaxed<std::int32_t> offsetCC{kControllerOff};
    Relaxed<std::int32_t> mode{kNoteActive};
    Relaxed<std::int32_t> startAtPeak{0};  // 1 starts the wave at its peak, 0 at its centre
    // Not saved: the page's "Retrigger" toggle and its learn request.
    Relaxed<std::uint8_t> retrigger{0};
    Relaxed<std::int32_t> learnTarget{kLearnNone};

    // The wave, shared with the page and its preview. Deliberately plain:
    // the engine's Generate works on its fields in place and the preview
    // copies it as a whole record, while the page writes single fields
    // without a lock (see CWaveGenerator).
    CWaveGenerator generator;

    // [host thread] The source the Random wave draws from, seeded from the
    // clock; tools and tests seed it for reproducible output.
    RandomSource& Random() { return random_; }

protected:
    // [any thread]
    void LoadFields(SettingsReader& in, std::uint32_t version) override;
    // [any thread]
    void AfterLoad() override { ApplyParameters(); }
    // [any thread]
    void SaveFields(SettingsWriter& out) override;
    // [host thread]
    HRESULT AfterConnect(IUnknown* context, HRESULT result) override;
    // [host thread]
    void BeforeDisconnect() override;

private:
    bool Continuous() const { return mode == kContinuous; }
    // The number the wave's controller values carry: `modulatedCC`, of which
    // a damaged stream may hold any value, kept to its low seven bits so that
    // every value written is a controller of MIDI's 0..127.
    std::uint8_t ModulatedNumber() const { return static_cast<std::uint8_t>(modulatedCC & 0x7F); }
    // Copies the parameters into the generator, with no glide.
    void ApplyParameters();
    // Hands the host's ticks per beat to the generator; a timebase of 0 or
    // less is not taken.
    void TakeHostTimebase();

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
    void TakeLiveMessage(const HostData& message);
    void HandleLiveControl(const HostData& message);
    void EmitLiveValues(std::int32_t ticksPerPulse, std::int32_t batchTime, HostDataQueue* out);

    // Steering shared by playback and live input; each sets the refresh flag.
    float StoreFreeCycle(float x);
    void SteerAmplitude(std::uint8_t value);
    void SteerOffset(std::uint8_t value);

    RandomSource random_{RandomSource::ClockSeed()};
    ComRef<IUnknown> context_;  // the host context, held from Connect to Disconnect

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
    std::uint8_t firstFrequencyInput_ = 0;
    std::uint16_t lastPlayPair_ = 0;
    std::uint32_t lastLiveMessage_ = 0;
    std::uint8_t playing_ = 0;
    std::uint8_t looped_ = 0;
};

}  // namespace nuv::ondulo
