#include "plugins/ondulo/wave_generator.h"

#include <cmath>

namespace nuv::ondulo {

namespace {

// Offset of the triangle's corners: 0.251 of a cycle, not a quarter, so a wave
// that starts in the centre sits just below it.
constexpr float kTriangleShift = 0.251f;
constexpr float kCentre = 64.0f;
// Glides take this share of a beat's ticks in calls.
constexpr float kGlideBeats = 0.02f;
constexpr float kNothingDrawn = std::numeric_limits<float>::max();

// One glide step of `current` towards `target`. The glide ends within 1.0 of
// the target, or once a step larger than that window carries it past the
// target, which would otherwise run on without end.
void StepTowards(float& current, float& step, float target) {
    current += step;
    const bool passed = step > 0.0f ? current > target : current < target;
    if (std::fabs(current - target) < 1.0f || passed) {
        step = 0.0f;
        current = target;
    }
}

// 1 - 4 * |nearest(x) - x|: +1 at whole numbers of x, -1 halfway between.
float TriangleAt(float x) {
    const double distance = std::round(static_cast<double>(x)) - static_cast<double>(x);
    return static_cast<float>(1.0 - 4.0 * std::fabs(distance));
}

// Whole ticks of one cycle for the locked phase; 0 when the cycle is shorter
// than a tick (or not a number), which only a zero timebase or a loaded cycle
// length of 0 can give.
std::int32_t WholeCycleTicks(float ticks) {
    if (!(ticks >= 1.0f)) return 0;
    if (ticks >= 2147483648.0f) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(ticks);
}

}  // namespace

CWaveGenerator::CWaveGenerator()
    : curveDivisor(static_cast<float>(std::pow(16.0, 1.5) * 0.0625)) {}

float CWaveGenerator::Generate(std::int32_t time, float& phase, bool resync, RandomSource& random) {
    const float rampOffset = startAtPeak == 1 ? halfPi : centerOffset;
    // Any `useInterval` other than 0 is interval mode, as everywhere in the
    // engine, so a stored value of 2 cannot leave the phase with no case.
    const bool locked = useInterval != 0 || resync;
    if (time == 0 && !resync) {
        lastTime = 0;
        phase = startAtPeak == 1 ? -halfPi : 0.0f;
        if (heldRandom == kNothingDrawn) {
            // The first reset draws the first cycle's level now (see heldRandom),
            // and that draw serves the whole cycle it starts.
            newCycle = 1;
            previousPhase = phase;
        }
        currentCycle = targetCycle;
        currentAmplitude = targetAmplitude;
        cycleGlideStep = 0.0f;
        amplitudeGlideStep = 0.0f;
    } else if (locked) {
        LockPhaseToClock(time, phase);
    } else {
        WrapOnce(phase);
    }

    const float wave = WaveValue(phase, rampOffset, random);
    const float out = OutputValue(wave, locked ? targetAmplitude : currentAmplitude);
    if (!locked) {
        AdvanceFreeRunning(time, phase);
        StepGlides();
    }
    previousPhase = phase;
    return out;
}

void CWaveGenerator::LockPhaseToClock(std::int32_t time, float& phase) {
    const float cycleTicks = targetCycle * ticksPerBeat;
    const std::int32_t wholeTicks = WholeCycleTicks(cycleTicks);
    // A cycle shorter than one tick holds the phase at its start.
    phase = wholeTicks < 1 ? 0.0f : (twoPi / cycleTicks) * static_cast<float>(time % wholeTicks);
    WrapOnce(phase);
    if (startAtPeak == 1) phase -= halfPi;
}

void CWaveGenerator::WrapOnce(float& phase) {
    if (phase >= twoPi) phase -= twoPi;
    if (previousPhase > phase) newCycle = 1;
}

float CWaveGenerator::WaveValue(float phase, float rampOffset, RandomSource& random) {
    switch (waveform) {
        case kSine:
            return static_cast<float>(std::sin(static_cast<double>(phase)));
        case kSquare: {
            const double s = std::sin(static_cast<double>(phase));
            if (s > 0.0) return 1.0f;
            if (s < 0.0) return -1.0f;
            // On the exact zero the wave takes the side it starts towards.
            const bool up = targetAmplitude > 0.0f;
            return (startAtPeak == 1 ? !up : up) ? 1.0f : -1.0f;
        }
        case kTriangle:
            return TriangleAt(phase / twoPi - kTriangleShift);
        case kSawtooth: {
            const double y = static_cast<double>((phase - rampOffset) / twoPi);
            return static_cast<float>(2.0 * (y - std::floor(y + 0.5)));
        }
        case kPulse: {
            const float t = TriangleAt((phase - rampOffset) / twoPi - kTriangleShift);
            const bool high =
                static_cast<double>(pulseWidth / 100.0f) >= static_cast<double>(t * 0.5f) + 0.5;
            return high ? 1.0f : 0.0f;
        }
        case kRandom:
            if (newCycle == 1) {
                const std::int32_t r = random.Next();
                heldRandom = static_cast<float>(r + r) / static_cast<float>(RandomSource::kMax) - 1.0f;
                newCycle = 0;
            }
            return heldRandom;
        default:
            return 0.0f;
    }
}

float CWaveGenerator::OutputValue(float wave, float amplitude) const {
    // The pulse steps between the centre plus offset and the centre plus the
    // amplitude; every other wave swings about the centre plus offset.
    if (waveform == kPulse) return wave == 1.0f ? targetAmplitude + kCentre : offset + kCentre;
    return wave * amplitude + kCentre + offset;
}

void CWaveGenerator::AdvanceFreeRunning(std::int32_t time, float& phase) {
    const std::int64_t elapsed = static_cast<std::int64_t>(time) - lastTime;
    phase = phase + static_cast<float>(elapsed) * phaseStep;
    lastTime = time;
    WrapOnce(phase);
}

void CWaveGenerator::StepGlides() {
    if (cycleGlideStep != 0.0f) {
        // The phase step follows the stepped cycle length, before any snap to the target.
        const float stepped = currentCycle + cycleGlideStep;
        phaseStep = twoPi / (stepped * ticksPerBeat);
        StepTowards(currentCycle, cycleGlideStep, targetCycle);
    }
    if (amplitudeGlideStep != 0.0f) StepTowards(currentAmplitude, amplitudeGlideStep, targetAmplitude);
}

void CWaveGenerator::SetCycleLengthNow(float cycle) {
    targetCycle = cycle;
    currentCycle = cycle;
    cycleGlideStep = 0.0f;
    phaseStep = twoPi / (cycle * ticksPerBeat);
}

void CWaveGenerator::GlideCycleLength(float x) {
    const float oldTarget = targetCycle;
    currentCycle = oldTarget;
    const double curved = std::pow(static_cast<double>(x), static_cast<double>(curveExponent)) /
                          static_cast<double>(curveDivisor);
    const float newTarget = static_cast<float>(curved) + 0.2f;
    targetCycle = newTarget;
    cycleGlideStep = (newTarget - oldTarget) / (ticksPerBeat * kGlideBeats);
}

void CWaveGenerator::GlideAmplitude(float amplitude) {
    const float oldTarget = targetAmplitude;
    currentAmplitude = oldTarget;
    targetAmplitude = amplitude;
    amplitudeGlideStep = (amplitude - oldTarget) / (ticksPerBeat * kGlideBeats);
}

void CWaveGenerator::SetTimebase(float ticks) {
    ticksPerBeat = ticks;
    phaseStep = twoPi / (ticks * targetCycle);
}

std::int32_t CWaveGenerator::ControllerValue(float raw) const {
    float v = raw > maxValue ? maxValue : raw;
    if (!(v >= minValue)) v = minValue;
    // The record's bounds are constants, but the result must be a 7-bit value
    // whatever they hold.
    if (!(v >= 0.0f)) v = 0.0f;
    if (v > 127.0f) v = 127.0f;
    return static_cast<std::int32_t>(v);
}

}  // namespace nuv::ondulo
