// CWaveGenerator: the low-frequency wave behind NuvOndulo's controller values.
// A plain record of four-byte fields that the effect owns and that the effect,
// its page and the wave preview read and write directly, without a lock of its
// own. Generate turns a clock time into a raw controller value, either with
// the phase locked to the clock (interval mode) or free-running with glides of
// cycle length and amplitude (smooth frequency mode).
//
// Deliberately plain, not atomic: Generate and the glides work on the fields
// in place, and the preview copies the record whole. A field that the page
// writes while a host thread runs Generate is one aligned four-byte store;
// that call sees it old or new, and the next one sees it new. These are the
// races ThreadSanitizer is told to allow, by the names of the functions that
// make them (tests/concurrency/tsan_suppressions.txt).
#pragma once

#include <cstdint>
#include <limits>

#include "framework/random_source.h"

namespace nuv::ondulo {

enum Waveform : std::int32_t { kSine = 0, kSquare = 1, kTriangle = 2, kSawtooth = 3, kPulse = 4, kRandom = 5 };

struct CWaveGenerator {
    CWaveGenerator();

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

    float twoPi = 6.2831855f;
    float centerOffset = 0.0f;
    float halfPi = 1.5707964f;
    float curveExponent = 1.5f;
    float curveDivisor;  // 16^1.5 * 0.0625, computed by the constructor
    std::int32_t rateIndex = 2;
    std::int32_t waveform = kSine;
    std::int32_t useInterval = 1;
    std::int32_t startAtPeak = 0;
    float ticksPerBeat = 960.0f;
    float currentCycle = 1.0f;
    float currentAmplitude = 63.0f;
    float offset = 0.0f;
    float phase = 0.0f;
    float pulseWidth = 10.0f;
    std::int32_t lastTime = 0;
    float phaseStep = 6.2831855f / 960.0f;
    float targetCycle = 1.0f;
    float cycleGlideStep = 0.0f;
    float targetAmplitude = 63.0f;
    float amplitudeGlideStep = 0.0f;
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
    float minValue = 0.0f;
    float maxValue = 127.0f;

private:
    float WaveValue(float phase, float rampOffset, RandomSource& random);
    float OutputValue(float wave, float amplitude) const;
    void LockPhaseToClock(std::int32_t time, float& phase);
    // Brings a phase past the cycle end back once and notes a wrap.
    void WrapOnce(float& phase);
    void AdvanceFreeRunning(std::int32_t time, float& phase);
    void StepGlides();
};

static_assert(sizeof(CWaveGenerator) == 26 * 4, "the generator is a record of 26 four-byte fields");

}  // namespace nuv::ondulo
