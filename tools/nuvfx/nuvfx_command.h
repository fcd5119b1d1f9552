// The nuvfx command line: `list` and `process`. Messages go to the two given
// streams; the result is the exit status (0 done, 2 any error, with one line
// on `err`).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace nuv::nuvfx {

// Main thread.
int RunNuvfx(std::vector<std::string> args, std::ostream& out, std::ostream& err);

}  // namespace nuv::nuvfx
