// A song through one effect the way the host plays it: Connect, the stored
// settings, OnStart, one OnEvents call per beat from the first tick to the
// end, OnStop and Disconnect. An effect that refuses Connect is played no
// further.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/host_types.h"

namespace nuv::comhost {

struct Song {
    std::vector<HostEvent> events;  // by start time
    std::int32_t ticksPerBeat = 480;
    std::uint32_t endTick = 0;
};

// The song's channel events of every track, merged by time; throws a
// std::runtime_error with the reason when the file cannot be read or is not a song.
Song ReadSong(const std::string& path);

struct RunResult {
    HRESULT connect = S_OK;
    HRESULT load = S_OK;  // S_OK when no settings were given
    std::vector<HostEvent> output;
};

// Main thread. `settings` empty: the effect's defaults.
RunResult RunSong(IUnknown* effect, const Song& song, const std::vector<std::uint8_t>& settings);

}  // namespace nuv::comhost
