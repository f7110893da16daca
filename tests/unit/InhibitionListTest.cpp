#include "idle/InhibitionList.h"

#include <gtest/gtest.h>

TEST(InhibitionList, CookiesAreUniqueAndNonZeroAndOnlyTheirCallerOrItsLeavingEndsThem)
{
    InhibitionList list(0xfffffffe);
    const quint32 a = list.add(":1.1"), b = list.add(":1.2"), c = list.add(":1.1");
    EXPECT_EQ(a, 0xffffffffu);
    EXPECT_EQ(b, 1u) << "0 is skipped at the wrap";
    EXPECT_EQ(c, 2u);
    EXPECT_EQ(list.count(), 3);
    EXPECT_FALSE(list.remove(a, ":1.2")) << "another caller's cookie";
    EXPECT_FALSE(list.remove(7, ":1.1")) << "an unknown cookie";
    EXPECT_TRUE(list.remove(a, ":1.1"));
    EXPECT_FALSE(list.remove(a, ":1.1")) << "twice";
    EXPECT_TRUE(list.holds(":1.1"));
    list.add(":1.3");
    EXPECT_EQ(list.removeCaller(":1.1"), 1);
    EXPECT_FALSE(list.holds(":1.1"));
    EXPECT_EQ(list.count(), 2);
}
