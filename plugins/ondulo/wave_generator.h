// CWaveGenerator: the low-frequency wave behind NuvOndulo's controller values.
// A record of four-byte fields that the effect owns and that the effect, its
// page and the wave preview read and write directly, without a lock of its
// own. Generate turns a clock time into a raw controller value, either with
// the phase locked to the clock (interval mode) or free-running with glides of
// cycle length and amplitude (smooth frequency mode).
#pragma once

#include <cstdint>
#include <limits>

#include "framework/random_source.h"
#include "platform/relaxed_atomic.h"

namespace nuv::ondulo {

enum Waveform : std::int32_t { kSine = 0, kSquare = 1, kTriangle = 2, kSawtooth = 3, kPulse = 4, kRandom = 5 };

struct CWaveGenerator {
    CWaveGenerator();
    // [one thread] A copy of every field, for tests and tools that own both
    // records.
    CWaveGenerator(const CWaveGenerator& other);
    CWaveGenerator& operator=(const CWaveGenerator& other);

    // [any thread] Takes the shared fields of `live` (below), one whole
    // value each, and the constants; this record's running state stays as it
    // is. The preview's way of copying a generator that the engine may be
    // running meanwhile.
    void CopySharedFields(const CWaveGenerator& live);

    // Raw controller value for clock `time` (ticks). `phase` is the caller's
    // running phase, updated in place (the effect passes this record's own
    // `phase`); with `resync` the phase follows from the time alone and nothing
    // runs on (no advance, no glide), as the preview wants. The Random wave
    // draws from `random`. Any thread; takes no lock.
    float Generate(std::int32_t time, float& phase, bool resync, RandomSource& random);

    // The operations below run on whichever thread the owner calls from (host
    // threads for the engine, the window thread for the page); none locks.

    // Jumps to cycle length `cycle` (beats), ending any cycle glide.
    void SetCycleLengthNow(float cycle);
    // Glides from the present target to the cycle length of frequency value x
    // along the frequency curve.
    void GlideCycleLength(float x);
    // Glides from the present target amplitude to `amplitude`.
    void GlideAmplitude(float amplitude);
    // Takes the host's ticks per beat.
    void SetTimebase(float ticks);

    // The controller value 0..127 of a raw value: clamped to [minValue,
    // maxValue] (upper bound first), truncated towards zero. A raw value that
    // is not a number counts as the bottom of the range.
    std::int32_t ControllerValue(float raw) const;

    // Constants, set at construction and never written again.
    float twoPi = 6.2831855f;
    float centerOffset = 0.0f;
    float halfPi = 1.5707964f;
    float curveExponent = 1.5f;
    float curveDivisor;  // 16^1.5 * 0.0625, computed by the constructor

    // Shared fields. The page writes them on the window thread (right after
    // the parameter each follows) while a host thread may be inside Generate,
    // the engine writes them on the host threads, and the preview reads them
    // on the window thread; no lock guards them. Each is therefore one
    // relaxed atomic four-byte value: every load sees a whole value that some
    // writer stored, never a torn one, and nothing is ordered around it.
    //
    // That is all the sharing asks of the writers, in whatever order they
    // store, because Generate takes any mix of such values, each old or new:
    // - it reads the wave, the start and the mode once per call, and each
    //   glide's value, step and target once per step, so a change shows
    //   whole at this call or the next;
    // - a glide step either moves its value towards its target or, when it
    //   would carry it past the target (a step left from an earlier glide, or
    //   one whose target a racing write replaced), ends the glide at the
    //   target: no glide runs away, and the phase step is then the target's,
    //   never that of a cycle length beyond it (which could be 0 or below,
    //   making the phase infinite or run backwards);
    // - a glide whose step a racing reset or snap cleared after its new
    //   target was stored ends at that target on the next call, so a change
    //   of cycle length or amplitude is never lost (it comes without glide);
    // - the phase step is made again from the target cycle at every
    //   processing call (SetTimebase), so one that a race left stale lasts
    //   one call at most.
    // Every value the page writes is finite and in range (slider values,
    // RateTable entries, the frequency curve), so no mix of them divides by
    // zero. Handing the page's changes to the engine under the settings lock,
    // to apply at its next call, would have served the engine too, but the
    // preview must show a change at once and would still read these fields
    // while the engine writes them.
    Relaxed<std::int32_t> rateIndex{2};
    Relaxed<std::int32_t> waveform{kSine};
    Relaxed<std::int32_t> useInterval{1};
    Relaxed<std::int32_t> startAtPeak{0};
    Relaxed<float> ticksPerBeat{960.0f};
    Relaxed<float> currentCycle{1.0f};
    Relaxed<float> currentAmplitude{63.0f};
    Relaxed<float> offset{0.0f};

    // Running state: Generate's own, on the host thread that owns the
    // generator (the preview runs its copy with a fresh one).
    float phase = 0.0f;

    Relaxed<float> pulseWidth{10.0f};

    std::int32_t lastTime = 0;  // running state

    Relaxed<float> phaseStep{6.2831855f / 960.0f};
    Relaxed<float> targetCycle{1.0f};
    Relaxed<float> cycleGlideStep{0.0f};
    Relaxed<float> targetAmplitude{63.0f};
    Relaxed<float> amplitudeGlideStep{0.0f};

    // Running state (see `phase`).
    // The level the Random wave holds for the present cycle. It starts at the
    // largest float, which no draw can give (draws lie in -1..1), and that
    // marks "nothing drawn yet": the first reset call then draws the first
    // cycle's level itself, so the first value written is a real random level
    // rather than this one scaled and clamped to an end of the range. (A
    // first call that is not a reset draws anyway: `previousPhase` starts
    // above any phase, so it sees a wrap.)
    float heldRandom = std::numeric_limits<float>::max();
    float previousPhase = 10.0f;
    std::int32_t newCycle = std::numeric_limits<std::int32_t>::max();

    // Constants (see `twoPi`).
    float minValue = 0.0f;
    float maxValue = 127.0f;

private:
    float WaveValue(std::int32_t wave, float phase, float rampOffset, bool peak, RandomSource& random);
    float OutputValue(std::int32_t wave, float value, float amplitude) const;
    void LockPhaseToClock(std::int32_t time, float& phase, bool peak);
    // Brings a phase past the cycle end back once and notes a wrap.
    void WrapOnce(float& phase);
    void AdvanceFreeRunning(std::int32_t time, float& phase);
    void StepGlides();
};

static_assert(sizeof(CWaveGenerator) == 26 * 4, "the generator is a record of 26 four-byte fields");

}  // namespace nuv::ondulo
