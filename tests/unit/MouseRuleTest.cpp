#include "slideshow/MouseRule.h"

#include <gtest/gtest.h>

TEST(MouseRuleTest, SaverFirstReportOnlyRecords)
{
    SaverMouseState s;
    EXPECT_FALSE(MouseRule::SaverReport(s, 9000, 9000));
    EXPECT_TRUE(s.MouseMoved);
    EXPECT_EQ(s.LastMouseX, 9000);
    EXPECT_EQ(s.LastMouseY, 9000);
}

TEST(MouseRuleTest, SaverNeedsBothCoordinatesToChange)
{
    SaverMouseState s;
    EXPECT_FALSE(MouseRule::SaverReport(s, 100, 200));
    EXPECT_FALSE(MouseRule::SaverReport(s, 100, 500));  // x unchanged
    EXPECT_EQ(s.LastMouseY, 500);                       // but the position moves along
    EXPECT_FALSE(MouseRule::SaverReport(s, 400, 500));  // y unchanged
    EXPECT_TRUE(MouseRule::SaverReport(s, 130, 515));
}

TEST(MouseRuleTest, SaverComparesRoundedY)
{
    SaverMouseState s;
    MouseRule::SaverReport(s, 10, 2.5f);      // stored as 2 (half to even)
    EXPECT_EQ(s.LastMouseY, 2);
    EXPECT_TRUE(MouseRule::SaverReport(s, 20, 2.5f));  // 2.5 differs from the stored 2
}

TEST(MouseRuleTest, TallScreensDoNotOverflowY)
{
    SaverMouseState s;
    MouseRule::SaverReport(s, 10, 64800.0f);  // 4320 pixels down an 8K panel
    EXPECT_EQ(s.LastMouseY, 64800);
    EXPECT_FALSE(MouseRule::SaverReport(s, 20, 64800.0f));
    EXPECT_TRUE(MouseRule::SaverReport(s, 30, 64815.0f));
    EXPECT_EQ(MouseRule::RoundY(1e30f), 2147483647);
}

TEST(MouseRuleTest, ManualCountsThreeReportsInFirstShow)
{
    ManualMouseState s;
    EXPECT_FALSE(MouseRule::ManualReport(s, 15360, 15360, 10, 10));
    EXPECT_FALSE(MouseRule::ManualReport(s, 15360, 15360, 20, 20));
    EXPECT_TRUE(MouseRule::ManualReport(s, 15360, 15360, 30, 30));
    EXPECT_EQ(s.MouseMoveCount, 1);  // reset, then counted
    // The next show ignores only one report.
    EXPECT_FALSE(MouseRule::ManualReport(s, 15360, 15360, 40, 40));
    EXPECT_TRUE(MouseRule::ManualReport(s, 15360, 15360, 50, 50));
}

TEST(MouseRuleTest, ManualIgnoresReportsWhileNarrowerThanScreen)
{
    ManualMouseState s;
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(MouseRule::ManualReport(s, 9000, 15360, 100.0f * i, 100.0f * i));
    EXPECT_EQ(s.MouseMoveCount, 0);
    EXPECT_EQ(s.LastMouseX, 0);
}
