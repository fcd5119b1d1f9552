// Song playback: the span is walked tick by tick; the input events are written
// back at their ticks, the note table decides where the wave runs and where it
// restarts, and every 24 ticks of the playback clock one controller value of
// the wave is written, just ahead of its tick.
#include "framework/clock_ticks.h"
#include "plugins/ondulo/ondulo_effect.h"
#include "plugins/ondulo/rate_table.h"

namespace nuv::ondulo {

HRESULT STDMETHODCALLTYPE NuvMfx::OnEvents(std::int32_t from, std::int32_t thru, HostEventQueue* in,
                                           HostEventQueue* out) {
    if (static_cast<std::int64_t>(thru) - from <= 0) return S_OK;
    // While a controller is being learnt, or live input holds the generator,
    // the span's events are not passed on either.
    if (learnTarget != kLearnNone || playbackOwnsGenerator_ != 1) return S_OK;
    TakeHostTimebase();
    if (enabled == 0) {
        CopyEvents(in, out);
        return S_OK;
    }
    noteTable_.GrowTo(static_cast<std::int64_t>(thru) + 2);
    CountNotes(in);
    WalkSpan(from, thru, out);
    return S_OK;
}

void NuvMfx::CountNotes(HostEventQueue* in) {
    kept_.clear();
    ForEachEvent(in, [this](const HostEvent& event) {
        playChannel_ = event.channel;
        playPort_ = event.port;
        if (event.kind == Note && event.value > 0) {
            if (event.duration > kLongestCountedNote) return;
            noteTable_.GrowTo(static_cast<std::int64_t>(event.time) + event.duration + 2);
            noteTable_.AddNote(event.time, event.duration);
        }
        kept_.push_back(event);
    });
}

void NuvMfx::WalkSpan(std::int32_t from, std::int32_t thru, HostEventQueue* out) {
    std::size_t next = 0;
    NoteCountTable::Reader counts = noteTable_.ReadFrom(from);
    for (std::int64_t tick = from; tick <= thru; ++tick) {
        if (!Continuous() && generateNow_ == 0) playClock_ = 0;
        FollowNoteCount(counts.Next());
        // An event is written when the walk has reached its tick; one whose
        // tick already passed (out of order, or before the span) goes out at
        // once rather than holding back the events behind it.
        while (next < kept_.size() && kept_[next].time <= tick) WriteKept(kept_[next++], out);
        if (generateNow_ != 0 && playClock_ % emissionInterval == 0) EmitPlaybackValue(tick, from, out);
        playClock_ = AddTicks(playClock_, 1);
    }
    // Events beyond the span's end are written after it rather than lost.
    while (next < kept_.size()) WriteKept(kept_[next++], out);
}

void NuvMfx::FollowNoteCount(std::uint8_t entry) {
    const std::uint8_t count = entry & NoteCountTable::kCountMask;
    if (entry != 0) {
        generateNow_ = 1;
        const bool noteArrives = count > previousCount_ || (entry & NoteCountTable::kStartMark) != 0;
        if (noteArrives && retrigger != 0) playClock_ = 0;
    } else {
        generateNow_ = Continuous() ? 1 : 0;
    }
    previousCount_ = count;
}

void NuvMfx::WriteKept(const HostEvent& event, HostEventQueue* out) {
    if (event.kind == Control && !HandlePlaybackControl(event)) return;
    out->Add(&event);
}

void NuvMfx::EmitPlaybackValue(std::int64_t tick, std::int32_t from, HostEventQueue* out) {
    const float raw = generator.Generate(playClock_, generator.phase, false, random_);
    HostEvent event{};
    event.channel = playChannel_;
    event.port = playPort_;
    event.kind = Control;
    event.number = ModulatedNumber();
    event.value = static_cast<std::uint8_t>(generator.ControllerValue(raw));
    std::int64_t time = tick - leadTicks;
    if (time < from) time = tick;
    if (tick <= leadTicks) time = 0;
    event.time = static_cast<std::int32_t>(time);
    const auto pair = static_cast<std::uint16_t>((event.number << 8) | event.value);
    if (pair != lastPlayPair_) out->Add(&event);
    lastPlayPair_ = pair;
}

bool NuvMfx::HandlePlaybackControl(const HostEvent& event) {
    const std::int32_t number = event.number;
    const std::uint8_t value = event.value;
    bool pass = true;
    if (frequencyCC > 0 && number == frequencyCC) {
        const float x = value < 2 ? 0.25f : static_cast<float>(value) * 0.125f;
        if (useInterval != 0) {
            const std::int32_t index = IntervalIndexFor(x);
            generator.SetCycleLengthNow(RateTable[index].cycle);
            generator.rateIndex = index;
            WriteLocked(settingsLock, rateIndex, index);
            StoreFreeCycle(RateTable[index].cycle);
        } else if (firstFrequencyInput_ != 0) {
            // The first frequency input after a start jumps: there is no
            // earlier value of this playback to glide from.
            generator.SetCycleLengthNow(StoreFreeCycle(x));
        } else {
            StoreFreeCycle(x);
            generator.GlideCycleLength(x);
        }
        firstFrequencyInput_ = 0;
        pass = false;
    }
    if (amplitudeCC > 0 && number == amplitudeCC) {
        SteerAmplitude(value);
        pass = false;
    }
    if (offsetCC > 0 && number == offsetCC) {
        SteerOffset(value);
        pass = false;
    }
    // The modulated controller's own incoming values never pass on playback.
    return pass && number != modulatedCC;
}

}  // namespace nuv::ondulo
