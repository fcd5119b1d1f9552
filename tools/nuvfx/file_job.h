// One song file through the chain: read it (warning about the defects read
// past), run the chain, write the result and, when asked, the before-and-after
// picture, and report. A failure becomes the job's one-line error; nothing is
// thrown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/nuvfx/chain_setup.h"

namespace nuv::nuvfx {

struct FileJob {
    std::string input;
    std::string output;        // empty for a dry run
    std::string problem;       // when set, the job fails with this reason without running
    bool makeFolders = false;  // create the output's folders
};

struct RunSettings {
    std::vector<ChainStage> stages;
    std::int32_t span = 0;  // ticks per OnEvents call, 0 for one beat
    bool strict = false;    // refuse the defects players read past
    bool json = false;      // report as JSON
    std::string roll;       // the before-and-after picture to write, or empty
};

struct FileOutcome {
    bool ok = false;
    std::string report;    // for the standard output: the summary, or its JSON line
    std::string messages;  // for the error output: a line per warning and the failure
};

// Any thread; the job's effect instances live on it.
FileOutcome ProcessFile(const FileJob& job, const RunSettings& settings);

}  // namespace nuv::nuvfx
