// The spline polyline: sample counts per segment, passing through the control
// points, straight lines staying straight, degenerate and hostile input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "framework/spline_polyline.h"

namespace nuv {
namespace {

std::vector<SplinePoint> Through(std::vector<SplinePoint> points) {
    return ComputeSplinePolyline(points.data(), points.size());
}

void ExpectNear(SplinePoint actual, SplinePoint expected, float tolerance = 1e-3f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

TEST(SplinePolyline, TwoPointsGiveOneSegmentOfStepsPlusOneSamples) {
    // m = max(|trunc 10.7|, |trunc -3.2|) = 10.
    const auto line = Through({{1.0f, 5.0f}, {11.7f, 1.8f}});
    ASSERT_EQ(line.size(), 11u);
    EXPECT_EQ(line.front().x, 1.0f);
    EXPECT_EQ(line.front().y, 5.0f);
    ExpectNear(line.back(), {11.7f, 1.8f});
    // Both tangents come out close to the chord, so the samples run along it
    // in even steps.
    for (std::size_t j = 0; j < line.size(); ++j) {
        const float t = static_cast<float>(j) / 10.0f;
        ExpectNear(line[j], {1.0f + 10.7f * t, 5.0f - 3.2f * t}, 0.02f);
    }
}

TEST(SplinePolyline, TangentsComeFromExactlyTenJacobiIterations) {
    // With two points both tangents start at 1.5 A and iterate as
    // D := (3A - D) / 2, so after ten rounds D = A (1 + 2^-11). At t = 0.1 the
    // sample lies 0.072 (D - A) past the straight-line position 0.1 A: with
    // A = 10000 that is +0.35 (nine rounds would give -0.70, eleven -0.18).
    const auto line = Through({{0.0f, 0.0f}, {10000.0f, 0.0f}});
    ASSERT_EQ(line.size(), 10001u);
    EXPECT_NEAR(line[1000].x, 1000.0f + 0.072f * 10000.0f / 2048.0f, 0.02f);
}

TEST(SplinePolyline, DiagonalOfABoxStaysStraight) {
    const float w = 267.0f;
    const float h = 128.0f;
    const auto line = Through({{0.0f, h}, {w / 4, 3 * h / 4}, {3 * w / 4, h / 4}, {w, 0.0f}});
    // Segment steps 66, 133 and 66, each with its start point.
    ASSERT_EQ(line.size(), 67u + 134u + 67u);
    for (const SplinePoint& p : line) EXPECT_NEAR(p.y, h - p.x * h / w, 1e-3f) << p.x;
    for (std::size_t i = 1; i < line.size(); ++i) EXPECT_GE(line[i].x, line[i - 1].x - 1e-4f);
}

TEST(SplinePolyline, InnerPointsOccurTwiceAndEveryPointIsPassed) {
    const std::vector<SplinePoint> points = {{0, 8192}, {900, 8700}, {1800, 7600}, {2700, 8000}, {4095, 8192}};
    const auto line = Through(points);
    std::size_t at = 0;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const auto steps = static_cast<std::size_t>(
            std::fmax(std::fabs(std::trunc(points[i + 1].x - points[i].x)), std::fabs(std::trunc(points[i + 1].y - points[i].y))));
        EXPECT_EQ(line.at(at).x, points[i].x);  // each segment starts exactly on its point
        EXPECT_EQ(line.at(at).y, points[i].y);
        ExpectNear(line.at(at + steps), points[i + 1], 0.05f);  // and ends on the next
        at += steps + 1;
    }
    EXPECT_EQ(at, line.size());
}

TEST(SplinePolyline, SubUnitSegmentStillTakesOneStep) {
    const auto line = Through({{2.0f, 2.0f}, {2.6f, 2.9f}, {40.0f, 10.0f}});
    ASSERT_EQ(line.size(), 2u + 38u);
    EXPECT_EQ(line[0].x, 2.0f);
    ExpectNear(line[1], {2.6f, 2.9f});
    EXPECT_EQ(line[2].x, 2.6f);
}

TEST(SplinePolyline, SameInputSameOutputAlsoWhenTheBuilderIsReused) {
    const std::vector<SplinePoint> curve = {{0, 127}, {66.75f, 96}, {200.25f, 32}, {267, 0}};
    const std::vector<SplinePoint> other = {{0, 0}, {5, 300}, {700, 2}};
    SplinePolyline builder;
    std::vector<SplinePoint> first;
    std::vector<SplinePoint> again;
    builder.Compute(curve.data(), curve.size(), first);
    builder.Compute(other.data(), other.size(), again);
    builder.Compute(curve.data(), curve.size(), again);
    ASSERT_EQ(first.size(), again.size());
    EXPECT_EQ(std::memcmp(first.data(), again.data(), first.size() * sizeof(SplinePoint)), 0);
    const auto fresh = Through(curve);
    EXPECT_EQ(std::memcmp(first.data(), fresh.data(), first.size() * sizeof(SplinePoint)), 0);
}

TEST(SplinePolyline, CoincidentPointsStayFiniteAndArePassed) {
    const auto line = Through({{0, 0}, {10, 10}, {10, 10}, {30, 0}});
    ASSERT_EQ(line.size(), 11u + 2u + 21u);
    for (const SplinePoint& p : line) {
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    }
    ExpectNear(line[10], {10, 10});
    ExpectNear(line[12], {10, 10});
    ExpectNear(line.back(), {30, 0});
}

TEST(SplinePolyline, TooFewPointsGiveAnEmptyPolyline) {
    std::vector<SplinePoint> line = {{1, 1}};
    const SplinePoint one = {3, 4};
    SplinePolyline().Compute(&one, 1, line);
    EXPECT_TRUE(line.empty());
    SplinePolyline().Compute(nullptr, 5, line);
    EXPECT_TRUE(line.empty());
}

TEST(SplinePolyline, WildPointsAskForABoundedPolyline) {
    const float nan = std::nanf("");
    EXPECT_EQ(Through({{0, 0}, {1e30f, 0}}).size(), static_cast<std::size_t>(kMaxSegmentSteps) + 1);
    EXPECT_EQ(Through({{0, 0}, {nan, nan}}).size(), 2u);
    EXPECT_EQ(Through({{0, 0}, {INFINITY, 5}, {3, 3}}).size(), static_cast<std::size_t>(kMaxSegmentSteps) * 2 + 2);
}

}  // namespace
}  // namespace nuv
