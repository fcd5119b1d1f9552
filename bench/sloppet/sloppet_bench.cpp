// NuvSloppet OnEvents cost per note over whole songs of 1,000 to 100,000
// notes in calls of 16. With every randomiser and both overlap rules on, each
// note looks for its overlap candidates through the history's index; beside
// it, the earlier plain scan of the whole history, whose cost per note grows
// with the song; and the randomisers without a rule, which look at no history.
#include "bench/support/note_song_calls.h"
#include "plugins/sloppet/random_windows.h"
#include "plugins/sloppet/sloppet_effect.h"
#include "tests/support/reference/scan_engines.h"
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

// The same work as BM_SloppetSongPerNote (480 ticks, amounts 20), each
// note's candidates found by the plain scan.
void BM_SloppetPlainScanSongPerNote(benchmark::State& state) {
    nuv::reference::ScanSloppet scan(nuv::sloppet::TimingWindow(480, 20), nuv::sloppet::VelocityRange(20), 1);
    nuv::bench::TimeSongPerNote(state, scan);
}

BENCHMARK(BM_SloppetPlainScanSongPerNote)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

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
