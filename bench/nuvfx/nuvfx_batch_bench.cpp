// Many songs at once through nuvfx: a folder of 200 songs of 2,000 notes
// each (two tracks of chords and lines, with controllers and wheel moves)
// through the chain gapkeeper+sloppet+velocurve into an output folder, as
// `nuvfx process ... --out-dir` does it, on one worker and on two. Wall time,
// as a user waits for it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/nuvfx/nuvfx_command.h"
#include "tools/smf/smf_writer.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSongs = 200;
constexpr int kNotesPerTrack = 1000;

std::vector<std::uint8_t> Song(std::uint32_t seed) {
    nuv::smf::File f;
    f.division = 480;
    std::uint32_t state = seed;
    for (std::uint8_t ch = 0; ch < 2; ++ch) {
        nuv::smf::Track track;
        for (std::uint32_t i = 0; i < kNotesPerTrack; ++i) {
            state = state * 1103515245u + 12345u;
            const std::uint32_t start = i * 120;
            const std::uint8_t key = static_cast<std::uint8_t>(40 + (state >> 24) % 48);
            track.events.push_back(nuv::smf::ChannelMessage(start, static_cast<std::uint8_t>(0x90 | ch), key,
                                                            static_cast<std::uint8_t>(1 + (state >> 16) % 127)));
            track.events.push_back(nuv::smf::ChannelMessage(start + 60 + (state >> 8) % 120,
                                                            static_cast<std::uint8_t>(0x80 | ch), key, 64));
            if (i % 8 == 0)
                track.events.push_back(nuv::smf::ChannelMessage(start, static_cast<std::uint8_t>(0xB0 | ch), 1, i % 128));
            if (i % 32 == 5)
                track.events.push_back(nuv::smf::ChannelMessage(start, static_cast<std::uint8_t>(0xE0 | ch), 0, (state >> 9) & 0x7F));
        }
        std::stable_sort(track.events.begin(), track.events.end(),
                         [](const nuv::smf::Event& a, const nuv::smf::Event& b) { return a.tick < b.tick; });
        track.endTick = track.events.back().tick;
        f.tracks.push_back(std::move(track));
    }
    return nuv::smf::WriteSmf(f);
}

const fs::path& SongFolder() {
    static const fs::path folder = [] {
        const fs::path p = fs::temp_directory_path() / "nuvfx-bench-200-songs";
        fs::remove_all(p);
        fs::create_directories(p / "set");
        for (int i = 0; i < kSongs; ++i) {
            const std::vector<std::uint8_t> bytes = Song(static_cast<std::uint32_t>(i) + 1);
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
