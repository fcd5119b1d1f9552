#include "tests/server/golden_file.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace nuv::scenarios {

std::string GoldenFilePath() {
    std::string path = NUV_GOLDEN_FILE;
#if defined(_WIN32)
    // Under Wine the Unix file system is drive Z:.
    if (!path.empty() && path[0] == '/') {
        for (char& c : path)
            if (c == '/') c = '\\';
        path = "Z:" + path;
    }
#endif
    return path;
}

GoldenTable ReadGolden(const std::string& path) {
    GoldenTable table;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string key;
        std::string hex;
        if (fields >> key >> hex) table[key] = hex;
    }
    return table;
}

bool WriteGolden(const std::string& path, const GoldenTable& table) {
    std::ofstream out(path, std::ios::trunc);
    out << "# Outputs of the shared scenarios (tests/server/scenarios.cpp), one variant a line.\n"
        << "# Rewrite with NUV_UPDATE_GOLDEN=1 after a deliberate change of behaviour.\n";
    for (const auto& [key, hex] : table) out << key << ' ' << hex << '\n';
    return static_cast<bool>(out);
}

bool UpdatingGolden() {
    const char* flag = std::getenv("NUV_UPDATE_GOLDEN");
    return flag != nullptr && flag[0] == '1';
}

}  // namespace nuv::scenarios
