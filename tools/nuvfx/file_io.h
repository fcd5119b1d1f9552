// Whole-file reads and writes for the tool. A write goes to a temporary file
// beside the target, which is renamed over the target only once every byte is
// on disk, so a failure never leaves a half-written or clobbered file.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace nuv::nuvfx {

// A failure the tool reports as one line and exit status 2.
class ToolError : public std::runtime_error {
public:
    explicit ToolError(const std::string& what) : std::runtime_error(what) {}
};

// Throws ToolError naming the file and the reason.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);
void WriteFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes);
void WriteFileSafely(const std::string& path, const std::string& text);

// The last part of a path: "song.mid" of "songs/song.mid".
std::string FileNameOf(const std::string& path);

}  // namespace nuv::nuvfx
