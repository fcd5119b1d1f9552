// Chains of effects: the same bytes as the effects run one after another
// through files (seeds as the summary states them), options addressed to one
// effect of the chain by name or place, and the ways an address goes wrong.
#include <gtest/gtest.h>

#include <regex>

#include "tests/nuvfx/run_nuvfx.h"
#include "tests/nuvfx/song_files.h"
#include "tools/nuvfx/chain_setup.h"

namespace nuv::testing {
namespace {

class NuvfxChain : public ::testing::Test {
protected:
    NuvfxChain() : dir(::testing::UnitTest::GetInstance()->current_test_info()->name()) { PutFile(song, SmallSong()); }
    ScratchFolder dir;
    std::string song = dir / "song.mid";
    std::string out = dir / "out.mid";
};

// Every "seed N" the summary names, in order.
std::vector<std::string> StatedSeeds(const std::string& summary) {
    std::vector<std::string> seeds;
    const std::regex seed("random numbers: seed ([0-9]+)");
    for (auto it = std::sregex_iterator(summary.begin(), summary.end(), seed); it != std::sregex_iterator(); ++it)
        seeds.push_back((*it)[1]);
    return seeds;
}

TEST_F(NuvfxChain, AChainWritesWhatItsEffectsWriteOneAfterAnother) {
    const Outcome chained = Nuvfx({"process", "gapkeeper+sloppet+velocurve+sloppet", song, out, "--seed", "11",
                                   "--set", "notemargin=5", "--set", "2.noteon=on", "--set", "2.noteonamount=30",
                                   "--set", "4.notevel=on", "--set", "p1=20"});
    ASSERT_EQ(chained.status, 0) << chained.err;
    const std::vector<std::string> seeds = StatedSeeds(chained.out);
    ASSERT_EQ(seeds.size(), 2u) << chained.out;
    EXPECT_NE(seeds[0], "11") << "only the chain's first effect uses the seed itself";
    EXPECT_NE(seeds[0], seeds[1]);

    const std::string a = dir / "a.mid", b = dir / "b.mid", c = dir / "c.mid", d = dir / "d.mid";
    ASSERT_EQ(Nuvfx({"process", "gapkeeper", song, a, "--set", "notemargin=5"}).status, 0);
    ASSERT_EQ(Nuvfx({"process", "sloppet", a, b, "--seed", seeds[0], "--set", "noteon=on", "--set", "noteonamount=30"}).status, 0);
    ASSERT_EQ(Nuvfx({"process", "velocurve", b, c, "--set", "p1=20"}).status, 0);
    ASSERT_EQ(Nuvfx({"process", "sloppet", c, d, "--seed", seeds[1], "--set", "notevel=on"}).status, 0);
    EXPECT_EQ(FileBytes(out), FileBytes(d));
    EXPECT_NE(NotesOf(FileBytes(d)), NotesOf(FileBytes(song)));
}

TEST_F(NuvfxChain, TheFirstEffectOfAChainDrawsAsItDoesAlone) {
    ASSERT_EQ(Nuvfx({"process", "sloppet+gapkeeper", song, out, "--seed", "5", "--set", "noteon=on",
                     "--set", "gapkeeper.enabled=off"}).status, 0);
    const std::string alone = dir / "alone.mid";
    ASSERT_EQ(Nuvfx({"process", "sloppet", song, alone, "--seed", "5", "--set", "noteon=on"}).status, 0);
    EXPECT_EQ(FileBytes(out), FileBytes(alone));
    EXPECT_EQ(nuvfx::ChainSeed(5, 0), 5u);
}

TEST_F(NuvfxChain, SettingsFilesGoToTheEffectTheyName) {
    const std::string gap = dir / "gap.settings", curve = dir / "curve.settings";
    ASSERT_EQ(Nuvfx({"process", "gapkeeper", song, "--dry-run", "--set", "notemargin=7", "--save-settings", gap}).status, 0);
    ASSERT_EQ(Nuvfx({"process", "velocurve", song, "--dry-run", "--set", "p2=100", "--save-settings", curve}).status, 0);
    const std::string gapAgain = dir / "gap2.settings", curveAgain = dir / "curve2.settings";
    const Outcome r = Nuvfx({"process", "velocurve+gapkeeper", song, out, "--settings", "gapkeeper=" + gap,
                             "--settings", "1=" + curve, "--save-settings", "velocurve=" + curveAgain,
                             "--save-settings", "2=" + gapAgain});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(FileBytes(gapAgain), FileBytes(gap));
    EXPECT_EQ(FileBytes(curveAgain), FileBytes(curve));
}

TEST_F(NuvfxChain, AddressesThatFitNoOneEffectAreRefused) {
    const std::string settings = dir / "x.settings";
    PutFile(settings, {1, 0, 0, 0});
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"process", "ondulo+wobbleton", song, out, "--set", "amp=3"}, "more than one effect of the chain has 'amp'"},
        {{"process", "sloppet+sloppet", song, out, "--set", "sloppet.noteon=on"}, "address it by its place (1 or 2)"},
        {{"process", "sloppet+gapkeeper", song, out, "--set", "shiftwell.shift=2"}, "shiftwell is not in the chain"},
        {{"process", "sloppet+gapkeeper", song, out, "--set", "3.noteon=on"}, "there is no effect 3"},
        {{"process", "sloppet+gapkeeper", song, out, "--set", "depth=1"}, "unknown parameter 'depth'"},
        {{"process", "sloppet+gapkeeper", song, out, "--set", "gapkeeper.noteon=on"}, "unknown parameter 'noteon' for NuvGapkeeper"},
        {{"process", "sloppet+gapkeeper", song, out, "--settings", settings}, "say which effect"},
        {{"process", "sloppet+gapkeeper", song, out, "--save-settings", "1=a", "--save-settings", "sloppet=b"}, "two --save-settings"},
        {{"process", "sloppet++gapkeeper", song, out}, "an effect name is missing"},
        {{"process", "sloppet+octaver", song, out}, "unknown effect 'octaver'"},
    };
    for (const auto& [args, message] : cases) {
        ExpectFailure(Nuvfx(args), message);
        EXPECT_FALSE(fs::exists(out)) << message;
    }
}

}  // namespace
}  // namespace nuv::testing
