// Many files with --out-dir: folders searched at any depth, one line per file
// that fails while the others go on, the same files and report with any
// number of workers, outputs replaced only by whole files, and results of an
// earlier run inside the input folder left alone.
#include <gtest/gtest.h>

#include "tests/nuvfx/run_nuvfx.h"
#include "tests/nuvfx/song_files.h"

namespace nuv::testing {
namespace {

class NuvfxBatch : public ::testing::Test {
protected:
    NuvfxBatch() : dir(::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        fs::create_directories(dir / "songs/live/take2");
        smf::File song = smf::ReadSmf(SmallSong());
        for (const char* name : {"songs/a.mid", "songs/live/b.MIDI", "songs/live/take2/c.mid", "extra.mid"}) {
            song.tracks[1].events[1].data1 = static_cast<std::uint8_t>(song.tracks[1].events[1].data1 + 1);
            PutFile(dir / name, smf::WriteSmf(song));
        }
        PutFile(dir / "songs/notes.txt", {'x'});
    }
    std::vector<std::string> Outputs() const {
        std::vector<std::string> files;
        for (const char* name : {"a.mid", "live/b.MIDI", "live/take2/c.mid", "extra.mid"})
            files.push_back((fs::path(out) / name).string());
        return files;
    }
    ScratchFolder dir;
    std::string songs = dir / "songs";
    std::string out = dir / "out";
};

TEST_F(NuvfxBatch, AFileThatFailsIsReportedAndTheOthersAreWritten) {
    std::vector<std::uint8_t> cut = SmallSong();
    cut.resize(10);  // inside the header: nothing to read
    PutFile(dir / "songs/live/cut.mid", cut);
    cut = SmallSong();
    cut.resize(cut.size() - 20);  // inside the last track: read with a warning
    PutFile(dir / "songs/live/partly.mid", cut);
    PutFile(dir / "songs/text.mid", {'h', 'e', 'l', 'l', 'o'});
    fs::create_directories(out);
    PutFile(fs::path(out) / "text.mid", {'k', 'e', 'e', 'p'});  // an earlier output stays until a whole one replaces it

    const Outcome r = Nuvfx({"process", "gapkeeper", songs, dir / "extra.mid", "--out-dir", out, "-j", "2"});
    EXPECT_EQ(r.status, 2);
    for (const std::string& file : Outputs()) EXPECT_TRUE(fs::exists(file)) << file;
    EXPECT_TRUE(fs::exists(fs::path(out) / "live/partly.mid"));
    const std::vector<std::string> lines = Lines(r.err);
    ASSERT_EQ(lines.size(), 4u) << r.err;
    EXPECT_NE(lines[0].find("cut.mid: malformed MIDI file"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("warning: "), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find("partly.mid: the file is cut off"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("text.mid: malformed MIDI file: not a MIDI file"), std::string::npos) << lines[2];
    EXPECT_EQ(lines[3], "nuvfx: 5 done, 2 failed");
    EXPECT_EQ(r.err.find('\r'), std::string::npos) << "no progress bar where the output is no terminal";
    EXPECT_EQ(FileBytes(fs::path(out) / "text.mid"), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_FALSE(fs::exists(fs::path(out) / "live/cut.mid"));
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(out)))
        EXPECT_EQ(entry.path().string().find("partial"), std::string::npos) << entry.path();
}

TEST_F(NuvfxBatch, AnyNumberOfWorkersWritesTheSameFilesAndReport) {
    auto run = [&](const std::string& jobs) {
        const std::string folder = dir / ("j" + jobs);
        const Outcome r = Nuvfx({"process", "sloppet+velocurve", songs, dir / "extra.mid", "--out-dir", folder, "-j",
                                 jobs, "--seed", "9", "--set", "noteon=on", "--set", "notevel=on", "--set", "p1=30"});
        EXPECT_EQ(r.status, 0) << r.err;
        std::vector<std::vector<std::uint8_t>> files;
        for (const char* name : {"a.mid", "live/b.MIDI", "live/take2/c.mid", "extra.mid"})
            files.push_back(FileBytes(fs::path(folder) / name));
        return std::make_pair(files, Lines(r.out).size());
    };
    const auto one = run("1");
    const auto four = run("4");
    EXPECT_EQ(one.first, four.first);
    EXPECT_EQ(one.second, four.second);
    EXPECT_NE(one.first[0], one.first[1]) << "each song gives its own result";
}

TEST_F(NuvfxBatch, ResultsInsideTheInputFolderAreNotInputsAgain) {
    const std::string inside = dir / "songs/cleaned";
    for (int run = 0; run < 2; ++run) {
        const Outcome r = Nuvfx({"process", "gapkeeper", songs, "--out-dir", inside});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(Lines(r.err).back(), "nuvfx: 3 done, 0 failed");
    }
    EXPECT_FALSE(fs::exists(inside + "/cleaned"));
}

TEST_F(NuvfxBatch, OutputsThatWouldReplaceInputsOrEachOtherFail) {
    // The same name from two folders (a file given twice runs once), and a
    // folder processed into itself.
    fs::create_directories(dir / "other");
    PutFile(dir / "other/a.mid", SmallSong());
    const Outcome clash = Nuvfx({"process", "gapkeeper", dir / "songs/a.mid", dir / "other/a.mid",
                                 dir / "songs/a.mid", "--out-dir", out});
    EXPECT_EQ(clash.status, 2);
    EXPECT_NE(clash.err.find("other/a.mid: its output " + (fs::path(out) / "a.mid").string() + " is already the output of"),
              std::string::npos) << clash.err;
    EXPECT_EQ(Lines(clash.err).back(), "nuvfx: 1 done, 1 failed");

    const std::vector<std::uint8_t> before = FileBytes(dir / "songs/a.mid");
    const Outcome self = Nuvfx({"process", "shiftwell", songs, "--out-dir", songs, "--set", "shift=3"});
    EXPECT_EQ(self.status, 2);
    EXPECT_NE(self.err.find("would replace it"), std::string::npos) << self.err;
    EXPECT_EQ(FileBytes(dir / "songs/a.mid"), before);
}

TEST_F(NuvfxBatch, ManyInputsNeedAnOutputFolderAndSomethingToDo) {
    ExpectFailure(Nuvfx({"process", "gapkeeper", dir / "songs/a.mid", dir / "extra.mid", out + ".mid", "x.mid"}),
                  "--out-dir");
    fs::create_directories(dir / "empty");
    ExpectFailure(Nuvfx({"process", "gapkeeper", dir / "empty", "--out-dir", out}), "no .mid or .midi files");
    ExpectFailure(Nuvfx({"process", "gapkeeper", songs, "--out-dir", out, "--roll", dir / "r.svg"}), "--roll");
    ExpectFailure(Nuvfx({"process", "gapkeeper", songs, "--out-dir", out, "-j", "0"}), "-j must be 1 to");
}

}  // namespace
}  // namespace nuv::testing
