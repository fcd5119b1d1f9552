// The nuvfx command, run in-process: processing, note names and letter case,
// dry runs, seeds, the settings streams byte for byte against the engines'
// own Save, and every error: one line, exit status 2, no output file.
#include <gtest/gtest.h>

#include <sstream>

#include "plugins/shiftwell/shiftwell_effect.h"
#include "plugins/sloppet/sloppet_effect.h"
#include "plugins/velocurve/velocurve_effect.h"
#include "tests/nuvfx/run_nuvfx.h"
#include "tests/nuvfx/song_files.h"
#include "tests/support/event_builders.h"
#include "tests/support/group_table_reset.h"
#include "tools/nuvfx/effect_registry.h"

namespace nuv::testing {
namespace {

class NuvfxCommand : public ::testing::Test {
protected:
    NuvfxCommand() : dir(::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        PutFile(song, SmallSong());
    }
    ScratchFolder dir;
    std::string song = dir / "song.mid";
    std::string out = dir / "out.mid";
};

TEST_F(NuvfxCommand, ShiftsTheKeyRangeAndSaysWhatChanged) {
    const Outcome r = Nuvfx({"process", "NuvShiftwell", song, out, "--set", "shift=12", "--set", "lowkey=C4",
                             "--set", "HighKey=c5"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto notes = NotesOf(FileBytes(out));
    // C4 becomes C5; the six notes shifted past C5 are dropped; C5 itself (72 -> 84) too.
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(std::get<1>(notes[0]), 72);
    EXPECT_NE(r.out.find("8 in, 1 out; 0 moved, 1 transposed, 0 velocities changed, 7 dropped, 0 added"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("kept unchanged: 2 other events"), std::string::npos) << r.out;
}

TEST_F(NuvfxCommand, EffectsAnswerToEitherNameInAnyCase) {
    for (const char* name : {"shiftwell", "SHIFTWELL", "NuvShiftwell", "nuvvelocurvev2", "Velocurve"})
        EXPECT_EQ(Nuvfx({"process", name, song, "--dry-run"}).status, 0) << name;
}

TEST_F(NuvfxCommand, CurvePointsSetOnTheCommandLineShapeTheVelocities) {
    // A flat curve at 40: every note leaves at about 40, whatever it came in with.
    const Outcome r = Nuvfx({"process", "velocurve", song, out, "--set", "p0=40", "--set", "p1=40", "--set", "p2=40",
                             "--set", "p3=40"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto notes = NotesOf(FileBytes(out));
    ASSERT_FALSE(notes.empty());
    for (const NoteTuple& n : notes) EXPECT_NEAR(std::get<4>(n), 40, 2);
}

TEST_F(NuvfxCommand, ASuccessfulRunReplacesAnEarlierOutput) {
    PutFile(out, {'o', 'l', 'd'});
    ASSERT_EQ(Nuvfx({"process", "shiftwell", song, out}).status, 0);
    EXPECT_EQ(NotesOf(FileBytes(out)), NotesOf(FileBytes(song)));
    EXPECT_FALSE(fs::exists(out + ".nuvfx-partial"));
}

TEST_F(NuvfxCommand, DryRunReportsAndWritesNothing) {
    const Outcome r = Nuvfx({"process", "gapkeeper", song, out, "--dry-run"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("dry run"), std::string::npos);
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(NuvfxCommand, TheSameSeedGivesTheSameSong) {
    const std::vector<std::string> base = {"process", "sloppet", song, "", "--set", "noteon=on", "--set",
                                           "noteonamount=40", "--set", "notevel=on", "--set", "notevelamount=40"};
    auto run = [&](const std::string& file, const std::string& seed) {
        std::vector<std::string> args = base;
        args[3] = file;
        args.insert(args.end(), {"--seed", seed});
        EXPECT_EQ(Nuvfx(args).status, 0);
        return FileBytes(file);
    };
    const auto a = run(dir / "a.mid", "7");
    EXPECT_EQ(run(dir / "b.mid", "7"), a);
    EXPECT_NE(run(dir / "c.mid", "8"), a);
    EXPECT_NE(NotesOf(a), NotesOf(FileBytes(song)));
}

TEST_F(NuvfxCommand, TheSameSeedGivesTheSameRandomWave) {
    auto run = [&](const std::string& file, const std::string& seed) {
        EXPECT_EQ(Nuvfx({"process", "ondulo", song, file, "--set", "waveform=random", "--set", "mode=continuous",
                         "--seed", seed})
                      .status,
                  0);
        return FileBytes(file);
    };
    const auto a = run(dir / "a.mid", "7");
    EXPECT_EQ(run(dir / "b.mid", "7"), a);
    EXPECT_NE(run(dir / "c.mid", "8"), a);
}

TEST_F(NuvfxCommand, ListNamesParametersByTheirLabelsWithRangesDefaultsAndRemarks) {
    const Outcome r = Nuvfx({"list"});
    EXPECT_EQ(r.status, 0);
    for (const char* line : {
             "NuvShiftwell (shiftwell): transposes the notes of a key range\n",
             "  group                          none|group1|group2|group3|group4             default none\n",
             "  lowkey                         C-1..G9 or 0..127                            default C-1\n",
             "  interval                       16th|8th|quarter|half|whole|8beats|16beats   default quarter "
             "(sets the Interval mode)\n",
             "  freq                           2..127                                       default 8 "
             "(eighths of a beat per cycle; sets the Freq mode)\n",
             "  retrigger                      on|off                                       default off "
             "(not saved with the settings)\n",
             "  notevel                        on|off                                       default off\n",
             "  detectionrange                 1..480                                       default 120 (ticks)\n",
             "  p1                             4..122                                       default 31 "
             "(output value of a middle point)\n",
             "  enabled                        on|off                                       default on "
             "(the on/off button; not saved with the settings)\n",
         })
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
}

TEST_F(NuvfxCommand, AGroupAndItsShiftMayComeInEitherOrder) {
    auto engine = MakeEffect<shiftwell::NuvMfx>();
    engine->group = 1;
    engine->shift = 5;
    const std::vector<std::string> alone = {"process", "shiftwell", song, "--dry-run", "--save-settings", dir / "s.bin"};
    // In a chain the effect's own order holds too, whichever way its settings are addressed.
    const std::vector<std::string> chained = {"process", "gapkeeper+shiftwell", song, "--dry-run",
                                              "--save-settings", "shiftwell=" + (dir / "s.bin")};
    for (const auto& [command, sets] : {
             std::pair{alone, std::vector<std::string>{"--set", "shift=5", "--set", "group=group2"}},
             std::pair{alone, std::vector<std::string>{"--set", "group=group2", "--set", "shift=5"}},
             std::pair{chained, std::vector<std::string>{"--set", "shiftwell.shift=5", "--set", "2.group=group2"}},
         }) {
        testing::ResetGroupTable();
        std::vector<std::string> args = command;
        args.insert(args.end(), sets.begin(), sets.end());
        ASSERT_EQ(Nuvfx(args).status, 0);
        shiftwell::GroupShift(1) = 5;
        EXPECT_EQ(FileBytes(dir / "s.bin"), SavedBytes(*engine)) << sets[1];
    }
    testing::ResetGroupTable();
}

TEST_F(NuvfxCommand, HelpShowsEachUseAndVersionNamesTheTool) {
    const Outcome help = Nuvfx({"process", "--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* use : {"gapkeeper+sloppet", "sloppet.noteon=on", "--settings velocurve=", "--out-dir", "-j 4",
                            "--roll", "--strict", "--json", "nuvfx roll"})
        EXPECT_NE(help.out.find(use), std::string::npos) << use;
    const Outcome version = Nuvfx({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("nuvfx ", 0), 0u) << version.out;
}

// --- settings streams ---

TEST_F(NuvfxCommand, SavedSettingsAreTheEnginesOwnSave) {
    // Every effect's defaults.
    for (const nuvfx::EffectInfo& e : nuvfx::Effects()) {
        const std::string saved = dir / (e.shortName + ".settings");
        ASSERT_EQ(Nuvfx({"process", e.shortName, song, "--dry-run", "--save-settings", saved}).status, 0);
        ComRef<NuvMfxShell> fresh = e.create();
        EXPECT_EQ(FileBytes(saved), SavedBytes(*fresh)) << e.name;
    }
    // Values set on the command line, as the engine holds them.
    const std::string saved = dir / "set.settings";
    ASSERT_EQ(Nuvfx({"process", "shiftwell", song, "--dry-run", "--set", "shift=-7", "--set", "lowkey=F#2",
                     "--set", "highkey=100", "--save-settings", saved})
                  .status,
              0);
    auto engine = MakeEffect<shiftwell::NuvMfx>();
    engine->shift = -7;
    engine->lowKey = 42;
    engine->highKey = 100;
    EXPECT_EQ(FileBytes(saved), SavedBytes(*engine));
}

TEST_F(NuvfxCommand, LoadedSettingsAreSavedByteForByte) {
    auto sloppet = MakeEffect<sloppet::NuvMfx>();
    sloppet->noteOffEnabled = 1;
    sloppet->noteOffAmount = 33;
    sloppet->preventSameNoteOverlap = 1;
    sloppet->pageWidth = 640;
    auto velocurve = MakeEffect<velocurve::NuvMfx>();
    velocurve->targetCtrlChng = 1;
    velocurve->targetVelocity = 0;
    velocurve->controllerNumber = 11;
    velocurve->curvePoints[1].x = 50.0f;
    velocurve->curvePoints[1].y = 90.0f;
    const std::pair<const char*, std::vector<std::uint8_t>> streams[] = {{"sloppet", SavedBytes(*sloppet)},
                                                                         {"velocurve", SavedBytes(*velocurve)}};
    for (const auto& [name, bytes] : streams) {
        const std::string in = dir / "in.settings", again = dir / "again.settings";
        PutFile(in, bytes);
        ASSERT_EQ(Nuvfx({"process", name, song, "--dry-run", "--settings", in, "--save-settings", again}).status, 0);
        EXPECT_EQ(FileBytes(again), bytes) << name;
    }
}

TEST_F(NuvfxCommand, SetOverridesTheLoadedSettings) {
    auto engine = MakeEffect<shiftwell::NuvMfx>();
    engine->shift = 3;
    engine->highKey = 90;
    const std::string in = dir / "in.settings", again = dir / "again.settings";
    PutFile(in, SavedBytes(*engine));
    ASSERT_EQ(Nuvfx({"process", "shiftwell", song, "--dry-run", "--settings", in, "--set", "shift=4",
                     "--save-settings", again})
                  .status,
              0);
    engine->shift = 4;
    EXPECT_EQ(FileBytes(again), SavedBytes(*engine));
}

// --- errors ---

TEST_F(NuvfxCommand, MalformedSongsFailCleanlyAndLeaveTheOutputAlone) {
    const std::vector<std::uint8_t> good = SmallSong();
    std::vector<std::uint8_t> badChunk = good, truncated = good, badNumber = good, noEnd = good;
    badChunk[14] = 0x01;
    truncated.resize(good.size() - 3);
    // The second track's first delta becomes a five-byte number.
    const std::size_t second = 14 + 8 + 11 + 8;  // header, first track (tempo and end), second track header
    badNumber.insert(badNumber.begin() + static_cast<std::ptrdiff_t>(second), {0x81, 0x81, 0x81, 0x81});
    noEnd.resize(good.size() - 4);  // the last track's end of track cut off and its length made to fit
    noEnd[second - 1] = static_cast<std::uint8_t>(noEnd[second - 1] - 4);
    const std::pair<std::vector<std::uint8_t>, std::string> cases[] = {
        {badChunk, "bad chunk"},
        {truncated, "truncated"},
        {badNumber, "bad variable-length number"},
        {noEnd, "track 2 has no end of track"},
        {{'j', 'u', 'n', 'k'}, "not a MIDI file"}};
    PutFile(out, {'k', 'e', 'e', 'p'});
    // Strictly: a cut-off file and a track without its end are read past otherwise.
    for (const auto& [bytes, message] : cases) {
        PutFile(song, bytes);
        const Outcome r = Nuvfx({"process", "shiftwell", song, out, "--strict"});
        ExpectFailure(r, "malformed MIDI file: " + message);
        EXPECT_EQ(FileBytes(out), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(song).parent_path()), fs::directory_iterator()), 2)
        << "no temporary file is left behind";
}

TEST_F(NuvfxCommand, BadArgumentsFailWithOneLine) {
    const std::string settings = dir / "short.settings";
    PutFile(settings, {4, 0, 0, 0, 1});
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"process", "shiftwell", dir / "missing.mid", out}, "cannot read"},
        {{"process", "shiftwell", dir / ".", out}, "cannot read"},
        {{"process", "octaver", song, out}, "unknown effect 'octaver'"},
        {{"process", "shiftwell", song, out, "--set", "depth=3"}, "unknown parameter 'depth' for NuvShiftwell"},
        {{"process", "velocurve", song, out, "--set", "p2=3"}, "out of range for p2 (4..122)"},
        {{"process", "shiftwell", song, out, "--set", "shift=25"}, "out of range for shift (-24..24)"},
        {{"process", "shiftwell", song, out, "--set", "lowkey=H4"}, "out of range for lowkey"},
        {{"process", "shiftwell", song, out, "--set", "lowkey=C"}, "value 'C' out of range for lowkey"},  // no octave
        {{"process", "shiftwell", song, out, "--set", "shift="}, "value '' out of range for shift"},
        {{"process", "shiftwell", song, out, "--set", "shift=-"}, "value '-' out of range for shift"},
        {{"process", "gapkeeper", song, out, "--set", "notemargin=0"}, "out of range for notemargin (1..96)"},
        {{"process", "ondulo", song, out, "--set", "waveform=noise"}, "out of range for waveform"},
        {{"process", "shiftwell", song, out, "--set", "shift"}, "--set wants name=value"},
        {{"process", "shiftwell", song, out, "--settings", settings}, "bad settings stream"},
        {{"process", "shiftwell", song, out, "--settings", dir / "none"}, "cannot read"},
        {{"process", "shiftwell", song}, "needs OUT.mid"},
        {{"process", "shiftwell", song, out, "--span", "-5"}, "--span"},
        {{"process", "sloppet", song, out, "--seed", "-5"}, "--seed must be 0 to 4294967295"},
        {{"process", "sloppet", song, out, "--seed", "4294967296"}, "--seed must be 0 to 4294967295"},
        {{"process", "shiftwell", song, out, "--bogus"}, "nuvfx: "},
        {{}, "nuvfx: "},
    };
    for (const auto& [args, message] : cases) {
        ExpectFailure(Nuvfx(args), message);
        EXPECT_FALSE(fs::exists(out)) << message;
    }
}

TEST_F(NuvfxCommand, ATimeCodeDivisionIsRefused) {
    smf::File f = smf::ReadSmf(SmallSong());
    f.division = 0xE728;  // 25 frames a second, 40 ticks a frame
    PutFile(song, smf::WriteSmf(f));
    ExpectFailure(Nuvfx({"process", "gapkeeper", song, out}), "time code division is not supported");
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(NuvfxCommand, ASongTooLongForItsSpansIsRefused) {
    smf::File f = smf::ReadSmf(SmallSong());
    f.tracks[1].endTick = 0x0FFFFFF0;
    PutFile(song, smf::WriteSmf(f));
    ExpectFailure(Nuvfx({"process", "shiftwell", song, out, "--span", "1"}), "give a longer --span");
    EXPECT_FALSE(fs::exists(out));
}

}  // namespace
}  // namespace nuv::testing
