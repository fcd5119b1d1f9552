// End to end through nuvfx: a 100,000-note song file read, played through
// each effect span by span, merged and written, as `nuvfx process` does it.
// The song has four tracks of 25,000 notes (chords and lines on one channel
// each, with a controller and a wheel move every few notes).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/nuvfx/nuvfx_command.h"
#include "tools/smf/smf_writer.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTracks = 4;
constexpr int kNotesPerTrack = 25000;

std::vector<std::uint8_t> HundredThousandNotes() {
    nuv::smf::File f;
    f.format = 1;
    f.division = 480;
    std::uint32_t state = 2024;
    for (int t = 0; t < kTracks; ++t) {
        nuv::smf::Track track;
        std::vector<nuv::smf::Event> ends;
        const std::uint8_t ch = static_cast<std::uint8_t>(t);
        for (int i = 0; i < kNotesPerTrack; ++i) {
            state = state * 1103515245u + 12345u;
            const std::uint32_t start = static_cast<std::uint32_t>(i) * 60;
            const std::uint8_t key = static_cast<std::uint8_t>(36 + (state >> 24) % 60);
            track.events.push_back(nuv::smf::ChannelMessage(start, static_cast<std::uint8_t>(0x90 | ch), key,
                                           static_cast<std::uint8_t>(1 + (state >> 16) % 127)));
            ends.push_back(nuv::smf::ChannelMessage(start + 40 + (state >> 8) % 200, static_cast<std::uint8_t>(0x80 | ch), key, 64));
            if (i % 8 == 7) track.events.push_back(nuv::smf::ChannelMessage(start, static_cast<std::uint8_t>(0xB0 | ch), 1, (state >> 9) & 0x7F));
            if (i % 16 == 3) track.events.push_back(nuv::smf::ChannelMessage(start, static_cast<std::uint8_t>(0xE0 | ch), 0, (state >> 10) & 0x7F));
        }
        track.events.insert(track.events.end(), ends.begin(), ends.end());
        std::stable_sort(track.events.begin(), track.events.end(),
                         [](const nuv::smf::Event& a, const nuv::smf::Event& b) { return a.tick < b.tick; });
        track.endTick = track.events.back().tick;
        f.tracks.push_back(std::move(track));
    }
    return nuv::smf::WriteSmf(f);
}

const std::string& SongPath() {
    static const std::string path = [] {
        const fs::path p = fs::temp_directory_path() / "nuvfx-bench-100k.mid";
        const std::vector<std::uint8_t> bytes = HundredThousandNotes();
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
