// The correction through the history's index gives, note for note, the bytes
// that the scan of the whole history gives (the engine's earlier
// implementation, still its answer where the index would not be exact), on
// random songs under every kind of stored settings.
#include <gtest/gtest.h>

#include <cstring>

#include "plugins/gapkeeper/overlap_correction.h"
#include "tests/support/random_song.h"

namespace nuv::gapkeeper {
namespace {

TEST(GapkeeperIndex, CorrectsEveryNoteOfRandomSongsAsTheScanDoes) {
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        testing::RandomSong song(seed);
        const OverlapSettings settings{song.Chance(30), song.Setting(1, 480), song.Setting(1, 96)};
        NoteHistory history;
        song.PlayInto(history, seed % 100 == 0 ? 700 : 40, [&](std::size_t i) {
            HostEvent indexed = history.Notes()[i];
            HostEvent scanned = indexed;
            CorrectOverlap(indexed, history, settings);
            CorrectOverlap(scanned, history.Notes(), settings);
            ASSERT_EQ(std::memcmp(&indexed, &scanned, sizeof indexed), 0) << "seed " << seed << ", note " << i;
            history.Replace(i, indexed);
        });
    }
}

}  // namespace
}  // namespace nuv::gapkeeper
