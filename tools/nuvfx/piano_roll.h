// Piano rolls as SVG pictures: a song's notes over time (velocity as colour),
// bar lines from its time signatures and tempo, and a lane with its
// controllers, pressures and pitch wheel. A comparison draws two songs, before
// above after, and marks what changed: notes moved, transposed, with another
// velocity, dropped or added, with dashed outlines where changed notes were.
#pragma once

#include <string>

#include "tools/nuvfx/roll_notes.h"
#include "tools/smf/smf_file.h"

namespace nuv::nuvfx {

// `name` is the song's title in the picture. Any thread.
std::string SongRollSvg(const smf::File& song, const std::string& name);

// `counts`, when given, receives what the picture marks. Any thread.
std::string ComparisonRollSvg(const smf::File& before, const std::string& beforeName, const smf::File& after,
                              const std::string& afterName, ChangeCounts* counts = nullptr);

}  // namespace nuv::nuvfx
