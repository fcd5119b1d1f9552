// Playback of a whole song through the NuvOndulo engine, as a host drives it:
// four minutes at 960 ticks per beat and 120 beats per minute, a four-note
// chord on every beat and a bass note on every other, handed over in spans of
// 240 ticks. Reported per second of song, with the memory the note table holds
// and the memory the earlier table of one byte per tick took for the song.
#include <benchmark/benchmark.h>

#include <vector>

#include "plugins/ondulo/ondulo_effect.h"
#include "tests/support/event_builders.h"
#include "tests/support/reference/tick_count_table.h"
#include "tools/host/services.h"

namespace nuv::ondulo {
namespace {

constexpr std::int32_t kTicksPerBeat = 960;
constexpr std::int32_t kBeatsPerMinute = 120;
constexpr std::int32_t kSongSeconds = 240;
constexpr std::int32_t kSongTicks = kSongSeconds * kBeatsPerMinute / 60 * kTicksPerBeat;
constexpr std::int32_t kSpanTicks = 240;

// The song's events, cut into the spans in which a host hands them over.
std::vector<ComRef<host::EventQueue>> SongSpans() {
    std::vector<std::vector<HostEvent>> spans(kSongTicks / kSpanTicks);
    const std::uint8_t chord[] = {60, 64, 67, 71};
    for (std::int32_t beat = 0; beat * kTicksPerBeat < kSongTicks; ++beat) {
        const std::int32_t at = beat * kTicksPerBeat;
        auto& span = spans[static_cast<std::size_t>(at / kSpanTicks)];
        for (std::uint8_t key : chord) span.push_back(testing::NoteEvent(at, key, 90, 900));
        if (beat % 2 == 0) span.push_back(testing::NoteEvent(at, 36, 100, 1800));
        span.push_back(testing::ControlEvent(at + 120, 64, 127));
    }
    std::vector<ComRef<host::EventQueue>> queues;
    for (auto& span : spans) queues.emplace_back(new host::EventQueue(std::move(span)));
    return queues;
}

// The bytes the earlier table held after the song: it grew to the span and
// the note ends as playback counted them.
std::size_t EarlierTableBytes(const std::vector<ComRef<host::EventQueue>>& spans) {
    reference::TickCountTable table;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        table.GrowTo(static_cast<std::int64_t>(i + 1) * kSpanTicks + 1);
        for (const HostEvent& e : spans[i]->Records()) {
            if (e.kind != Note || e.value == 0) continue;
            table.GrowTo(static_cast<std::int64_t>(e.time) + e.duration + 2);
            table.AddNote(e.time, e.duration);
        }
    }
    return table.BytesHeld();
}

void PlaySong(benchmark::State& state, std::int32_t mode, std::uint8_t retrigger) {
    ComRef<host::HostContext> context(new host::HostContext);
    context->time->timebase = kTicksPerBeat;
    ComRef<NuvMfx> effect(new NuvMfx);
    effect->Connect(context.Get());
    effect->mode = mode;
    effect->retrigger = retrigger;
    const auto spans = SongSpans();
    ComRef<host::EventQueue> out(new host::EventQueue);
    std::size_t written = 0;
    for (auto _ : state) {
        effect->OnStart(0, nullptr);
        written = 0;
        for (std::size_t i = 0; i < spans.size(); ++i) {
            const auto from = static_cast<std::int32_t>(i) * kSpanTicks;
            out->Clear();
            effect->OnEvents(from, from + kSpanTicks - 1, spans[i].Get(), out.Get());
            written += out->Records().size();
        }
        effect->OnStop(kSongTicks, nullptr);
    }
    state.counters["per_song_second"] = benchmark::Counter(
        kSongSeconds, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["note_table_bytes"] = static_cast<double>(effect->NoteTable().BytesHeld());
    state.counters["tick_table_bytes_before"] = static_cast<double>(EarlierTableBytes(spans));
    state.counters["note_table_ticks"] = static_cast<double>(effect->NoteTable().Length());
    state.counters["events_written"] = static_cast<double>(written);
    effect->Disconnect();
}

void BM_SongNoteActive(benchmark::State& state) { PlaySong(state, kNoteActive, 0); }
void BM_SongNoteActiveRetrigger(benchmark::State& state) { PlaySong(state, kNoteActive, 1); }
void BM_SongContinuous(benchmark::State& state) { PlaySong(state, kContinuous, 0); }

BENCHMARK(BM_SongNoteActive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SongNoteActiveRetrigger)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SongContinuous)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nuv::ondulo

BENCHMARK_MAIN();
