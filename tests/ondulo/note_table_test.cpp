// The note table held as steps reads, tick for tick, as the earlier table of
// one byte per tick did, on random songs counted as playback counts them
// (within 2^20 ticks: the reference takes a byte per tick); and its memory
// follows the notes, not the ticks.
#include <gtest/gtest.h>

#include "plugins/ondulo/note_count_table.h"
#include "tests/support/random_song.h"
#include "tests/support/reference/tick_count_table.h"

namespace nuv::ondulo {
namespace {

TEST(NoteTable, ReadsAsTheTableOfTicksOnRandomSongs) {
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        testing::RandomSong song(seed);
        NoteCountTable table;
        reference::TickCountTable ticks;
        std::vector<HostEvent> notes = {testing::NoteEvent(0, 60, 90, 5)};  // a start on tick 0
        for (int call = 0; call < 30; ++call, notes = song.NextCall(40)) {
            if (song.Chance(5)) {
                table.ClearCounts();
                ticks.ClearCounts();
            }
            for (const HostEvent& e : notes) {
                const std::int64_t noteEnd = std::int64_t{e.time} + e.duration;
                const std::int64_t end = std::max<std::int64_t>(song.Between(0, 20000), noteEnd);
                if (e.duration > 384000 || end > (1 << 20)) continue;
                table.GrowTo(end + 2);
                ticks.GrowTo(end + 2);
                table.AddNote(e.time, e.duration);
                ticks.AddNote(e.time, e.duration);
            }
            ASSERT_EQ(table.Length(), ticks.Length());
            const std::int64_t from = song.Between(-50, static_cast<std::int32_t>(ticks.Length()));
            NoteCountTable::Reader reader = table.ReadFrom(from);
            for (std::int64_t t = from; t < from + 3000; ++t) {
                const std::uint8_t expected = ticks.At(t);
                ASSERT_TRUE(reader.Next() == expected && table.At(t) == expected) << "seed " << seed << ", tick " << t;
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
