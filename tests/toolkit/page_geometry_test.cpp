// The page's size arithmetic: which widths a resize may take, the heights
// that go with them, the DPI factor and the grip.
#include "toolkit/page_geometry.h"

#include <gtest/gtest.h>

namespace nuv::kop {
namespace {

// The window of a 376 x 102 dialog-unit template at 96 DPI.
constexpr std::int32_t kWidth = 564;
constexpr std::int32_t kHeight = 166;

PageGeometry DesignPage() {
    PageGeometry geometry;
    geometry.SetUp(kWidth, kHeight, kWidth, kHeight);
    return geometry;
}

TEST(PageGeometry, SetUpDerivesAspectAndLimitsFromTheDesignSize) {
    const PageGeometry geometry = DesignPage();
    EXPECT_FLOAT_EQ(geometry.Aspect(), 564.0f / 166.0f);
    EXPECT_EQ(geometry.MinWidth(), 282.0f);
    EXPECT_EQ(geometry.MinHeight(), 83.0f);
    EXPECT_EQ(geometry.MaxWidth(), 1128.0f);
    EXPECT_EQ(geometry.MaxHeight(), 332.0f);
    EXPECT_EQ(geometry.UserScale(), 1.0f);
    EXPECT_EQ(geometry.DpiFactor(), 1.0f);
}

TEST(PageGeometry, StepKeepsTheAspectRatioByTruncatingTheHeight) {
    const PageGeometry geometry = DesignPage();
    for (std::int32_t width : {283, 300, 600, 777, 1000, 1127}) {
        const auto step = geometry.StepTo(width);
        ASSERT_TRUE(step.has_value()) << width;
        EXPECT_EQ(step->width, width);
        EXPECT_EQ(step->height, static_cast<std::int32_t>(static_cast<float>(width) / geometry.Aspect())) << width;
        EXPECT_EQ(step->userScale, static_cast<float>(width) / 564.0f) << width;
    }
}

TEST(PageGeometry, WidthsOutsideHalfToTwiceAreRefusedNotClamped) {
    const PageGeometry geometry = DesignPage();
    EXPECT_TRUE(geometry.StepTo(282).has_value());
    EXPECT_TRUE(geometry.StepTo(1128).has_value());
    EXPECT_FALSE(geometry.StepTo(281).has_value());
    EXPECT_FALSE(geometry.StepTo(1129).has_value());
    EXPECT_FALSE(geometry.StepTo(0).has_value());
    EXPECT_FALSE(geometry.StepTo(-500).has_value());
}

TEST(PageGeometry, StepThatKeepsTheUserScaleIsNoStep) {
    PageGeometry geometry = DesignPage();
    EXPECT_FALSE(geometry.StepTo(kWidth).has_value());
    const auto step = geometry.StepTo(700);
    ASSERT_TRUE(step.has_value());
    geometry.Apply(*step);
    EXPECT_FALSE(geometry.StepTo(700).has_value());
    EXPECT_TRUE(geometry.StepTo(kWidth).has_value());
}

TEST(PageGeometry, DpiFactorScalesTheLimitsAndTheWindow) {
    PageGeometry geometry = DesignPage();
    EXPECT_TRUE(geometry.ChangeDpi(144.0f));
    EXPECT_EQ(geometry.DpiFactor(), 1.5f);
    EXPECT_FALSE(geometry.ChangeDpi(144.0f));
    const PageSize size = geometry.DpiScaledSize();
    EXPECT_EQ(size.width, 846);
    EXPECT_EQ(size.height, 249);
    // 846 is the same user scale now; the limits run from 423 to 1692.
    EXPECT_FALSE(geometry.StepTo(846).has_value());
    EXPECT_FALSE(geometry.StepTo(422).has_value());
    EXPECT_TRUE(geometry.StepTo(423).has_value());
    EXPECT_TRUE(geometry.StepTo(1692).has_value());
    EXPECT_FALSE(geometry.StepTo(1693).has_value());
}

TEST(PageGeometry, DpiScaledSizeKeepsTheUserScale) {
    PageGeometry geometry = DesignPage();
    geometry.Apply(*geometry.StepTo(846));  // user scale 1.5 at 96 DPI
    geometry.ChangeDpi(192.0f);
    const PageSize size = geometry.DpiScaledSize();
    EXPECT_EQ(size.width, 1692);
    EXPECT_EQ(size.height, static_cast<std::int32_t>(1692.0f / geometry.Aspect()));
    EXPECT_EQ(geometry.UserScale(), 1.5f);
}

TEST(PageGeometry, GripPressTestTakesTwentyUnscaledPixels) {
    EXPECT_TRUE(PageGeometry::InGrip(544, 146, 564, 166));
    EXPECT_TRUE(PageGeometry::InGrip(563, 165, 564, 166));
    EXPECT_FALSE(PageGeometry::InGrip(543, 150, 564, 166));  // 21 from the right edge
    EXPECT_FALSE(PageGeometry::InGrip(550, 145, 564, 166));
    EXPECT_FALSE(PageGeometry::InGrip(564, 150, 564, 166));
    EXPECT_FALSE(PageGeometry::InGrip(550, 166, 564, 166));
}

TEST(PageGeometry, GripTriangleGrowsWithDpiAndUserScale) {
    PageGeometry geometry = DesignPage();
    GripTriangle grip = geometry.Grip(564, 166);
    EXPECT_EQ(grip.x[0], 562.0f);
    EXPECT_EQ(grip.y[0], 144.0f);
    EXPECT_EQ(grip.x[1], 562.0f);
    EXPECT_EQ(grip.y[1], 164.0f);
    EXPECT_EQ(grip.x[2], 542.0f);
    EXPECT_EQ(grip.y[2], 164.0f);
    geometry.ChangeDpi(144.0f);
    geometry.Apply(*geometry.StepTo(1128));  // user scale 1128 / 1.5 / 564 = 4/3
    grip = geometry.Grip(1128, 332);
    EXPECT_FLOAT_EQ(grip.x[2], 1128.0f - 40.0f - 4.0f);
    EXPECT_FLOAT_EQ(grip.y[0], 332.0f - 40.0f - 4.0f);
}

TEST(PageGeometry, PageWithoutAMeasuredSizeTakesNoStep) {
    PageGeometry geometry;
    EXPECT_EQ(geometry.ClientScaleFor(700), 1.0f);
    EXPECT_FALSE(geometry.StepTo(100).has_value());
    geometry.SetUp(0, 0, 0, 0);
    EXPECT_FALSE(geometry.StepTo(100).has_value());
    EXPECT_EQ(geometry.ClientScaleFor(700), 1.0f);
}

TEST(PageGeometry, ClientScaleIsClientWidthOverDesignClientWidth) {
    PageGeometry geometry;
    geometry.SetUp(570, 172, 564, 166);
    EXPECT_EQ(geometry.ClientScaleFor(564), 1.0f);
    EXPECT_EQ(geometry.ClientScaleFor(846), 1.5f);
}

}  // namespace
}  // namespace nuv::kop
