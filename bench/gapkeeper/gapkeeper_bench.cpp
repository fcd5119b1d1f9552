// NuvGapkeeper OnEvents cost per note over whole songs of 1,000 to 100,000
// notes in calls of 16 at the default range and margin: each note is compared
// with the whole history, so the cost per note grows with the song.
#include "bench/support/note_song_calls.h"
#include "plugins/gapkeeper/gapkeeper_effect.h"
#include "tools/host/services.h"

namespace {

void BM_GapkeeperSongPerNote(benchmark::State& state) {
    nuv::ComRef<nuv::host::HostContext> context(new nuv::host::HostContext);
    nuv::ComRef<nuv::gapkeeper::NuvMfx> effect(new nuv::gapkeeper::NuvMfx);
    effect->Connect(context.Get());
    nuv::bench::TimeSongPerNote(state, *effect);
    effect->Disconnect();
}

BENCHMARK(BM_GapkeeperSongPerNote)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
