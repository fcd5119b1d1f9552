// One effect over a song: each track with channel events is played through its
// own instance of the effect, the results are merged back with the events kept
// out of the filter, and the new file is written to memory. Tracks without
// channel events are copied as they are. Every failure is a ToolError with a
// one-line message.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/nuvfx/effect_setup.h"
#include "tools/nuvfx/song_summary.h"
#include "tools/smf/smf_file.h"

namespace nuv::nuvfx {

struct EffectPass {
    smf::File song;                   // the result as merged
    std::vector<std::uint8_t> bytes;  // the result as a file
    std::vector<SongSummary> tracks;  // what the effect did to each track, in file order
    SongSummary total;
};

// `span`: ticks per OnEvents call; 0 for one beat of the song. The calling
// thread is the host thread of every instance it makes.
EffectPass ApplyEffect(const smf::File& song, const InstanceMaker& makeInstance, std::int32_t span);

}  // namespace nuv::nuvfx
