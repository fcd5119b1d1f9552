// Replays the kept fuzz inputs through the drivers of the fuzz targets, so
// that an ordinary test run catches a fixed finding coming back: each input
// must keep every invariant its driver checks (fuzz/*_session.h).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "fuzz/curve_table_session.h"
#include "fuzz/engine_session.h"
#include "fuzz/fuzz_failure.h"
#include "fuzz/wheel_cycle_session.h"

namespace nuv::fuzz {
namespace {

struct Broken : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Throw(const std::string& reason) { throw Broken(reason); }

struct Target {
    const char* folder;  // fuzz/corpus/<folder>, fuzz/regressions/<folder>
    void (*run)(const std::uint8_t*, std::size_t);
};

template <const char* Name>
void RunEngine(const std::uint8_t* data, std::size_t size) {
    RunEngineInput(*FindEffectKind(Name), data, size);
}

constexpr char kShiftwell[] = "NuvShiftwell";
constexpr char kOndulo[] = "NuvOndulo";
constexpr char kSloppet[] = "NuvSloppet";
constexpr char kGapkeeper[] = "NuvGapkeeper";
constexpr char kVelocurve[] = "NuvVelocurveV2";
constexpr char kWobbleton[] = "NuvWobbleton";

const Target kTargets[] = {
    {"shiftwell", &RunEngine<kShiftwell>}, {"ondulo", &RunEngine<kOndulo>},
    {"sloppet", &RunEngine<kSloppet>},     {"gapkeeper", &RunEngine<kGapkeeper>},
    {"velocurve", &RunEngine<kVelocurve>}, {"wobbleton", &RunEngine<kWobbleton>},
    {"curve_table", &RunCurveTableInput},  {"wheel_cycle", &RunWheelCycleInput},
};

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    if (!std::filesystem::is_directory(folder)) return files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Runs every input of `folder`; returns how many there were.
std::size_t Replay(const Target& target, const std::string& kind) {
    const auto files = FilesIn(std::filesystem::path(NUV_FUZZ_DIR) / kind / target.folder);
    SetFailureHandler(&Throw);
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        try {
            target.run(bytes.data(), bytes.size());
        } catch (const Broken& broken) {
            ADD_FAILURE() << file.string() << ": " << broken.what();
        }
    }
    SetFailureHandler(nullptr);
    return files.size();
}

// How a failure names the target.
void PrintTo(const Target& target, std::ostream* out) { *out << target.folder; }

class FuzzReplay : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzReplay, FixedFindingsStayFixed) { Replay(GetParam(), "regressions"); }

TEST_P(FuzzReplay, SeedsKeepEveryInvariant) { EXPECT_GT(Replay(GetParam(), "corpus"), 0u) << "no seeds"; }

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<Target>& info) { return std::string(info.param.folder); });

}  // namespace
}  // namespace nuv::fuzz
