// The rules of the controls that hold values, apart from any window: what the
// numeric field accepts, where a slider keeps its value and what it reports,
// and that no move of the range slider breaks minimum <= low <= high <= maximum.
#include <gtest/gtest.h>

#include "toolkit/numeric_entry.h"
#include "toolkit/range_span.h"
#include "toolkit/slider_scale.h"

namespace nuv::kop {
namespace {

TEST(NumericEntry, AcceptsOnlyWholeNumbersInRangeAndShowsZeroAsOff) {
    EXPECT_EQ(JudgeIntegerEntry(L"64", 1, 127).verdict, EntryVerdict::kAccept);
    EXPECT_EQ(JudgeIntegerEntry(L"64", 1, 127).value, 64);
    EXPECT_EQ(JudgeIntegerEntry(L"0", 1, 127).verdict, EntryVerdict::kOff);  // below the minimum, still OFF
    for (const wchar_t* refused : {L"12a", L"", L"-", L"200", L"99999999999", L"OFF", L"1.5"}) {
        EXPECT_EQ(JudgeIntegerEntry(refused, 1, 127).verdict, EntryVerdict::kRestore) << refused;
    }
    EXPECT_EQ(JudgeRealEntry(L"2.5", 0, 10).verdict, EntryVerdict::kAccept);
    for (const wchar_t* refused : {L"nan", L"inf", L"1e999", L"11", L"2.5x"}) {
        EXPECT_EQ(JudgeRealEntry(refused, 0, 10).verdict, EntryVerdict::kRestore) << refused;
    }
    EXPECT_EQ(WheelStepped(127, true, 1, 127), 127);
    EXPECT_EQ(WheelStepped(0, false, 1, 127), 0);
    EXPECT_EQ(WheelStepped(0, true, 1, 127), 1);
}

TEST(SliderScale, EveryStepKeepsTheValueWithinTheRange) {
    const SliderRange range{1.0f, 40.0f};
    EXPECT_EQ(WheelStepped(40.0f, true, true, range), 40.0f);  // a notch at the top stays there
    EXPECT_EQ(WheelStepped(1.0f, true, false, range), 1.0f);   // and at the bottom: never 0
    EXPECT_EQ(WheelStepped(20.0f, true, false, range), 19.0f);
    EXPECT_EQ(KeyedValue(SliderKey::kPageDown, 38.0f, 5.0f, 5.0f, range), 40.0f);
    EXPECT_EQ(KeyedValue(SliderKey::kHome, 38.0f, 0.0f, 5.0f, range), 1.0f);  // a default outside the range
    const SliderAxis axis = AxisOf(11, false, 252.0f, 24.0f);
    EXPECT_EQ(ValueAtCentre(DragTarget(1000.0f, 0.0f, axis), range, axis), 40.0f);
    EXPECT_EQ(DragTarget(1000.0f, 0.0f, axis), axis.length - axis.thumbMargin);
    EXPECT_EQ(ValueAtCentre(DragTarget(-50.0f, 0.0f, axis), range, axis), 1.0f);
    // A control too small for its thumb still answers a value of the range.
    const SliderAxis tiny = AxisOf(10, true, 1.0f, 1.0f);
    EXPECT_EQ(ValueAtCentre(DragTarget(0.0f, 0.0f, tiny), range, tiny), 1.0f);
}

TEST(SliderScale, NotificationsCarryTheValueTruncatedTowardZero) {
    EXPECT_EQ(NotifiedValue(12.9f), 12);
    EXPECT_EQ(NotifiedValue(-0.5f), 0);
    EXPECT_EQ(NotifiedValue(-64.9f), -64);
    EXPECT_EQ(NotifiedValue(3e10f), 2147483520);
}

bool Ordered(const Span& span, const SpanRange& range) {
    return range.minimum <= span.low && span.low <= span.high && span.high <= range.maximum;
}

TEST(RangeSpan, ArrowKeysNeverLeaveTheRangeNorCrossTheEnds) {
    const SpanRange range{0.0f, 1.0f};
    const float track = 252.0f - 2.0f * 6.0f;
    for (const bool widthOnly : {false, true}) {
        for (const bool increase : {true, false}) {
            Span span{0.4f, 0.6f};
            for (int press = 0; press < 400; ++press) {
                if (const std::optional<Span> moved = KeyStepped(span, range, track, increase, widthOnly)) span = *moved;
                ASSERT_TRUE(Ordered(span, range)) << press << " " << span.low << ".." << span.high;
            }
            // Pressed to the end: against the maximum, the minimum, or at no width.
            if (increase) {
                EXPECT_EQ(span.high, 1.0f);
            } else if (widthOnly) {
                EXPECT_NEAR(span.high, span.low, 1e-6f);
            } else {
                EXPECT_NEAR(span.low, 0.0f, 1e-6f);
            }
        }
    }
    EXPECT_FALSE(KeyStepped(Span{0.2f, 0.4f}, range, 0.0f, true, false).has_value());  // no step without a track
}

TEST(RangeSpan, DraggingTheSpanAgainstAnEndKeepsItsWidth) {
    const SpanRange range{0.0f, 1.0f};
    const Span span{0.3f, 0.5f};
    const RangeLayout layout = LayOut(span, range, 252.0f, 18.0f);
    const Span left = Dragged(span, kSpanPart, -500.0f, range, layout);
    EXPECT_EQ(left.low, 0.0f);
    EXPECT_FLOAT_EQ(left.high - left.low, 0.2f);
    const Span right = Dragged(span, kSpanPart, 900.0f, range, layout);
    EXPECT_EQ(right.high, 1.0f);
    EXPECT_FLOAT_EQ(right.high - right.low, 0.2f);
    // A thumb stops at the other end.
    EXPECT_EQ(Dragged(span, kLowThumb, 900.0f, range, layout).low, 0.5f);
    EXPECT_EQ(Dragged(span, kHighThumb, -900.0f, range, layout).high, 0.3f);
    // The span's middle stays where it was grabbed: a drag to its own centre moves nothing.
    const Span still = Dragged(span, kSpanPart, layout.span.CentreAlong(), range, layout);
    EXPECT_NEAR(still.low, 0.3f, 1e-6f);
    EXPECT_EQ(HitPart(layout, layout.span.CentreAlong(), 9.0f), kSpanPart);
    EXPECT_EQ(HitPart(layout, layout.highThumb.along, 9.0f), kHighThumb);
}

// A pair shown inverted keeps its order and its place, shows no span to grab,
// refuses arrow keys, and a thumb drag puts it in order again.
TEST(RangeSpan, AnInvertedPairShowsTwoThumbsAndNoSpan) {
    const SpanRange range{0.0f, 1.0f};
    const Span inverted = EachWithin(Span{0.8f, 0.2f}, range);
    EXPECT_EQ(inverted.low, 0.8f);
    EXPECT_EQ(inverted.high, 0.2f);
    const Span outside = EachWithin(Span{1.5f, -0.5f}, range);
    EXPECT_EQ(outside.low, 1.0f);
    EXPECT_EQ(outside.high, 0.0f);
    const RangeLayout layout = LayOut(inverted, range, 252.0f, 18.0f);
    EXPECT_EQ(layout.span.length, 0.0f);
    EXPECT_GT(layout.lowThumb.along, layout.highThumb.along);
    for (float along = -2.0f; along < 254.0f; along += 0.5f) ASSERT_NE(HitPart(layout, along, 9.0f), kSpanPart) << along;
    EXPECT_FALSE(KeyStepped(inverted, range, layout.track, true, false).has_value());
    EXPECT_FALSE(KeyStepped(inverted, range, layout.track, false, true).has_value());
    EXPECT_TRUE(Ordered(Dragged(inverted, kLowThumb, layout.lowThumb.CentreAlong() + 10.0f, range, layout), range));
    EXPECT_TRUE(Ordered(Dragged(inverted, kHighThumb, layout.highThumb.CentreAlong() - 10.0f, range, layout), range));
}

}  // namespace
}  // namespace nuv::kop
