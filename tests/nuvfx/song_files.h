// Song files for the tool's tests: a scratch folder per test, a small song
// written with our writer, and the notes of a file as comparable tuples.
#pragma once

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "tools/nuvfx/track_events.h"
#include "tools/smf/smf_reader.h"
#include "tools/smf/smf_writer.h"

namespace nuv::testing {

namespace fs = std::filesystem;

inline std::vector<std::uint8_t> FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void PutFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A folder of its own for one test, removed afterwards. The name carries a
// value of the clock, so that the same test run at once by several builds
// (native, sanitizer, Wine) never shares a folder.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_(fs::temp_directory_path() /
                ("nuvfx-test-" + name + "-" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string operator/(const std::string& file) const { return (path_ / file).string(); }

private:
    fs::path path_;
};

using smf::ChannelMessage;

// Two tracks at 480 ticks a beat: a conductor track with a tempo, and eight
// notes in C major from C4 up, half a beat each, with a controller and a wheel move.
inline std::vector<std::uint8_t> SmallSong() {
    smf::File f;
    f.format = 1;
    f.division = 480;
    smf::Event tempo;
    tempo.status = smf::kMetaStatus;
    tempo.data1 = smf::kMetaTempo;
    tempo.bytes = {0x07, 0xA1, 0x20};
    f.tracks.push_back(smf::Track{{tempo}, 0});
    smf::Track music;
    music.events.push_back(ChannelMessage(0, 0xC0, 4));
    const std::uint8_t keys[8] = {60, 62, 64, 65, 67, 69, 71, 72};
    for (int i = 0; i < 8; ++i) {
        const std::uint32_t t = static_cast<std::uint32_t>(i) * 240;
        music.events.push_back(ChannelMessage(t, 0x90, keys[i], static_cast<std::uint8_t>(60 + 8 * i)));
        if (i == 3) music.events.push_back(ChannelMessage(t, 0xB0, 1, 64));
        if (i == 5) music.events.push_back(ChannelMessage(t, 0xE0, 0, 0x50));
        music.events.push_back(ChannelMessage(t + 240, 0x80, keys[i], 64));
    }
    music.endTick = 1920;
    f.tracks.push_back(music);
    return smf::WriteSmf(f);
}

// channel, key, start, end, velocity
using NoteTuple = std::tuple<int, int, std::int64_t, std::int64_t, int>;

inline std::vector<NoteTuple> NotesOf(const std::vector<std::uint8_t>& bytes) {
    std::vector<NoteTuple> notes;
    for (const smf::Track& t : smf::ReadSmf(bytes).tracks) {
        for (const HostEvent& e : nuvfx::Split(t).filterable) {
            if (e.kind != Note) continue;
            notes.emplace_back(+e.channel, +e.number, +e.time, static_cast<std::int64_t>(e.time) + e.duration,
                               +e.value);
        }
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

}  // namespace nuv::testing
