#include "settings/PreviewScale.h"

#include <gtest/gtest.h>

namespace {

TEST(PreviewScaleTest, ReducesByTheSmallerRatioSoTheTighterSideEndsAtTheEdge)
{
    const auto wide = PreviewScale::FitPicture(5190, 3000);
    EXPECT_TRUE(wide.reduced);
    EXPECT_FLOAT_EQ(wide.factor, 0.5f);
    EXPECT_FLOAT_EQ(wide.width, 2595);
    EXPECT_FLOAT_EQ(wide.height, 1500);
    EXPECT_EQ(wide.caption, "画像プレビュー(0.50倍)");

    const auto tall = PreviewScale::FitPicture(1000, 4110);
    EXPECT_FLOAT_EQ(tall.width, 500);
    EXPECT_FLOAT_EQ(tall.height, 2055);
    EXPECT_EQ(tall.caption, "画像プレビュー(0.50倍)");

    const auto big = PreviewScale::FitPicture(9600, 6000);
    EXPECT_FLOAT_EQ(big.width, 2595);
    EXPECT_NEAR(big.height, 1621.875, 0.01);
    EXPECT_EQ(big.caption, "画像プレビュー(0.27倍)");
}

TEST(PreviewScaleTest, PicturesThatFitKeepTheirSize)
{
    for (auto [w, h] : {std::pair{2595.0f, 2055.0f}, {15.0f, 15.0f}, {2595.0f, 30.0f}}) {
        const auto fit = PreviewScale::FitPicture(w, h);
        EXPECT_FALSE(fit.reduced);
        EXPECT_FLOAT_EQ(fit.width, w);
        EXPECT_FLOAT_EQ(fit.height, h);
        EXPECT_EQ(fit.caption, "画像プレビュー(1.00倍)");
    }
    EXPECT_FALSE(PreviewScale::FitPicture(0, 0).reduced);
}

TEST(PreviewScaleTest, CaptionRoundsTheFactorToTwoDecimalsHalfUp)
{
    EXPECT_EQ(PreviewScale::Caption(0.625f), "画像プレビュー(0.63倍)");
    EXPECT_EQ(PreviewScale::Caption(0.5349f), "画像プレビュー(0.53倍)");
    EXPECT_EQ(PreviewScale::Caption(0.004f), "画像プレビュー(0.00倍)");
    EXPECT_EQ(PreviewScale::Caption(0.996f), "画像プレビュー(1.00倍)");
}

}
