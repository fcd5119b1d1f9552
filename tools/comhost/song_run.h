// A song through one effect the way the host plays it: Connect, the stored
// settings, OnStart, one OnEvents call per beat from the first tick to the
// end, OnStop and Disconnect.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/host_types.h"

namespace nuv::comhost {

struct Song {
    std::vector<HostEvent> events;  // by start time
    std::int32_t ticksPerBeat = 480;
    std::int32_t endTick = 0;
};

// The song's channel events of every track, merged by time; throws
// std::runtime_error with the reader's message when the file is not a song.
Song ReadSong(const std::string& path);

struct RunResult {
    HRESULT connect = S_OK;
    HRESULT load = S_OK;  // S_OK when no settings were given
    std::vector<HostEvent> output;
};

// Main thread. `settings` empty: the effect's defaults.
RunResult RunSong(IUnknown* effect, const Song& song, const std::vector<std::uint8_t>& settings);

}  // namespace nuv::comhost
