// NuvShiftwell OnEvents throughput against a plain copy of the same events
// from queue to queue: the ratio of the two is the engine's own cost.
#include <benchmark/benchmark.h>

#include "bench/support/song_events.h"
#include "plugins/shiftwell/shiftwell_effect.h"
#include "tools/host/queues.h"

namespace {

using nuv::ComRef;
using nuv::host::EventQueue;

void PrepareOutput(EventQueue& out, std::size_t count) {
    out.Records().clear();
    out.Records().reserve(count);
}

void BM_PlainCopy(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    ComRef<EventQueue> in(new EventQueue(nuv::bench::DenseSong(count)));
    ComRef<EventQueue> out(new EventQueue);
    for (auto _ : state) {
        PrepareOutput(*out, count);
        nuv::CopyEvents(in.Get(), out.Get());
        benchmark::DoNotOptimize(out->Records().data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
}

void BM_ShiftwellOnEvents(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    ComRef<EventQueue> in(new EventQueue(nuv::bench::DenseSong(count)));
    ComRef<EventQueue> out(new EventQueue);
    ComRef<nuv::shiftwell::NuvMfx> effect(new nuv::shiftwell::NuvMfx);
    effect->shift = 7;
    effect->lowKey = 40;
    effect->highKey = 100;
    for (auto _ : state) {
        PrepareOutput(*out, count);
        effect->OnEvents(0, 1 << 30, in.Get(), out.Get());
        benchmark::DoNotOptimize(out->Records().data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
}

BENCHMARK(BM_PlainCopy)->Arg(1000)->Arg(100000);
BENCHMARK(BM_ShiftwellOnEvents)->Arg(1000)->Arg(100000);

}  // namespace

BENCHMARK_MAIN();
