// The overlap candidates found through the history's index are, entry for
// entry and in the same order, those that trying every entry in turn finds, on
// random songs with windows of every size, negative and extreme ones included.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/random_song.h"
#include "tests/support/reference/sloppet_candidates.h"

namespace nuv::sloppet {
namespace {

TEST(SloppetCandidateIndex, FindsTheCandidatesOfTheScanOnRandomSongs) {
    static_assert(sizeof(OverlapCandidate) == sizeof(HostEvent) + 5, "candidates are packed bytes");
    std::vector<OverlapCandidate> indexed;
    std::vector<OverlapCandidate> scanned;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        testing::RandomSong song(seed);
        NoteHistory history;
        const std::int32_t onWindow = song.Setting(0, 400);
        const std::int32_t offWindow = song.Setting(0, 400);
        song.PlayInto(history, seed % 50 == 0 ? 600 : 40, [&](std::size_t i) {
            CollectCandidates(history.Notes()[i], history, onWindow, offWindow, indexed);
            reference::ScanCandidates(history.Notes()[i], history.Notes(), onWindow, offWindow, scanned);
            const std::size_t bytes = indexed.size() * sizeof(OverlapCandidate);
            ASSERT_TRUE(indexed.size() == scanned.size() &&
                        (bytes == 0 || std::memcmp(indexed.data(), scanned.data(), bytes) == 0))
                << "seed " << seed << ", note " << i;
        });
    }
}

}  // namespace
}  // namespace nuv::sloppet
