#include "tools/nuvfx/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace nuv::nuvfx {
namespace {

std::string Reason() { return errno != 0 ? std::strerror(errno) : "unknown error"; }

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
    const std::string temporary = path + ".nuvfx-partial";
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw ToolError("cannot write " + path + ": " + Reason());
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            const std::string reason = Reason();
            out.close();
            std::remove(temporary.c_str());
            throw ToolError("cannot write " + path + ": " + reason);
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        throw ToolError("cannot write " + path + ": " + ec.message());
    }
}

}  // namespace nuv::nuvfx
