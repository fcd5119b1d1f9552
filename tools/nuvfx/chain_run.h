// A song through every effect of a chain in turn. Each effect plays the song
// exactly as a run of that effect alone would play the file the effect before
// it wrote: its input is the previous effect's output written as a file and
// read back, so a chain's result is byte for byte the result of running its
// effects one after another through intermediate files.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/nuvfx/chain_setup.h"
#include "tools/nuvfx/song_processing.h"
#include "tools/smf/smf_file.h"

namespace nuv::nuvfx {

struct ChainRun {
    std::vector<EffectPass> passes;  // one per effect, in chain order
    smf::File output;                // the last effect's file, as it reads back
};

// `span`: ticks per OnEvents call, 0 for one beat. Effects that share
// process-wide state play under one process-wide lock, so that runs on other
// threads cannot change that state under them. Any thread.
ChainRun RunChain(const smf::File& song, const std::vector<ChainStage>& stages, std::int32_t span);

}  // namespace nuv::nuvfx
