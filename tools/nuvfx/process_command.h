// `nuvfx process`: an effect or a chain of effects over one song (IN OUT) or
// over many (IN... --out-dir DIR, files and folders, on -j workers).
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/nuvfx/chain_setup.h"
#include "tools/nuvfx/nuvfx_command.h"

namespace nuv::nuvfx {

struct ProcessArguments {
    ChainOptions chain;
    std::vector<std::string> files;  // IN [OUT], or with --out-dir every input
    std::string outDir;
    std::optional<std::int64_t> jobs;  // workers; by default one per processor
    std::int64_t span = 0;
    bool dryRun = false;
    bool strict = false;
    bool json = false;
    std::string roll;
};

// The exit status: 2 when any file failed. Throws ToolError for what stops
// the run before any file (arguments, settings). Main thread.
int RunProcess(const ProcessArguments& arguments, std::ostream& out, std::ostream& err, const Console& console);

}  // namespace nuv::nuvfx
