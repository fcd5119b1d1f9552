// The note table held as steps reads, tick for tick, as the earlier table of
// one byte per tick did, on random songs counted as playback counts them; and
// its memory follows the notes, not the ticks.
#include <gtest/gtest.h>

#include "plugins/ondulo/note_count_table.h"
#include "tests/support/random_song.h"
#include "tests/support/reference/tick_count_table.h"

namespace nuv::ondulo {
namespace {

// The reference holds a byte per tick, so the songs stay within these ticks.
constexpr std::int64_t kLastTick = 1 << 20;

TEST(NoteTable, ReadsAsTheTableOfTicksOnRandomSongs) {
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        testing::RandomSong song(seed);
        NoteCountTable table;
        reference::TickCountTable ticks;
        for (int call = 0; call < 30; ++call) {
            if (song.Chance(5)) {
                table.ClearCounts();
                ticks.ClearCounts();
            }
            const std::int64_t thru = song.Between(0, 20000);
            table.GrowTo(thru + 2);
            ticks.GrowTo(thru + 2);
            std::vector<HostEvent> notes = song.NextCall(40);
            if (call == 0) notes.push_back(testing::NoteEvent(0, 60, 90, 5));  // a start on tick 0
            for (const HostEvent& e : notes) {
                const std::int64_t end = static_cast<std::int64_t>(e.time) + e.duration + 2;
                if (e.kind != Note || e.duration > 384000 || end > kLastTick) continue;
                table.GrowTo(end);
                ticks.GrowTo(end);
                table.AddNote(e.time, e.duration);
                ticks.AddNote(e.time, e.duration);
            }
            ASSERT_EQ(table.Length(), ticks.Length());
            const std::int64_t from = song.Between(-50, static_cast<std::int32_t>(ticks.Length()));
            NoteCountTable::Reader reader = table.ReadFrom(from);
            for (std::int64_t t = from; t < from + 3000; ++t) {
                ASSERT_EQ(reader.Next(), ticks.At(t)) << "seed " << seed << ", tick " << t;
                ASSERT_EQ(table.At(t), ticks.At(t)) << "seed " << seed << ", tick " << t;
            }
        }
    }
}

TEST(NoteTable, MemoryFollowsTheNotesNotTheTicks) {
    NoteCountTable table;
    table.GrowTo(2147483647LL + 2);  // a span at the end of the song's time
    table.AddNote(2147483647 - 100, 384000);
    EXPECT_EQ(table.At(2147483647 - 100), NoteCountTable::kStartMark | 1);
    EXPECT_EQ(table.At(2147483647LL + 1), 1);
    EXPECT_EQ(table.At(2147483647 - 101), 0);
    EXPECT_LE(table.BytesHeld(), 256u);
}

}  // namespace
}  // namespace nuv::ondulo
