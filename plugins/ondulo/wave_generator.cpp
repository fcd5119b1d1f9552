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

// One glide step of `current` by `step` towards `target`. The glide ends
// within 1.0 of the target, or once the step carries it past the target (a
// step larger than that window, or one pointing away from the target, which
// only a glide begun on another thread in the middle of this one can leave),
// which would otherwise run on without end. A stepped value that is not a
// number ends it too.
struct GlideStep {
    float stepped;
    bool passed;
    bool ends;
};

GlideStep StepTowards(float current, float step, float target) {
    const float stepped = current + step;
    const bool passed = step > 0.0f ? stepped > target : stepped < target;
    return {stepped, passed, passed || !(std::fabs(stepped - target) >= 1.0f)};
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

CWaveGenerator::CWaveGenerator(const CWaveGenerator& other) : curveDivisor(other.curveDivisor) { *this = other; }

CWaveGenerator& CWaveGenerator::operator=(const CWaveGenerator& other) {
    CopySharedFields(other);
    phase = other.phase;
    lastTime = other.lastTime;
    heldRandom = other.heldRandom;
    previousPhase = other.previousPhase;
    newCycle = other.newCycle;
    return *this;
}

void CWaveGenerator::CopySharedFields(const CWaveGenerator& live) {
    twoPi = live.twoPi;
    centerOffset = live.centerOffset;
    halfPi = live.halfPi;
    curveExponent = live.curveExponent;
    curveDivisor = live.curveDivisor;
    minValue = live.minValue;
    maxValue = live.maxValue;
    rateIndex = static_cast<std::int32_t>(live.rateIndex);
    waveform = static_cast<std::int32_t>(live.waveform);
    useInterval = static_cast<std::int32_t>(live.useInterval);
    startAtPeak = static_cast<std::int32_t>(live.startAtPeak);
    ticksPerBeat = static_cast<float>(live.ticksPerBeat);
    currentCycle = static_cast<float>(live.currentCycle);
    currentAmplitude = static_cast<float>(live.currentAmplitude);
    offset = static_cast<float>(live.offset);
    pulseWidth = static_cast<float>(live.pulseWidth);
    phaseStep = static_cast<float>(live.phaseStep);
    targetCycle = static_cast<float>(live.targetCycle);
    cycleGlideStep = static_cast<float>(live.cycleGlideStep);
    targetAmplitude = static_cast<float>(live.targetAmplitude);
    amplitudeGlideStep = static_cast<float>(live.amplitudeGlideStep);
}

// Each shared field that a call depends on throughout (the wave, the start,
// the mode) is read once, so that a change the page makes meanwhile shows
// whole at this call or the next.
float CWaveGenerator::Generate(std::int32_t time, float& phase, bool resync, RandomSource& random) {
    const std::int32_t wave = waveform;
    const bool peak = startAtPeak == 1;
    const float rampOffset = peak ? halfPi : centerOffset;
    // Any `useInterval` other than 0 is interval mode, as everywhere in the
    // engine, so a stored value of 2 cannot leave the phase with no case.
    const bool locked = useInterval != 0 || resync;
    if (time == 0 && !resync) {
        lastTime = 0;
        phase = peak ? -halfPi : 0.0f;
        if (heldRandom == kNothingDrawn) {
            // The first reset draws the first cycle's level now (see heldRandom),
            // and that draw serves the whole cycle it starts.
            newCycle = 1;
            previousPhase = phase;
        }
        currentCycle = static_cast<float>(targetCycle);
        currentAmplitude = static_cast<float>(targetAmplitude);
        cycleGlideStep = 0.0f;
        amplitudeGlideStep = 0.0f;
    } else if (locked) {
        LockPhaseToClock(time, phase, peak);
    } else {
        WrapOnce(phase);
    }

    const float value = WaveValue(wave, phase, rampOffset, peak, random);
    const float out = OutputValue(wave, value, locked ? targetAmplitude : currentAmplitude);
    if (!locked) {
        AdvanceFreeRunning(time, phase);
        StepGlides();
    }
    previousPhase = phase;
    return out;
}

void CWaveGenerator::LockPhaseToClock(std::int32_t time, float& phase, bool peak) {
    const float cycleTicks = targetCycle * ticksPerBeat;
    const std::int32_t wholeTicks = WholeCycleTicks(cycleTicks);
    // A cycle shorter than one tick holds the phase at its start.
    phase = wholeTicks < 1 ? 0.0f : (twoPi / cycleTicks) * static_cast<float>(time % wholeTicks);
    WrapOnce(phase);
    if (peak) phase -= halfPi;
}

void CWaveGenerator::WrapOnce(float& phase) {
    if (phase >= twoPi) phase -= twoPi;
    if (previousPhase > phase) newCycle = 1;
}

float CWaveGenerator::WaveValue(std::int32_t wave, float phase, float rampOffset, bool peak,
                                RandomSource& random) {
    switch (wave) {
        case kSine:
            return static_cast<float>(std::sin(static_cast<double>(phase)));
        case kSquare: {
            const double s = std::sin(static_cast<double>(phase));
            if (s > 0.0) return 1.0f;
            if (s < 0.0) return -1.0f;
            // On the exact zero the wave takes the side it starts towards.
            const bool up = targetAmplitude > 0.0f;
            return (peak ? !up : up) ? 1.0f : -1.0f;
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

float CWaveGenerator::OutputValue(std::int32_t wave, float value, float amplitude) const {
    // The pulse steps between the centre plus offset and the centre plus the
    // amplitude; every other wave swings about the centre plus offset.
    if (wave == kPulse) return value == 1.0f ? targetAmplitude + kCentre : offset + kCentre;
    return value * amplitude + kCentre + offset;
}

void CWaveGenerator::AdvanceFreeRunning(std::int32_t time, float& phase) {
    const std::int64_t elapsed = static_cast<std::int64_t>(time) - lastTime;
    phase = phase + static_cast<float>(elapsed) * phaseStep;
    lastTime = time;
    WrapOnce(phase);
}

// The phase step follows the stepped cycle length, before any snap to the
// target, unless the step carried it past the target: then the target's.
void CWaveGenerator::StepGlides() {
    const float cycleStep = cycleGlideStep;
    const float cycleTarget = targetCycle;
    if (cycleStep != 0.0f) {
        const GlideStep next = StepTowards(currentCycle, cycleStep, cycleTarget);
        phaseStep = twoPi / ((next.passed ? cycleTarget : next.stepped) * ticksPerBeat);
        if (next.ends) cycleGlideStep = 0.0f;
        currentCycle = next.ends ? cycleTarget : next.stepped;
    } else if (currentCycle != cycleTarget) {
        currentCycle = cycleTarget;  // a glide whose step a racing reset cleared
    }
    const float amplitudeStep = amplitudeGlideStep;
    const float amplitudeTarget = targetAmplitude;
    if (amplitudeStep != 0.0f) {
        const GlideStep next = StepTowards(currentAmplitude, amplitudeStep, amplitudeTarget);
        if (next.ends) amplitudeGlideStep = 0.0f;
        currentAmplitude = next.ends ? amplitudeTarget : next.stepped;
    } else if (currentAmplitude != amplitudeTarget) {
        currentAmplitude = amplitudeTarget;
    }
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
