// NuvSloppet OnEvents cost per note over whole songs of 1,000 to 100,000
// notes in calls of 16. With every randomiser and both overlap rules on, each
// note scans the whole history, so the cost per note grows with the song; with
// the randomisers on but no rule, the history is not scanned.
#include "bench/support/note_song_calls.h"
#include "plugins/sloppet/sloppet_effect.h"
#include "tools/host/services.h"

namespace {

void BM_SloppetSongPerNote(benchmark::State& state) {
    nuv::ComRef<nuv::host::HostContext> context(new nuv::host::HostContext);
    nuv::ComRef<nuv::sloppet::NuvMfx> effect(new nuv::sloppet::NuvMfx);
    effect->Connect(context.Get());  // 480 ticks per quarter
    effect->Random().Seed(1);
    effect->noteOnEnabled = effect->noteOffEnabled = effect->velocityEnabled = 1;
    effect->preventSameNoteOverlap = effect->preserveDifferentNoteOverlap = 1;
    effect->noteOnAmount = effect->noteOffAmount = effect->velocityAmount = 20;
    nuv::bench::TimeSongPerNote(state, *effect);
    effect->Disconnect();
}

BENCHMARK(BM_SloppetSongPerNote)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SloppetSongPerNoteWithoutRules(benchmark::State& state) {
    nuv::ComRef<nuv::host::HostContext> context(new nuv::host::HostContext);
    nuv::ComRef<nuv::sloppet::NuvMfx> effect(new nuv::sloppet::NuvMfx);
    effect->Connect(context.Get());
    effect->Random().Seed(1);
    effect->noteOnEnabled = effect->noteOffEnabled = effect->velocityEnabled = 1;
    effect->noteOnAmount = effect->noteOffAmount = effect->velocityAmount = 20;
    nuv::bench::TimeSongPerNote(state, *effect);
    effect->Disconnect();
}

BENCHMARK(BM_SloppetSongPerNoteWithoutRules)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
