#include "platform/VisibleRegion.h"

#include <gtest/gtest.h>

using H = QImageIOHandler;

// Upright (2, 3) 10 x 5 of a file stored as 40 x 30, through the orientations that
// the widget tests do not show (1, 3, 6 and 8 they do).
TEST(VisibleRegion, MapsAnUprightRectangleBackToTheStoredFile)
{
    const std::pair<H::Transformations, QRect> rows[] = {
        {H::TransformationMirror, {28, 3, 10, 5}}, {H::TransformationFlip, {2, 22, 10, 5}},
        {H::TransformationFlipAndRotate90, {3, 2, 5, 10}}, {H::TransformationMirrorAndRotate90, {32, 18, 5, 10}}};
    for (const auto &[orientation, stored] : rows)
        EXPECT_EQ(VisibleRegion::InStored({2, 3, 10, 5}, {40, 30}, orientation), stored) << int(orientation);
}

// A window of 160 x 120 logical pixels (2400 x 1800 twips); whole ratios are in the widget tests.
TEST(VisibleRegion, TakesThePartInsideTheWindowInDevicePixels)
{
    const struct { float left, top; QSize picture; qreal ratio; QRect visible; } rows[] = {
        {-22.5f, 0, {400, 300}, 1, {2, 0, 160, 120}},        // -1.5 pixels stand at -2, as the box does
        {-150, -300, {1000, 800}, 1.5, {14, 29, 242, 182}},  // a pixel more around a fractional ratio
        {3000, 0, {100, 50}, 1, {}}};                        // beside the window: nothing
    for (const auto &r : rows)
        EXPECT_EQ(VisibleRegion::Of(r.left, r.top, 2400, 1800, r.picture, r.ratio), r.visible) << r.left;
}
