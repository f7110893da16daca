#include "settings/SpeedValue.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(SpeedValueTest, BarTakesTheRoundedSpeedWithinOneToTen)
{
    EXPECT_EQ(SpeedValue::ScrollValue(7), 7);
    EXPECT_EQ(SpeedValue::ScrollValue(2.5), 2);
    EXPECT_EQ(SpeedValue::ScrollValue(3.5), 4);
    EXPECT_EQ(SpeedValue::ScrollValue(0), 1);
    EXPECT_EQ(SpeedValue::ScrollValue(-4), 1);
    EXPECT_EQ(SpeedValue::ScrollValue(15), 10);
    EXPECT_EQ(SpeedValue::ScrollValue(1e300), 10);
    EXPECT_EQ(SpeedValue::ScrollValue(std::numeric_limits<double>::quiet_NaN()), 1);
}

TEST(SpeedValueTest, BoxShowsTheSpeedInRangeAndTheBarsValueOutside)
{
    EXPECT_EQ(SpeedValue::DisplayText(9), "9");
    EXPECT_EQ(SpeedValue::DisplayText(2.5), "2.5");
    EXPECT_EQ(SpeedValue::DisplayText(10), "10");
    EXPECT_EQ(SpeedValue::DisplayText(0), "1");
    EXPECT_EQ(SpeedValue::DisplayText(10.4), "10");
    EXPECT_EQ(SpeedValue::DisplayText(-3), "1");
}


}
