// The nuvfx command line: `list`, `process`, `roll` and --version. Messages go
// to the two given streams; the result is the exit status (0 done, 2 any
// error, with one line on `err` per failure).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace nuv::nuvfx {

// What the command may do with its error output.
struct Console {
    bool progressBar = false;            // it is a terminal: a run over many files shows its progress there
    bool reportsBesideProgress = false;  // the output goes to that terminal too
};

// Main thread.
int RunNuvfx(std::vector<std::string> args, std::ostream& out, std::ostream& err, const Console& console = {});

}  // namespace nuv::nuvfx
