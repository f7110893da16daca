// Which monitors get a black cover while the show runs on the primary one.
#include "slideshow/CoverPlan.h"

#include <gtest/gtest.h>

TEST(CoverPlan, EveryScreenShowingNothingOfTheShowOnceClonesOfItNone)
{
    const QRect show(0, 0, 1024, 768), right(1024, 0, 800, 600), partly(1000, 0, 800, 600);
    EXPECT_EQ(CoverPlan::ScreensToCover({show}, show), QList<int>());
    EXPECT_EQ(CoverPlan::ScreensToCover({QRect(-800, 0, 800, 600), show, show, right, right, partly, {}}, show), QList<int>({0, 3}));
}
