// The curve table: its fill from a polyline column by column, and the table a
// fresh or loaded effect holds without any page having painted it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "plugins/velocurve/velocurve_effect.h"
#include "tests/support/event_builders.h"

namespace nuv::velocurve {
namespace {

struct Entry {
    std::int32_t x;
    std::int32_t y;
};

class CurveTableFill : public ::testing::Test {
protected:
    // Height 127 and a largest x of 128 make both scales 1, so a point's
    // column is round(x + 0.5) and its level 127 - round(y + 0.5).
    bool Fill(std::vector<SplinePoint> polyline, float firstY = 27.6f, float lastY = 3.9f) {
        for (CurveTableEntry& e : table) e = {-7, -7};
        return FillCurveTable(polyline, 127.0f, firstY, lastY, table);
    }
    Entry At(int i) const { return {table[i].x, table[i].y}; }

    CurveTableEntry table[kCurveTableSize];
};

bool operator==(const Entry& a, const Entry& b) { return a.x == b.x && a.y == b.y; }
std::ostream& operator<<(std::ostream& os, const Entry& e) { return os << "(" << e.x << ", " << e.y << ")"; }

TEST_F(CurveTableFill, ColumnsTakeTheirHighestLevelAndJumpsTheMean) {
    ASSERT_TRUE(Fill({{0, 127},      // column 1, level 0: entry 0 := (0, 0)
                      {128, 1},      // column 129: entries 1..127 := mean of 0 and 125, rounded down
                      {9.6f, 60},    // column 10, backwards: nothing at or past the end
                      {10.4f, 50},   // column 11: entry 10 := (9, 0), the run before the jumps
                      {10.8f, 80},   // column 11 again, a lower level
                      {11.6f, 40},   // column 12 (half away from zero): entry 11 := (10, 76)
                      {12.0f, 30}}));  // column 13: entry 12 := (11, 86)
    EXPECT_EQ(At(0), (Entry{0, 99}));  // then 127 - 27.6, truncated
    for (int k = 1; k < 10; ++k) EXPECT_EQ(At(k), (Entry{k, 62})) << k;
    EXPECT_EQ(At(10), (Entry{9, 0}));
    EXPECT_EQ(At(11), (Entry{10, 76}));
    EXPECT_EQ(At(12), (Entry{11, 86}));
    for (int k = 13; k < 127; ++k) EXPECT_EQ(At(k), (Entry{k, 62})) << k;
    EXPECT_EQ(At(127), (Entry{127, 124}));  // 127 - trunc(3.9)
}

TEST_F(CurveTableFill, EndEntriesStayWithinTheLevels) {
    ASSERT_TRUE(Fill({{0, 64}, {128, 64}}, -5.0f, 200.0f));
    EXPECT_EQ(At(0).y, 127);
    EXPECT_EQ(At(127).y, 0);
    ASSERT_TRUE(Fill({{0, 64}, {128, 64}}, 300.0f, -40.0f));
    EXPECT_EQ(At(0).y, 0);
    EXPECT_EQ(At(127).y, 127);
}

TEST_F(CurveTableFill, UnusablePolylinesWriteNothing) {
    EXPECT_FALSE(Fill({{0, 1}}));
    EXPECT_FALSE(Fill({{0, 1}, {0, 5}}));      // no width
    EXPECT_FALSE(Fill({{-3, 1}, {-1, 5}}));    // nothing right of the origin
    EXPECT_FALSE(Fill({{0, 1}, {INFINITY, 5}}));
    EXPECT_EQ(At(5), (Entry{-7, -7}));
    EXPECT_FALSE(FillCurveTable({{0, 1}, {5, 5}}, 0.0f, 0, 0, table));
}

// A curve that overshoots left of the control reaches column -1 before 0:
// nothing is written before the table; points that are not numbers are
// passed over rather than taken for a jump across the whole table.
TEST(CurveTableBounds, OvershootAndNonFinitePointsStayInsideTheTable) {
    CurveTableEntry guarded[kCurveTableSize + 2];
    for (CurveTableEntry& e : guarded) e = {-7, -7};
    CurveTableEntry* table = guarded + 1;
    const std::vector<SplinePoint> overshoot = {{0, 64}, {-1.2f, 60}, {-0.4f, 50}, {1.6f, 40}, {128, 0}};
    ASSERT_TRUE(FillCurveTable(overshoot, 127.0f, 0, 0, table));
    EXPECT_EQ(guarded[0].y, -7);
    EXPECT_EQ(guarded[kCurveTableSize + 1].y, -7);

    std::vector<SplinePoint> rising;
    for (int x = 0; x <= 128; x += 4) rising.push_back({static_cast<float>(x), 127.0f - x});
    ASSERT_TRUE(FillCurveTable(rising, 127.0f, 127, 0, table));
    std::vector<std::int32_t> clean;
    for (int k = 0; k < kCurveTableSize; ++k) clean.push_back(table[k].y);
    std::vector<SplinePoint> damaged = rising;
    damaged.insert(damaged.begin() + 10, {std::nanf(""), 3});
    damaged.insert(damaged.begin() + 20, {50, INFINITY});
    damaged.push_back({-INFINITY, 0});
    ASSERT_TRUE(FillCurveTable(damaged, 127.0f, 127, 0, table));
    for (int k = 0; k < kCurveTableSize; ++k) EXPECT_EQ(table[k].y, clean[k]) << k;
    EXPECT_EQ(guarded[0].y, -7);
}

TEST(CurveTable, FreshEffectMapsVelocitiesAlongTheDiagonal) {
    auto effect = nuv::testing::MakeEffect<NuvMfx>();
    for (int v = 1; v < kCurveTableSize; ++v) {
        const auto out = nuv::testing::RunEvents(*effect, {nuv::testing::NoteEvent(0, 60, static_cast<std::uint8_t>(v), 1)});
        EXPECT_NE(out.at(0).value, 0) << v;
        EXPECT_LE(std::abs(out.at(0).value - v), 2) << v;
    }
    // The fill's rounding puts the inner entries on or just below the identity.
    for (int v = 1; v < kCurveTableSize - 1; ++v) EXPECT_LE(effect->curveTable[v].y, v) << v;
    EXPECT_EQ(effect->curveTable[0].y, 0);
    EXPECT_EQ(effect->curveTable[127].y, 127);
    // The stored points stay as a fresh effect saves them.
    for (const CurvePoint& p : effect->curvePoints) EXPECT_TRUE(p.x == 0.0f && p.y == 0.0f);
}

TEST(CurveTable, LoadRefillsTheTableFromThePointsWithinTheirRanges) {
    auto effect = nuv::testing::MakeEffect<NuvMfx>();
    // A flat curve half way up, with P1 stored beyond its range and P3 left
    // of it: the table maps every value to 63 and the stream keeps the points.
    const float h = kCurveDesignSize.height;
    auto image = nuv::testing::StreamImage().U32(2).Byte(1).Byte(0).Byte(0).Byte(0);
    image.F32(0).F32(h / 2).F32(500).F32(h / 2).F32(200).F32(h / 2).F32(3).F32(h / 2).Byte(1).I32(-1).I32(-1);
    ASSERT_EQ(nuv::testing::LoadBytes(*effect, image), S_OK);
    for (int v = 0; v < kCurveTableSize; ++v) EXPECT_EQ(effect->curveTable[v].y, 63) << v;
    EXPECT_EQ(nuv::testing::SavedBytes(*effect), image.Bytes());

    // Points that are not numbers fall back to the default positions.
    const float nan = std::nanf("");
    auto wild = nuv::testing::StreamImage().U32(2).Byte(1).Byte(0).Byte(0).Byte(0);
    wild.F32(nan).F32(nan).F32(nan).F32(1e30f).F32(-1e30f).F32(nan).F32(nan).F32(nan).Byte(1).I32(-1).I32(-1);
    ASSERT_EQ(nuv::testing::LoadBytes(*effect, wild), S_OK);
    std::int32_t wildTable[kCurveTableSize];
    for (int v = 0; v < kCurveTableSize; ++v) {
        EXPECT_GE(effect->curveTable[v].y, 0);
        EXPECT_LE(effect->curveTable[v].y, 127);
        wildTable[v] = effect->curveTable[v].y;
    }
    // The same table as the points placed where the fallback puts them: P0
    // and P3 at their defaults, P1 at its default x and lowest y, P2 at its
    // leftmost x and default y.
    const float w = kCurveDesignSize.width;
    auto placed = nuv::testing::StreamImage().U32(2).Byte(1).Byte(0).Byte(0).Byte(0);
    placed.F32(0).F32(h - 1).F32(w / 4).F32(h - 5).F32(w / 2 + 5).F32(h / 4).F32(w).F32(0).Byte(1).I32(-1).I32(-1);
    ASSERT_EQ(nuv::testing::LoadBytes(*effect, placed), S_OK);
    for (int v = 0; v < kCurveTableSize; ++v) EXPECT_EQ(wildTable[v], effect->curveTable[v].y) << v;
}

}  // namespace
}  // namespace nuv::velocurve
