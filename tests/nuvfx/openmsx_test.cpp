// Real-world songs (Debian's openttd-openmsx): every file goes through every
// effect with neutral settings and comes back with the same notes, as a valid
// file. Effects that add events (a controller wave, wheel moves) may add them;
// the notes must stay as they were.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/nuvfx/song_files.h"
#include "tools/nuvfx/nuvfx_command.h"

namespace nuv::testing {
namespace {

std::vector<fs::path> OpenmsxSongs() {
    std::vector<fs::path> songs;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(NUV_OPENMSX_DIR, ec))
        if (entry.path().extension() == ".mid") songs.push_back(entry.path());
    std::sort(songs.begin(), songs.end());
    return songs;
}

// The settings under which each effect leaves the notes alone.
const std::vector<std::vector<std::string>>& NeutralRuns() {
    static const std::vector<std::vector<std::string>> runs = {
        {"shiftwell"},                     // no shift
        {"ondulo", "--set", "mode=continuous"},  // writes its controller, touches no note
        {"sloppet"},                       // every randomisation off
        {"gapkeeper", "--set", "enabled=off"},
        {"velocurve", "--set", "target=polyaft"},  // reshapes key pressure only
        {"wobbleton"},                     // adds wheel moves only
    };
    return runs;
}

TEST(OpenmsxSongs, EveryEffectGivesEveryNoteBack) {
    const std::vector<fs::path> songs = OpenmsxSongs();
#if defined(_WIN32)
    if (songs.empty()) GTEST_SKIP() << "the songs' folder is not visible from here";
#endif
    ASSERT_GE(songs.size(), 20u) << "openttd-openmsx is not installed in " << NUV_OPENMSX_DIR;
    ScratchFolder dir("openmsx");
    const std::string out = dir / "out.mid";
    for (const fs::path& song : songs) {
        const std::vector<std::uint8_t> bytes = FileBytes(song);
        const std::vector<NoteTuple> notes = NotesOf(bytes);
        ASSERT_FALSE(notes.empty()) << song;
        for (const auto& run : NeutralRuns()) {
            std::vector<std::string> args = {"process", run[0], song.string(), out};
            args.insert(args.end(), run.begin() + 1, run.end());
            std::ostringstream o, e;
            ASSERT_EQ(nuvfx::RunNuvfx(args, o, e), 0) << song << " " << run[0] << ": " << e.str();
            const std::vector<std::uint8_t> written = FileBytes(out);
            EXPECT_EQ(NotesOf(written), notes) << song << " through " << run[0];
            const smf::File in = smf::ReadSmf(bytes), back = smf::ReadSmf(written);
            EXPECT_EQ(back.tracks.size(), in.tracks.size());
            EXPECT_EQ(back.division, in.division);
        }
    }
}

}  // namespace
}  // namespace nuv::testing
