// Which monitors get a black cover while the show runs on the primary one.
#include "slideshow/CoverPlan.h"

#include <gtest/gtest.h>

TEST(CoverPlan, EveryScreenShowingNothingOfTheShowOnceClonesOfItNone)
{
    const QRect show(0, 0, 1024, 768), right(1024, 0, 800, 600), partly(1000, 0, 800, 600);
    EXPECT_EQ(CoverPlan::ScreensToCover({show}, show), QList<int>());
    EXPECT_EQ(CoverPlan::ScreensToCover({QRect(-800, 0, 800, 600), show, show, right, right, partly, {}}, show), QList<int>({0, 3}));
}

TEST(CoverPlan, ShowOnThePrimaryScreenElseTheFirstOneLeft)
{
    const QRect a(0, 0, 800, 600), b(800, 0, 800, 600), c(1600, 0, 800, 600);
    // Screens, the primary one, those taken from the show; where the show goes.
    const std::tuple<QList<QRect>, int, QList<bool>, int> rows[] = {
        {{a, b, c}, 1, {}, 1},          {{a, b, c}, 1, {false, true}, 0}, {{a, b, c}, 0, {true, false, false}, 1},
        {{a, {}, c}, -1, {true}, 2},    {{a, b}, 5, {}, 0},               {{a, b}, 0, {true, true}, -1},
        {{}, 0, {}, -1},
    };
    for (const auto &[screens, primary, taken, expected] : rows)
        EXPECT_EQ(CoverPlan::ShowScreen(screens, primary, taken), expected) << primary;
}
