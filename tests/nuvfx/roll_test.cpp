// Piano rolls: which note became which (a transposition is not a move, a
// humanised chord pairs by key), the roll command's files and counts, a
// 10,000-note song staying small, and JSON text that stays valid.
#include <gtest/gtest.h>

#include "tests/nuvfx/run_nuvfx.h"
#include "tests/nuvfx/song_files.h"
#include "tools/nuvfx/json_writer.h"
#include "tools/nuvfx/piano_roll.h"

namespace nuv::testing {
namespace {

using nuvfx::RollNote;

RollNote N(std::uint8_t key, std::uint32_t start, std::uint32_t end, std::uint8_t velocity = 80) {
    return {0, key, velocity, start, end};
}

TEST(NoteMatching, ATransposedLineIsTransposedEvenWhereItsNewKeysWereNear) {
    // C D E F G, a fifth up: G A B C D. Most new keys were also old keys a beat or two away.
    const std::uint8_t keys[] = {60, 62, 64, 65, 67};
    std::vector<RollNote> before, after;
    for (std::uint32_t i = 0; i < 5; ++i) {
        before.push_back(N(keys[i], i * 240, i * 240 + 200));
        after.push_back(N(static_cast<std::uint8_t>(keys[i] + 7), i * 240, i * 240 + 200));
    }
    const nuvfx::NoteDiff diff = nuvfx::MatchNotes(before, after, 960);
    EXPECT_EQ(diff.counts.transposed, 5);
    EXPECT_EQ(diff.counts.moved, 0);
    EXPECT_EQ(diff.counts.dropped + diff.counts.added, 0);
}

TEST(NoteMatching, MovedNotesPairByKeyAndTheRestAreDroppedOrAdded) {
    const std::vector<RollNote> before = {N(60, 0, 400, 90), N(64, 0, 400), N(67, 0, 400), N(72, 2000, 2100)};
    const std::vector<RollNote> after = {N(64, 12, 390), N(67, 0, 400), N(60, 5, 410, 70), N(48, 900, 950)};
    const nuvfx::NoteDiff diff = nuvfx::MatchNotes(before, after, 960);
    EXPECT_EQ(diff.counts.unchanged, 1);
    EXPECT_EQ(diff.counts.moved, 2);
    EXPECT_EQ(diff.counts.velocityChanged, 1);
    EXPECT_EQ(diff.counts.transposed, 0);
    EXPECT_EQ(diff.counts.dropped, 1);
    EXPECT_EQ(diff.counts.added, 1);
    for (const nuvfx::NotePair& p : diff.pairs) {
        if (p.before >= 0 && p.after >= 0) {
            EXPECT_EQ(before[p.before].key, after[p.after].key);
        }
    }
}

class RollCommand : public ::testing::Test {
protected:
    RollCommand() : dir(::testing::UnitTest::GetInstance()->current_test_info()->name()) { PutFile(song, SmallSong()); }
    ScratchFolder dir;
    std::string song = dir / "song.mid";
    std::string svg = dir / "roll.svg";
};

TEST_F(RollCommand, DrawsOneSongOrTwoWithTheirChangesCounted) {
    ASSERT_EQ(Nuvfx({"roll", song, "-o", svg}).status, 0);
    EXPECT_EQ(FileBytes(svg).front(), '<');
    const std::string shifted = dir / "shifted.mid";
    ASSERT_EQ(Nuvfx({"process", "shiftwell", song, shifted, "--set", "shift=2", "--set", "lowkey=C4", "--set",
                     "highkey=E4"}).status, 0);
    const Outcome r = Nuvfx({"roll", song, shifted, "-o", svg});
    ASSERT_EQ(r.status, 0) << r.err;
    // C4 and D4 move up a tone; E4 would leave the range and is dropped.
    EXPECT_NE(r.out.find("5 unchanged, 0 moved, 2 transposed, 0 velocities changed, 1 dropped, 0 added"),
              std::string::npos) << r.out;
    ExpectFailure(Nuvfx({"roll", song}), "-o");
    ExpectFailure(Nuvfx({"roll", song, dir / "none.mid", "-o", svg}), "cannot read");
}

TEST_F(RollCommand, ProcessDrawsItsOwnBeforeAndAfter) {
    const Outcome r = Nuvfx({"process", "shiftwell", song, "--dry-run", "--set", "shift=12", "--set", "lowkey=C4",
                             "--set", "highkey=C5", "--roll", svg});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::uint8_t> bytes = FileBytes(svg);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("transposed 1"), std::string::npos);
    EXPECT_NE(text.find("dropped 7"), std::string::npos);
}

// Ten thousand notes over four tracks, with a controller on every note.
smf::File TenThousandNotes() {
    smf::File f;
    f.division = 480;
    for (std::uint8_t t = 0; t < 4; ++t) {
        smf::Track track;
        for (std::uint32_t i = 0; i < 2500; ++i) {
            const std::uint8_t key = static_cast<std::uint8_t>(36 + (i * 7 + t * 5) % 48);
            track.events.push_back(smf::ChannelMessage(i * 120, static_cast<std::uint8_t>(0x90 | t), key,
                                                       static_cast<std::uint8_t>(1 + i % 127)));
            track.events.push_back(smf::ChannelMessage(i * 120, static_cast<std::uint8_t>(0xB0 | t), 1,
                                                       static_cast<std::uint8_t>(i % 128)));
            track.events.push_back(smf::ChannelMessage(i * 120 + 100, static_cast<std::uint8_t>(0x80 | t), key, 0));
        }
        track.endTick = 2500 * 120;
        f.tracks.push_back(track);
    }
    return f;
}

TEST(PianoRoll, ATenThousandNoteComparisonStaysSmall) {
    const smf::File before = TenThousandNotes();
    smf::File after = before;
    for (smf::Event& e : after.tracks[1].events)
        if (e.Kind() == 0x90) e.data2 = static_cast<std::uint8_t>(1 + e.data2 / 2);
    const std::string svg = nuvfx::ComparisonRollSvg(before, "before.mid", after, "after.mid");
    // Two panels of 10,000 notes and 2,500 outlines: a few dozen bytes each.
    EXPECT_LT(svg.size(), 1'200'000u);
    std::size_t elements = 0;
    for (std::size_t at = svg.find('<'); at != std::string::npos; at = svg.find('<', at + 1)) ++elements;
    EXPECT_LT(elements, 3000u) << "notes of one look share one path; labels grow with the song's length only";
}

TEST(JsonText, StaysValidWhateverTheNames) {
    nuvfx::JsonWriter json;
    json.BeginObject().Key("a\"b").String(std::string("x\\y\n\x01") + "\xC3\xA9" + "\xFF").Key("n").BeginArray();
    json.Number(std::int64_t{-3}).Number(0.5).Bool(true).Null().EndArray().EndObject();
    EXPECT_EQ(json.Text(), "{\"a\\\"b\":\"x\\\\y\\n\\u0001\xC3\xA9\xEF\xBF\xBD\",\"n\":[-3,0.500,true,null]}");
}

}  // namespace
}  // namespace nuv::testing
