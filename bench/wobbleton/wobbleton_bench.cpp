// NuvWobbleton: modulation cycles built per second at the default settings
// and at the widest spread with the closest and the widest breakpoint spacing
// (the spread sets how many polyline points a segment takes), beside the
// earlier whole-polyline sampling; and playback of a dense song (notes with a
// controller and a wheel move between them) in calls of 64 events, reported
// per wheel value written, beside a plain copy of the same events and of as
// many events as playback writes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "bench/support/event_calls.h"
#include "bench/support/song_events.h"
#include "plugins/wobbleton/wobbleton_effect.h"
#include "tests/support/reference/wheel_table.h"
#include "tools/host/queues.h"
#include "tools/host/services.h"

namespace nuv::wobbleton {
namespace {

constexpr std::size_t kSongEvents = 16 * 1024;
constexpr std::size_t kEventsPerCall = 64;

// Cycles built per second, `read` saying how much of each cycle's table is
// then read: the whole table, as far as a note of 200 ticks reads it, or the
// whole table by the sampling of the whole polyline that playback used before
// it sampled on demand (the breakpoints and segments of the present Build,
// then the earlier polyline and table).
enum class Read { kWholeTable, kOneNote, kWholeTableAsBefore };

void BuildCycles(benchmark::State& state, Read read) {
    auto cycle = std::make_unique<WheelCycle>();
    auto earlier = std::make_unique<reference::WheelTable>();
    RandomSource random(kRandomSeed);
    const auto amp = static_cast<float>(state.range(0));
    const auto freq = static_cast<float>(state.range(1));
    std::vector<SplinePoint> polyline;
    SplinePolyline spline;
    for (auto _ : state) {
        cycle->Build(amp, freq, random);
        switch (read) {
            case Read::kWholeTable: cycle->CompleteTable(); break;
            case Read::kOneNote:
                for (std::int32_t pos = 0; pos < 200; pos += kWheelStep) benchmark::DoNotOptimize(cycle->Entry(pos));
                break;
            case Read::kWholeTableAsBefore:
                spline.Compute(cycle->breakpoints.data(), cycle->breakpoints.size(), polyline);
                reference::SampleWheelTable(polyline, *earlier);
                break;
        }
        benchmark::DoNotOptimize(cycle->modTable.data());
        benchmark::DoNotOptimize(earlier->data());
    }
    state.counters["cycles"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_CycleBuildWholeTable(benchmark::State& state) { BuildCycles(state, Read::kWholeTable); }
void BM_CycleBuildOneNote(benchmark::State& state) { BuildCycles(state, Read::kOneNote); }
void BM_CycleBuildWholeTableAsBefore(benchmark::State& state) { BuildCycles(state, Read::kWholeTableAsBefore); }

// Runs every call through `run`; returns the events written per song.
template <class Run>
std::size_t TimeCalls(benchmark::State& state, const std::vector<ComRef<host::EventQueue>>& calls, Run run) {
    ComRef<host::EventQueue> out(new host::EventQueue);
    std::size_t written = 0;
    for (auto _ : state) {
        written = 0;
        for (const auto& call : calls) {
            out->Clear();
            run(call.Get(), out.Get());
            written += out->Records().size();
            benchmark::DoNotOptimize(out->Records().data());
        }
    }
    return written;
}

void PerEvent(benchmark::State& state, const char* name, std::size_t events) {
    state.counters[name] = benchmark::Counter(static_cast<double>(events),
                                              benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The song as playback turns it out: input events and generated wheels.
std::vector<HostEvent> PlayedSong() {
    ComRef<host::HostContext> context(new host::HostContext);
    ComRef<NuvMfx> effect(new NuvMfx);
    effect->Connect(context.Get());
    std::vector<HostEvent> played;
    ComRef<host::EventQueue> out(new host::EventQueue);
    for (const auto& call : bench::CallsOf(bench::DenseSong(kSongEvents), kEventsPerCall)) {
        out->Clear();
        effect->OnEvents(0, 0, call.Get(), out.Get());
        played.insert(played.end(), out->Records().begin(), out->Records().end());
    }
    effect->Disconnect();
    return played;
}

void BM_PlaybackPerWheel(benchmark::State& state) {
    ComRef<host::HostContext> context(new host::HostContext);
    ComRef<NuvMfx> effect(new NuvMfx);
    effect->Connect(context.Get());
    const auto calls = bench::CallsOf(bench::DenseSong(kSongEvents), kEventsPerCall);
    const std::size_t written = TimeCalls(state, calls, [&](HostEventQueue* in, HostEventQueue* out) {
        effect->OnEvents(0, 0, in, out);
    });
    PerEvent(state, "per_wheel", written - kSongEvents);
    state.counters["wheels"] = static_cast<double>(written - kSongEvents);
    effect->Disconnect();
}

void BM_CopySong(benchmark::State& state) {
    const auto calls = bench::CallsOf(bench::DenseSong(kSongEvents), kEventsPerCall);
    TimeCalls(state, calls, [](HostEventQueue* in, HostEventQueue* out) { CopyEvents(in, out); });
    PerEvent(state, "per_event", kSongEvents);
}

void BM_CopyPlayedSong(benchmark::State& state) {
    const auto played = PlayedSong();
    const auto calls = bench::CallsOf(played, kEventsPerCall);
    TimeCalls(state, calls, [](HostEventQueue* in, HostEventQueue* out) { CopyEvents(in, out); });
    PerEvent(state, "per_event", played.size());
    state.counters["events"] = static_cast<double>(played.size());
}

BENCHMARK(BM_CycleBuildWholeTableAsBefore)->ArgNames({"amp", "freq"})->Args({10, 5})->Args({32, 1})->Args({32, 10});
BENCHMARK(BM_CycleBuildWholeTable)->ArgNames({"amp", "freq"})->Args({10, 5})->Args({32, 1})->Args({32, 10});
BENCHMARK(BM_CycleBuildOneNote)->ArgNames({"amp", "freq"})->Args({10, 5})->Args({32, 1})->Args({32, 10});
BENCHMARK(BM_PlaybackPerWheel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopySong)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyPlayedSong)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nuv::wobbleton

BENCHMARK_MAIN();
