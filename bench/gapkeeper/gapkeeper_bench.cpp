// NuvGapkeeper OnEvents cost per note over whole songs of 1,000 to 100,000
// notes in calls of 16 at the default range and margin, through the engine
// (which finds the notes that matter through its history's index) and through
// the earlier plain scan of the whole history, whose cost per note grows with
// the song.
#include "bench/support/note_song_calls.h"
#include "plugins/gapkeeper/gapkeeper_effect.h"
#include "tests/support/reference/scan_engines.h"
#include "tools/host/services.h"

namespace {

void BM_GapkeeperSongPerNote(benchmark::State& state) {
    nuv::ComRef<nuv::host::HostContext> context(new nuv::host::HostContext);
    nuv::ComRef<nuv::gapkeeper::NuvMfx> effect(new nuv::gapkeeper::NuvMfx);
    effect->Connect(context.Get());
    nuv::bench::TimeSongPerNote(state, *effect);
    effect->Disconnect();
}

void BM_GapkeeperPlainScanSongPerNote(benchmark::State& state) {
    nuv::reference::ScanGapkeeper scan;
    nuv::bench::TimeSongPerNote(state, scan);
}

BENCHMARK(BM_GapkeeperSongPerNote)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GapkeeperPlainScanSongPerNote)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
