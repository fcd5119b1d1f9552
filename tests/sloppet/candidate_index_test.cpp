// The overlap candidates found through the history's index are, entry for
// entry and in the same order, those the earlier scan of the whole history
// finds, on random songs with windows of every size, negative and extreme ones
// included.
#include <gtest/gtest.h>

#include <cstring>

#include "plugins/sloppet/note_randomiser.h"
#include "tests/support/random_song.h"
#include "tests/support/reference/sloppet_candidates.h"

namespace nuv::sloppet {
namespace {

bool SameCandidates(const std::vector<OverlapCandidate>& a, const std::vector<OverlapCandidate>& b) {
    static_assert(sizeof(OverlapCandidate) == sizeof(HostEvent) + 5, "candidates are packed bytes");
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(OverlapCandidate)) == 0);
}

TEST(SloppetCandidateIndex, FindsTheCandidatesOfTheScanOnRandomSongs) {
    std::vector<OverlapCandidate> indexed;
    std::vector<OverlapCandidate> scanned;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        testing::RandomSong song(seed);
        NoteHistory history;
        const int calls = seed % 50 == 0 ? 600 : 40;
        for (int c = 0; c < calls; ++c) {
            if (song.Chance(3)) history.Forget();
            testing::EventCall call(song.NextCall());
            const std::size_t first = history.TakeCall(call.in.Get(), call.out.Get());
            const std::int32_t onWindow = song.Setting(0, 400);
            const std::int32_t offWindow = song.Setting(0, 400);
            for (std::size_t i = first; i < history.Notes().size(); ++i) {
                CollectCandidates(history.Notes()[i], history, onWindow, offWindow, indexed);
                reference::ScanCandidates(history.Notes()[i], history.Notes(), onWindow, offWindow, scanned);
                ASSERT_TRUE(SameCandidates(indexed, scanned)) << "seed " << seed << ", note " << i;
            }
        }
    }
}

}  // namespace
}  // namespace nuv::sloppet
