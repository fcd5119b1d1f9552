// The recorded scenario outputs: a text file of "<key> <hex>" lines, kept in
// the source tree so that every build and every platform checks against the
// same bytes.
#pragma once

#include <map>
#include <string>

namespace nuv::scenarios {

using GoldenTable = std::map<std::string, std::string>;

// The path of the recorded outputs as this program can open it.
std::string GoldenFilePath();

// Empty when the file is missing or unreadable.
GoldenTable ReadGolden(const std::string& path);
bool WriteGolden(const std::string& path, const GoldenTable& table);

// Whether this run records new outputs instead of checking them
// (NUV_UPDATE_GOLDEN=1 in the environment).
bool UpdatingGolden();

}  // namespace nuv::scenarios
