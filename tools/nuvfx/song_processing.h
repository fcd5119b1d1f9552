// One run of an effect over a song: read and check the file, play each track
// with channel events through its own instance of the effect, merge the
// results back with the events kept out of the filter, and write the new file
// (unless it is a dry run). Tracks without channel events are copied as they
// are. Every failure is a ToolError with a one-line message.
#pragma once

#include <cstdint>
#include <string>

#include "tools/nuvfx/effect_setup.h"

namespace nuv::nuvfx {

struct SongRequest {
    std::string effectName;  // for the summary
    std::string input;
    std::string output;      // ignored for a dry run
    bool dryRun = false;
    std::int32_t span = 0;   // ticks per OnEvents call; 0: one beat of the file
    std::string seedText;    // how the random numbers are seeded, for the summary
};

// Returns the summary. Main thread.
std::string ProcessSong(const SongRequest& request, const InstanceMaker& makeInstance);

}  // namespace nuv::nuvfx
