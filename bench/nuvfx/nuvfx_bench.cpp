// End to end through nuvfx: a 100,000-note song file read, played through
// each effect span by span, merged and written, as `nuvfx process` does it.
// The song has four tracks of 25,000 notes (chords and lines on one channel
// each, with a controller and a wheel move every few notes).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bench/support/note_song_file.h"
#include "tools/nuvfx/nuvfx_command.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTracks = 4;
constexpr int kNotesPerTrack = 25000;

const std::string& SongPath() {
    static const std::string path = [] {
        const fs::path p = fs::temp_directory_path() / "nuvfx-bench-100k.mid";
        const std::vector<std::uint8_t> bytes = nuv::bench::NoteSongFile(kTracks, kNotesPerTrack, 2024);
        std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<std::streamsize>(bytes.size()));
        return p.string();
    }();
    return path;
}

void ProcessSong(benchmark::State& state, std::vector<std::string> settings) {
    const std::string out = (fs::temp_directory_path() / "nuvfx-bench-out.mid").string();
    const std::string effect = settings.front();
    std::vector<std::string> args = {"process", effect, SongPath(), out};
    args.insert(args.end(), settings.begin() + 1, settings.end());
    for (auto _ : state) {
        std::ostringstream o, e;
        if (nuv::nuvfx::RunNuvfx(args, o, e) != 0) state.SkipWithError(e.str().c_str());
    }
    state.counters["notes/s"] = benchmark::Counter(static_cast<double>(kTracks) * kNotesPerTrack,
                                                   benchmark::Counter::kIsIterationInvariantRate);
    std::remove(out.c_str());
}

BENCHMARK_CAPTURE(ProcessSong, shiftwell, {"shiftwell", "--set", "shift=5", "--set", "lowkey=C3"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ProcessSong, ondulo, {"ondulo", "--set", "mode=continuous"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ProcessSong, sloppet,
                  {"sloppet", "--seed", "1", "--set", "noteon=on", "--set", "noteoff=on", "--set", "notevel=on",
                   "--set", "preventsamenoteoverlap=on", "--set", "preservedifferentnoteoverlap=on"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ProcessSong, gapkeeper, {"gapkeeper"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ProcessSong, velocurve, {"velocurve", "--set", "p1=60"})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ProcessSong, wobbleton, {"wobbleton"})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
