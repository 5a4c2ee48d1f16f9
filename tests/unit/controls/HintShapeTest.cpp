// The hint window's shape for each style, for a hint the framework asked to be 80 x 30 at
// (100, 200), and where the framework puts a hint near the screen's edges.
#include "controls/HintShape.h"
#include "framework/HintPlacement.h"

#include <gtest/gtest.h>

namespace pelorine {
namespace {

const Rect kAsked{100, 200, 180, 230};

TEST(HintShape, BalloonIsNinePixelsTallerWithItsTailTipAtFourteenOnTop) {
    const HintLayout l = LayoutHint(THintStyle::Fukidashi, kAsked);
    EXPECT_EQ(l.window, (Rect{100, 200, 180, 239}));
    ASSERT_EQ(l.region.kind, ShapeKind::Polygon);
    // From the tip down the tail's left edge, round the body from y 9 to the bottom, back to the tail.
    EXPECT_EQ(l.region.points,
              (std::vector<Point>{{14, 0}, {8, 9}, {0, 9}, {0, 39}, {80, 39}, {80, 9}, {14, 9}}));
    // The drawn outline stays on the window's last row and column, and closes the tail at 13..14.
    EXPECT_EQ(l.outline.points,
              (std::vector<Point>{{14, 0}, {9, 9}, {0, 9}, {0, 38}, {79, 38}, {79, 9}, {13, 9}, {13, 0}}));
    EXPECT_EQ(l.textOffset, (Point{3, 9})); // the text starts below the tail
    EXPECT_EQ(l.shadowOffsets, (std::vector<Point>{{4, 10}}));
}

TEST(HintShape, RoundedRectangleIsOnePixelLargerThanItsOutline) {
    const HintLayout l = LayoutHint(THintStyle::RoundRect, kAsked);
    EXPECT_EQ(l.window, (Rect{100, 200, 181, 231}));
    EXPECT_EQ(l.region.kind, ShapeKind::RoundRect);
    EXPECT_EQ(l.region.rect, (Rect{0, 0, 81, 31}));
    EXPECT_EQ(l.outline.kind, ShapeKind::RoundRect);
    EXPECT_EQ(l.outline.rect, (Rect{0, 0, 80, 30}));
    EXPECT_EQ(l.region.corner, 8);
    EXPECT_TRUE(l.fillsBackground);
}

TEST(HintShape, LeaderLineRunsFromTheCornerUnderTheFloatingText) {
    const HintLayout l = LayoutHint(THintStyle::LineString, kAsked);
    EXPECT_EQ(l.window, (Rect{100, 200, 201, 242}));
    EXPECT_EQ(l.region.kind, ShapeKind::Rectangle);
    EXPECT_EQ(l.region.rect, (Rect{1, 1, 100, 41})); // the outer ring of pixels cut away
    EXPECT_EQ(l.outline.kind, ShapeKind::Polyline);
    EXPECT_EQ(l.outline.points, (std::vector<Point>{{1, 1}, {17, 40}, {101, 40}}));
    EXPECT_FALSE(l.fillsBackground);
    EXPECT_EQ(l.shadowOffsets.size(), 4u); // all round the text
}

// At 200 % every length of the design doubles; only the asked rectangle (already measured in
// the scaled font) is taken as it is.
TEST(HintShape, ShapesAtTwiceTheDesignDpiDoubleTheirTailCornerAndOffsets) {
    const Scale twice(192);
    const HintLayout balloon = LayoutHint(THintStyle::Fukidashi, kAsked, twice);
    EXPECT_EQ(balloon.window, (Rect{100, 200, 180, 248}));
    EXPECT_EQ(balloon.region.points.front(), (Point{28, 0}));
    EXPECT_EQ(balloon.textOffset, (Point{6, 18}));
    const HintLayout rounded = LayoutHint(THintStyle::RoundRect, kAsked, twice);
    EXPECT_EQ(rounded.window, (Rect{100, 200, 181, 231}));
    EXPECT_EQ(rounded.region.corner, 16);
    EXPECT_EQ(rounded.textOffset, (Point{2, 2}));
    EXPECT_EQ(rounded.shadowOffsets, (std::vector<Point>{{4, 4}}));
    const HintLayout line = LayoutHint(THintStyle::LineString, kAsked, twice);
    EXPECT_EQ(line.window, (Rect{100, 200, 222, 254}));
    EXPECT_EQ(line.shadowOffsets, (std::vector<Point>{{38, 20}, {38, 24}, {36, 22}, {40, 22}}));
}

TEST(HintShape, OwnerDrawnHintKeepsTheAskedRectangleAndDrawsNothingOfItsOwn) {
    const HintLayout l = LayoutHint(THintStyle::OwnerDraw, kAsked);
    EXPECT_EQ(l.window, kAsked);
    EXPECT_EQ(l.region.kind, ShapeKind::None);
    EXPECT_EQ(l.outline.kind, ShapeKind::None);
    EXPECT_FALSE(l.textOffset.has_value());
}

TEST(HintPlacement, BelowThePointerAndBackInsideTheWorkArea) {
    const Rect work{0, 0, 1280, 1000};
    EXPECT_EQ(HintPlacement({300, 400}, 20, {80, 30}, work), (Point{300, 420}));
    EXPECT_EQ(HintPlacement({1250, 990}, 20, {80, 30}, work), (Point{1200, 970}));
    EXPECT_EQ(HintPlacement({5, 5}, 20, {2000, 30}, work), (Point{0, 25})); // wider than the screen
}

} // namespace
} // namespace pelorine
