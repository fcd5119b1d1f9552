// The engines built into this program give the recorded scenario outputs;
// the deliverable DLLs are checked against the same record under Wine.
#include <gtest/gtest.h>

#include "tests/server/golden_file.h"
#include "tests/server/scenarios.h"

namespace nuv::scenarios {
namespace {

Bytes RunLocal(const Deliverable& deliverable, const Variant& variant) {
    NuvMfxShell* effect = deliverable.makeLocal();
    const Bytes out = Run(effect->Identity(), variant.settings);
    effect->Release();
    return out;
}

TEST(EngineScenarios, EveryVariantGivesTheRecordedBytes) {
    const std::string path = GoldenFilePath();
    GoldenTable golden = ReadGolden(path);
    const bool updating = UpdatingGolden();
    if (!updating) {
        ASSERT_FALSE(golden.empty()) << "no recorded outputs in " << path;
    }
    std::size_t checked = 0;
    for (const Deliverable& deliverable : AllDeliverables()) {
        for (const Variant& variant : deliverable.variants) {
            const std::string key = KeyOf(deliverable, variant);
            const Bytes produced = RunLocal(deliverable, variant);
            const std::string hex = ToHex(produced);
            if (updating) {
                golden[key] = hex;
                continue;
            }
            ASSERT_EQ(golden.count(key), 1u) << key << " is not recorded";
            EXPECT_TRUE(golden[key] == hex) << key << ": " << DescribeDifference(FromHex(golden[key]), produced);
            ++checked;
        }
    }
    if (updating) {
        ASSERT_TRUE(WriteGolden(path, golden));
        return;
    }
    // Every record was compared once: none is left over from a variant that
    // no longer runs.
    EXPECT_EQ(checked, golden.size());
}

// Two runs of the same variant in one process give the same bytes: nothing
// in the scenarios depends on the clock, on leftovers of an earlier effect or
// on memory that the engines leave unset.
TEST(EngineScenarios, RunsAreRepeatable) {
    for (const Deliverable& deliverable : AllDeliverables()) {
        for (const Variant& variant : deliverable.variants) {
            EXPECT_EQ(FirstDifference(RunLocal(deliverable, variant), RunLocal(deliverable, variant)), -1)
                << KeyOf(deliverable, variant);
        }
    }
}

// A difference is reported where it lies: a changed event by its call, time
// and kind, a missing one as missing.
TEST(EngineScenarios, ADifferenceIsReportedAsTheFirstDifferingEvent) {
    const Deliverable shiftwell = AllDeliverables().front();
    const Bytes recorded = RunLocal(shiftwell, shiftwell.variants.front());
    EXPECT_EQ(DescribeDifference(recorded, recorded), "");
    EXPECT_EQ(FromHex(ToHex(recorded)), recorded);

    // Bytes 0-7 are Connect and Load; OnStart with no record takes 12 bytes;
    // the first OnEvents call's first record begins after its 12.
    const std::size_t firstRecord = 8 + 12 + 12;
    Bytes changed = recorded;
    changed[firstRecord + 10] ^= 0x01;  // the note number
    const std::string report = DescribeDifference(recorded, changed);
    EXPECT_NE(report.find("OnEvents (call 2), record 1: time 0, Note, bytes"), std::string::npos) << report;

    // The call's last record gone, and its count one less.
    Bytes shorter = recorded;
    const std::uint8_t count = shorter[firstRecord - 4];
    ASSERT_GT(count, 1);
    const std::size_t last = firstRecord + (count - 1u) * sizeof(HostEvent);
    shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(last),
                  shorter.begin() + static_cast<std::ptrdiff_t>(last + sizeof(HostEvent)));
    shorter[firstRecord - 4] = static_cast<std::uint8_t>(count - 1);
    const std::string missing = DescribeDifference(recorded, shorter);
    EXPECT_NE(missing.find(": " + std::to_string(count - 1) + " records, recorded " + std::to_string(count) +
                           "; first missing: time"),
              std::string::npos)
        << missing;
}

// The variants differ from the defaults where they should, so the record
// covers more than one configuration of each engine.
TEST(EngineScenarios, VariantsChangeTheOutput) {
    for (const Deliverable& deliverable : AllDeliverables()) {
        ASSERT_GE(deliverable.variants.size(), 2u) << deliverable.name;
        const Bytes defaults = RunLocal(deliverable, deliverable.variants[0]);
        for (std::size_t i = 1; i < deliverable.variants.size(); ++i)
            EXPECT_NE(FirstDifference(defaults, RunLocal(deliverable, deliverable.variants[i])), -1)
                << KeyOf(deliverable, deliverable.variants[i]);
    }
}

}  // namespace
}  // namespace nuv::scenarios
