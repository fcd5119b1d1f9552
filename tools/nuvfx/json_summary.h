// The summary of one processed file as one line of JSON, for programs: the
// song, and per effect of the chain the seed in force and the counts of each
// track and of the whole song (notes in, out, moved, transposed, velocity
// changed, dropped, added; events of each kind in and out, added and removed).
// The counts are those of the text summary. A file that failed gives an
// object with "ok": false and its one-line error.
#pragma once

#include <string>
#include <vector>

#include "tools/nuvfx/chain_run.h"
#include "tools/nuvfx/song_summary.h"

namespace nuv::nuvfx {

// Each ends in a newline. Any thread.
std::string SummaryJson(const SongFacts& facts, const std::vector<ChainStage>& stages, const ChainRun& run,
                        const std::vector<std::string>& warnings);
std::string FailureJson(const std::string& input, const std::string& output, const std::string& error,
                        const std::vector<std::string>& warnings);

}  // namespace nuv::nuvfx
