#include "tools/nuvfx/file_io.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

namespace nuv::nuvfx {
namespace {

std::string Reason() { return errno != 0 ? std::strerror(errno) : "unknown error"; }

// A temporary name beside `path` that no other write of this process or of
// another one uses at the same time.
std::string TemporaryBeside(const std::string& path) {
    static std::atomic<unsigned> serial{0};
#if defined(_WIN32)
    const int process = _getpid();
#else
    const int process = static_cast<int>(getpid());
#endif
    return path + ".nuvfx-partial-" + std::to_string(process) + "-" + std::to_string(serial++);
}

// Writes every byte and hands them to the disk before the file is closed, so
// that the rename never puts an empty or partial file in place.
bool WriteAndSync(const std::string& temporary, const std::uint8_t* data, std::size_t size) {
    errno = 0;
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = std::fwrite(data, 1, size, file) == size && std::fflush(file) == 0;
#if defined(_WIN32)
    ok = ok && _commit(_fileno(file)) == 0;
#else
    ok = ok && fsync(fileno(file)) == 0;
#endif
    const int keep = errno;
    ok = std::fclose(file) == 0 && ok;
    if (!ok && errno == 0) errno = keep;
    return ok;
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw ToolError("cannot read " + path + ": it is a folder");
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ToolError("cannot read " + path + ": " + Reason());
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw ToolError("cannot read " + path + ": " + Reason());
    return bytes;
}

void WriteFileSafely(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = TemporaryBeside(path);
    if (!WriteAndSync(temporary, bytes.data(), bytes.size())) {
        const std::string reason = Reason();
        std::remove(temporary.c_str());
        throw ToolError("cannot write " + path + ": " + reason);
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        throw ToolError("cannot write " + path + ": " + ec.message());
    }
}

void WriteFileSafely(const std::string& path, const std::string& text) {
    WriteFileSafely(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string FileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace nuv::nuvfx
