#include "slideshow/TickPeriod.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(TickPeriodTest, SwitchingSpeedsOfTheDialog)
{
    for (int speed = 1; speed <= 10; ++speed) {
        EXPECT_EQ(TickPeriod::Interval(1, speed), (11 - speed) * 1000) << speed;
        EXPECT_EQ(TickPeriod::Interval(2, speed), (11 - speed) * 1000) << speed;
    }
}

TEST(TickPeriodTest, FractionalSpeedsRoundHalfToEven)
{
    EXPECT_EQ(TickPeriod::Interval(1, 2.5), 8500);
    EXPECT_EQ(TickPeriod::Interval(1, 1.0625), 9938);  // 9937.5
    EXPECT_EQ(TickPeriod::Interval(2, 1.1875), 9812);  // 9812.5
}

TEST(TickPeriodTest, MovingModeIgnoresTheSpeed)
{
    for (double speed : {-5.0, 0.0, 3.0, 9.0, 12.0})
        EXPECT_EQ(TickPeriod::Interval(3, speed), 10);
}

TEST(TickPeriodTest, OtherModesKeepTheTimersPeriod)
{
    for (double mode : {0.0, 4.0, 1.5, -1.0, std::nan("")})
        EXPECT_FALSE(TickPeriod::Interval(mode, 9).has_value()) << mode;
}

TEST(TickPeriodTest, HandEditedSpeedsAreClampedToAWorkingTimer)
{
    EXPECT_EQ(TickPeriod::Interval(1, 10.9), 100);
    EXPECT_EQ(TickPeriod::Interval(1, 10.95), 100);  // 50 ms would be needlessly busy
    EXPECT_EQ(TickPeriod::Interval(1, 11), 100);     // zero
    EXPECT_EQ(TickPeriod::Interval(2, 12), 100);     // negative
    EXPECT_EQ(TickPeriod::Interval(1, std::nan("")), 100);
    EXPECT_EQ(TickPeriod::Interval(1, -1.0e7), std::numeric_limits<int>::max());
    EXPECT_EQ(TickPeriod::Interval(1, -std::numeric_limits<double>::max()), std::numeric_limits<int>::max());
    EXPECT_EQ(TickPeriod::Interval(1, -1000), 1011000);  // long but within range: kept
}
