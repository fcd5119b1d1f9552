// The correction through the history's index gives, note for note, the bytes
// that the scan of the whole history gives, on random songs under every kind
// of stored settings (the scan is the engine's earlier implementation and
// still its answer where the index would not be exact).
#include <gtest/gtest.h>

#include <cstring>

#include "plugins/gapkeeper/overlap_correction.h"
#include "tests/support/random_song.h"

namespace nuv::gapkeeper {
namespace {

void PlayRandomSong(std::uint32_t seed, int calls) {
    testing::RandomSong song(seed);
    const OverlapSettings settings{song.Chance(30), song.Setting(1, 480), song.Setting(1, 96)};
    NoteHistory history;
    for (int c = 0; c < calls; ++c) {
        if (song.Chance(3)) history.Forget();
        testing::EventCall call(song.NextCall());
        const std::size_t first = history.TakeCall(call.in.Get(), call.out.Get());
        for (std::size_t i = first; i < history.Notes().size(); ++i) {
            HostEvent indexed = history.Notes()[i];
            HostEvent scanned = indexed;
            CorrectOverlap(indexed, history, settings);
            CorrectOverlap(scanned, history.Notes(), settings);
            ASSERT_EQ(std::memcmp(&indexed, &scanned, sizeof indexed), 0)
                << "seed " << seed << ", note " << i << " at " << scanned.time << " for " << scanned.duration;
            history.Replace(i, indexed);
        }
    }
}

TEST(GapkeeperIndex, CorrectsEveryNoteOfRandomSongsAsTheScanDoes) {
    for (std::uint32_t seed = 1; seed <= 300; ++seed) PlayRandomSong(seed, 40);
}

TEST(GapkeeperIndex, AgreesWithTheScanOverLongHistories) {
    for (std::uint32_t seed = 1000; seed <= 1003; ++seed) PlayRandomSong(seed, 700);
}

}  // namespace
}  // namespace nuv::gapkeeper
