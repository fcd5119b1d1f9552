// `nuvfx roll`: a piano roll of one song, or of two (before and after) with
// the changes marked, as an SVG file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace nuv::nuvfx {

struct RollArguments {
    std::vector<std::string> files;  // IN [OUT]
    std::string picture;             // the SVG file to write
    bool strict = false;
};

// Throws ToolError. Main thread.
int RunRoll(const RollArguments& arguments, std::ostream& out, std::ostream& err);

}  // namespace nuv::nuvfx
