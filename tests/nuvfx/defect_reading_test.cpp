// Damaged songs that players read (tests/smf/defective, made from the bundled
// example): each read with one warning naming its defect, giving what the
// intact song gives as far as it arrived, and refused with --strict.
#include <gtest/gtest.h>

#include "tests/nuvfx/run_nuvfx.h"
#include "tests/nuvfx/song_files.h"

namespace nuv::testing {
namespace {

std::string Defective(const std::string& name) { return (fs::path(NUV_DEFECTIVE_SONGS) / name).string(); }

struct Defect {
    const char* file;
    const char* warning;
};

const Defect kDefects[] = {
    {"rmid_wrapped.rmi", "a RIFF RMID file: read the MIDI file inside it"},
    {"no_end_of_track.mid", "tracks 1, 2 and 3 have no end of track: read to their last whole event"},
    {"cut_off.mid", "the file is cut off inside track 2 (384 of 517 bytes): read to its last whole event; track 3 of 3 missing"},
};

class DamagedSongs : public ::testing::Test {
protected:
    DamagedSongs() : dir(::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
    // The example song through velocurve, as the reference.
    std::vector<std::uint8_t> Intact() {
        const std::string out = dir / "intact.mid";
        EXPECT_EQ(Nuvfx({"process", "velocurve", NUV_EXAMPLE_SONG, out, "--set", "p1=30"}).status, 0);
        return FileBytes(out);
    }
    ScratchFolder dir;
};

TEST_F(DamagedSongs, EachIsReadWithOneWarningAndRefusedWhenStrict) {
    if (!fs::exists(Defective("cut_off.mid"))) GTEST_SKIP() << "the test songs are not visible from here";
    for (const Defect& d : kDefects) {
        const std::string out = dir / (std::string(d.file) + ".out.mid");
        const Outcome read = Nuvfx({"process", "velocurve", Defective(d.file), out, "--set", "p1=30"});
        EXPECT_EQ(read.status, 0) << read.err;
        EXPECT_EQ(read.err, "nuvfx: warning: " + Defective(d.file) + ": " + d.warning + "\n");
        EXPECT_TRUE(fs::exists(out));

        const std::string strictOut = dir / (std::string(d.file) + ".strict.mid");
        const Outcome strict = Nuvfx({"process", "velocurve", Defective(d.file), strictOut, "--strict"});
        ExpectFailure(strict, "malformed MIDI file");
        EXPECT_FALSE(fs::exists(strictOut)) << d.file;
    }
}

TEST_F(DamagedSongs, WhatArrivedIsProcessedAsTheIntactSongWouldBe) {
    if (!fs::exists(Defective("cut_off.mid"))) GTEST_SKIP() << "the test songs are not visible from here";
    const std::vector<std::uint8_t> intact = Intact();
    auto processed = [&](const char* file) {
        const std::string out = dir / (std::string(file) + ".mid");
        EXPECT_EQ(Nuvfx({"process", "velocurve", Defective(file), out, "--set", "p1=30"}).status, 0);
        return FileBytes(out);
    };
    // Unwrapped, the song is the song.
    EXPECT_EQ(processed("rmid_wrapped.rmi"), intact);
    // Without ends of track every note is still there.
    EXPECT_EQ(NotesOf(processed("no_end_of_track.mid")), NotesOf(intact));
    // Cut off: the notes that arrived, each as the intact song has it but for
    // the end of the few (one chord) whose end did not arrive.
    const std::vector<NoteTuple> cut = NotesOf(processed("cut_off.mid")), all = NotesOf(intact);
    EXPECT_GT(cut.size(), 10u);
    EXPECT_LT(cut.size(), all.size());
    std::size_t whole = 0;
    for (const NoteTuple& n : cut) {
        whole += std::binary_search(all.begin(), all.end(), n);
        EXPECT_TRUE(std::any_of(all.begin(), all.end(), [&](const NoteTuple& m) {
            return std::get<0>(m) == std::get<0>(n) && std::get<1>(m) == std::get<1>(n) &&
                   std::get<2>(m) == std::get<2>(n) && std::get<4>(m) == std::get<4>(n);
        }));
    }
    EXPECT_GE(whole + 4, cut.size());
}

}  // namespace
}  // namespace nuv::testing
