// NuvVelocurveV2 OnEvents cost per event on a dense song (notes with a
// controller and a wheel move between them) in calls of 64 events, for each
// target, beside a plain copy of the same events through the same queues.
#include <benchmark/benchmark.h>

#include "bench/support/event_calls.h"
#include "bench/support/song_events.h"
#include "plugins/velocurve/velocurve_effect.h"
#include "tools/host/queues.h"

namespace nuv::velocurve {
namespace {

constexpr std::size_t kSongEvents = 64 * 1024;
constexpr std::size_t kEventsPerCall = 64;

template <class Run>
void TimeSong(benchmark::State& state, Run run) {
    const auto calls = bench::CallsOf(bench::DenseSong(kSongEvents), kEventsPerCall);
    ComRef<host::EventQueue> out(new host::EventQueue);
    out->Records().reserve(kEventsPerCall);
    for (auto _ : state) {
        for (const auto& call : calls) {
            out->Clear();
            run(call.Get(), out.Get());
            benchmark::DoNotOptimize(out->Records().data());
        }
    }
    state.counters["per_event"] = benchmark::Counter(
        kSongEvents, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_CompanderPerEvent(benchmark::State& state) {
    ComRef<NuvMfx> effect(new NuvMfx);
    effect->targetVelocity = state.range(0) == kVelocity;
    effect->targetCtrlChng = state.range(0) == kCtrlChng;
    TimeSong(state, [&](HostEventQueue* in, HostEventQueue* out) { effect->OnEvents(0, 0, in, out); });
}

void BM_CopyPerEvent(benchmark::State& state) {
    TimeSong(state, [](HostEventQueue* in, HostEventQueue* out) { CopyEvents(in, out); });
}

BENCHMARK(BM_CompanderPerEvent)->ArgName("target")->Arg(kVelocity)->Arg(kCtrlChng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyPerEvent)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace nuv::velocurve

BENCHMARK_MAIN();
