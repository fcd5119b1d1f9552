// Many songs at once through nuvfx: a folder of 200 songs of 2,000 notes
// each (two tracks of overlapping notes, with controllers and wheel moves)
// through the chain gapkeeper+sloppet+velocurve into an output folder, as
// `nuvfx process ... --out-dir` does it, on one worker and on two. Wall time,
// as a user waits for it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "bench/support/note_song_file.h"
#include "tools/nuvfx/nuvfx_command.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSongs = 200;
constexpr int kNotesPerTrack = 1000;

const fs::path& SongFolder() {
    static const fs::path folder = [] {
        const fs::path p = fs::temp_directory_path() / "nuvfx-bench-200-songs";
        fs::remove_all(p);
        fs::create_directories(p / "set");
        for (int i = 0; i < kSongs; ++i) {
            const std::vector<std::uint8_t> bytes = nuv::bench::NoteSongFile(2, kNotesPerTrack, static_cast<std::uint32_t>(i) + 1);
            std::ofstream(p / "set" / ("song" + std::to_string(i) + ".mid"), std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        }
        return p;
    }();
    return folder;
}

void ChainOverFolder(benchmark::State& state) {
    const fs::path out = fs::temp_directory_path() / "nuvfx-bench-200-out";
    const std::vector<std::string> args = {"process", "gapkeeper+sloppet+velocurve", (SongFolder() / "set").string(),
                                           "--out-dir", out.string(), "-j", std::to_string(state.range(0)),
                                           "--seed", "1", "--set", "noteon=on", "--set", "notevel=on",
                                           "--set", "p1=60"};
    for (auto _ : state) {
        std::ostringstream o, e;
        if (nuv::nuvfx::RunNuvfx(args, o, e) != 0) state.SkipWithError(e.str().c_str());
    }
    state.counters["songs/s"] = benchmark::Counter(kSongs, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["notes/s"] =
        benchmark::Counter(2.0 * kSongs * kNotesPerTrack, benchmark::Counter::kIsIterationInvariantRate);
    fs::remove_all(out);
}

BENCHMARK(ChainOverFolder)->ArgName("j")->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
