// Live input: every message passes through; live notes take the generator over
// from playback, start the host's input pulses and, on each pulse, the wave's
// values for the pulse's ticks are written as controller messages. A pending
// learn request takes the number of the next live controller instead.
#include "framework/clock_ticks.h"
#include "plugins/ondulo/ondulo_effect.h"

namespace nuv::ondulo {

namespace {

bool IsControl(const HostData& m) { return MessageKind(m) == kStatusControl; }

// The four bytes of a message as one value, for telling repeats apart.
std::uint32_t MessageBytes(const HostData& m) {
    return static_cast<std::uint32_t>(m.status) | (static_cast<std::uint32_t>(m.data1) << 8) |
           (static_cast<std::uint32_t>(m.data2) << 16) | (static_cast<std::uint32_t>(m.spare) << 24);
}

}  // namespace

HRESULT STDMETHODCALLTYPE NuvMfx::OnInput(HostDataQueue* in, HostDataQueue* out) {
    if (learnTarget != kLearnNone) {
        // Nothing at all is written while a learn is pending, even once it is served.
        LearnFrom(in);
        return S_OK;
    }
    const std::int32_t ticksPerPulse = pulses.TicksPerPulse(timeService.Get());
    TakeHostTimebase();
    if (enabled == 0) {
        CopyData(in, out);
        return S_OK;
    }

    // A batch without a readable message is an empty pulse: the live clock
    // runs on by the pulse's ticks.
    bool first = true;
    std::int32_t batchTime = 0;
    ForEachData(in, [&](const HostData& message) {
        liveChannel_ = MessageChannel(message);
        if (first) {
            batchTime = message.time;
            if (playing_ != 0) liveClock_ = message.time;
            first = false;
        }
        TakeLiveMessage(message);
        out->Add(&message);
    });
    if (first) liveClock_ = AddTicks(liveClock_, ticksPerPulse);

    if (playbackOwnsGenerator_ == 1) return S_OK;
    if (Continuous() || liveHeldNotes_ > 0) {
        EmitLiveValues(ticksPerPulse, batchTime, out);
    } else {
        playbackOwnsGenerator_ = 1;
    }
    return S_OK;
}

void NuvMfx::LearnFrom(HostDataQueue* in) {
    ForEachData(in, [this](const HostData& message) {
        if (learnTarget == kLearnNone || !IsControl(message)) return;
        switch (learnTarget) {
            case kLearnModulated: WriteLocked(settingsLock, modulatedCC, message.data1); break;
            case kLearnFrequency: WriteLocked(settingsLock, frequencyCC, message.data1); break;
            case kLearnAmplitude: WriteLocked(settingsLock, amplitudeCC, message.data1); break;
            case kLearnOffset: WriteLocked(settingsLock, offsetCC, message.data1); break;
            default: break;
        }
        refreshFlag = 1;
        WriteLocked(settingsLock, learnTarget, kLearnNone);
    });
}

void NuvMfx::TakeLiveMessage(const HostData& message) {
    if (IsNoteStart(message)) {
        playbackOwnsGenerator_ = 0;
        pulses.Begin();
        if (retrigger != 0 || (!Continuous() && liveHeldNotes_ == 0)) liveClock_ = 0;
        if (liveHeldNotes_ < INT32_MAX) ++liveHeldNotes_;
    } else if (IsNoteEnd(message)) {
        playbackOwnsGenerator_ = 0;
        liveHeldNotes_ = liveHeldNotes_ > 1 ? liveHeldNotes_ - 1 : 0;
        if (!Continuous() && liveHeldNotes_ == 0) pulses.End();
    } else if (IsControl(message)) {
        HandleLiveControl(message);
    }
}

void NuvMfx::HandleLiveControl(const HostData& message) {
    const std::int32_t number = message.data1;
    const std::uint8_t value = message.data2;
    // Live frequency input always glides, from at least the smallest value.
    if (frequencyCC > 0 && number == frequencyCC) {
        const float x = static_cast<float>(value < 2 ? 2 : value) * 0.125f;
        StoreFreeCycle(x);
        generator.GlideCycleLength(x);
    }
    if (amplitudeCC > 0 && number == amplitudeCC) SteerAmplitude(value);
    if (offsetCC > 0 && number == offsetCC) SteerOffset(value);
}

void NuvMfx::EmitLiveValues(std::int32_t ticksPerPulse, std::int32_t batchTime, HostDataQueue* out) {
    for (std::int64_t step = 0; step < ticksPerPulse; step += emissionInterval) {
        const auto k = static_cast<std::int32_t>(step);
        const float raw = generator.Generate(AddTicks(liveClock_, k), generator.phase, false, random_);
        HostData message{};
        message.status = static_cast<std::uint8_t>(kStatusControl | (liveChannel_ & kChannelMask));
        message.data1 = ModulatedNumber();
        message.data2 = static_cast<std::uint8_t>(generator.ControllerValue(raw));
        message.time = AddTicks(batchTime, k);
        if (message.time == -1) message.time = 0;
        const std::uint32_t bytes = MessageBytes(message);
        if (bytes != lastLiveMessage_) out->Add(&message);
        lastLiveMessage_ = bytes;
    }
}

}  // namespace nuv::ondulo
