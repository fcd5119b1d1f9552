// Keys on the page's range slider: every key comes back from its own
// position, positions between keys go to the nearest, and stored keys beyond
// 0..127 are shown at the ends.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plugins/shiftwell/key_position.h"

namespace nuv::shiftwell {
namespace {

TEST(KeyPosition, EveryKeyComesBackFromItsOwnPosition) {
    int truncatedLower = 0;
    for (std::int32_t key = 0; key <= 127; ++key) {
        const float position = KeyPosition(key);
        EXPECT_EQ(KeyAtPosition(position), key) << position;
        if (static_cast<std::int32_t>(static_cast<double>(position) * 127.0) != key) ++truncatedLower;
    }
    EXPECT_GT(truncatedLower, 0);  // what truncating the product would have done
    EXPECT_EQ(KeyPosition(0), 0.0f);
    EXPECT_EQ(KeyPosition(127), 1.0f);
}

TEST(KeyPosition, PositionsBetweenAndBeyondKeysGoToTheNearestKeyWithinTheRange) {
    EXPECT_EQ(KeyAtPosition(60.4f / 127.0f), 60);
    EXPECT_EQ(KeyAtPosition(60.6f / 127.0f), 61);
    EXPECT_EQ(KeyAtPosition(-0.3f), 0);
    EXPECT_EQ(KeyAtPosition(1.7f), 127);
    EXPECT_EQ(KeyAtPosition(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(KeyAtPosition(std::numeric_limits<float>::infinity()), 127);
    for (const std::int32_t stored : {-5, -2147483647 - 1}) {
        EXPECT_EQ(ShownKey(stored), 0);
        EXPECT_EQ(KeyPosition(stored), 0.0f);
    }
    EXPECT_EQ(ShownKey(128), 127);
    EXPECT_EQ(KeyPosition(2147483647), 1.0f);
}

}  // namespace
}  // namespace nuv::shiftwell
