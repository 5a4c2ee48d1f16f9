// The colour button's faces, caption places and latching.
#include "controls/ColorButtonRules.h"

#include <gtest/gtest.h>

using namespace pelorine;

namespace {
constexpr TColor kAqua{0x00FFFF00};
} // namespace

TEST(ColorButtonFace, SmallCloseButtonRingsShrinkTowardsTheUpperLeftFifth) {
    const ColorButtonFace up = FaceOf(22, 14, kAqua, false);
    EXPECT_EQ(up.base, MakeColor(0, 153, 153));
    ASSERT_EQ(up.rings.size(), 14u); // r = trunc(sqrt(11² + 7²)) = 13
    EXPECT_EQ(up.rings.front(), (ShadedEllipse{{0, 0, 22, 14}, MakeColor(0, 153, 153)}));
    EXPECT_EQ(up.rings[1], (ShadedEllipse{{0, 0, 20, 13}, MakeColor(17, 159, 159)}));
    EXPECT_EQ(up.rings.back(), (ShadedEllipse{{4, 2, 4, 2}, MakeColor(221, 241, 241)}));

    // The down face: the same ball, then a hollow in the box inset by a tenth, lit towards
    // the lower right.
    const ColorButtonFace down = FaceOf(22, 14, kAqua, true);
    ASSERT_EQ(down.rings.size(), 14u + 11u); // r' = trunc(sqrt(9² + 6²)) = 10
    EXPECT_EQ(down.rings[14], (ShadedEllipse{{2, 1, 20, 13}, MakeColor(0, 153, 153)}));
    EXPECT_EQ(down.rings.back(), (ShadedEllipse{{17, 11, 17, 11}, MakeColor(212, 238, 238)}));
}

TEST(ColorButtonFace, OtherSizesAndColours) {
    const ColorButtonFace tray = FaceOf(77, 70, kAqua, false);
    ASSERT_EQ(tray.rings.size(), 52u);
    EXPECT_EQ(tray.rings[1].bounds, (Rect{0, 0, 75, 68}));
    EXPECT_EQ(tray.rings.back().bounds, (Rect{15, 14, 15, 14}));
    EXPECT_EQ(FaceOf(16, 21, MakeColor(200, 100, 7), false).base, MakeColor(120, 60, 4));
    // Under 2 x 2 pixels there is nothing to shade: the face is its base colour.
    EXPECT_TRUE(FaceOf(1, 1, kAqua, true).rings.empty());
    // Sizes whose halves square past the int range.
    EXPECT_EQ(Radius(200000, 0), 100000);
    EXPECT_EQ(Radius(300000, 400000), 250000);
    EXPECT_EQ(Radius(2147483647, 2147483647), 1518500248); // trunc(1073741823 × √2)
}

TEST(ColorButtonCaption, PictureAndLinesAreCentredTogether) {
    using enum TdxfButtonLayout;
    // No picture: no gap; pressed moves everything one pixel down and right.
    EXPECT_EQ(PlaceCaption(dxfGlyphLeft, {22, 14}, {}, {7, 12}, false), (CaptionPlacement{{7, 7}, {7, 1}}));
    EXPECT_EQ(PlaceCaption(dxfGlyphLeft, {22, 14}, {}, {7, 12}, true), (CaptionPlacement{{8, 8}, {8, 2}}));
    EXPECT_EQ(PlaceCaption(dxfGlyphRight, {100, 40}, {16, 16}, {30, 24}, false),
              (CaptionPlacement{{59, 12}, {25, 8}}));
    EXPECT_EQ(PlaceCaption(dxfGlyphTop, {100, 40}, {16, 16}, {30, 12}, false),
              (CaptionPlacement{{42, 4}, {35, 24}}));
    EXPECT_EQ(PlaceCaption(dxfGlyphBottom, {100, 40}, {16, 16}, {30, 12}, false),
              (CaptionPlacement{{42, 20}, {35, 4}}));
    EXPECT_EQ(PlaceCaption(dxfGlyphLeft, {22, 14}, {}, {41, 12}, false).text,
              (Point{-9, 1})); // rounds towards 0
    EXPECT_EQ(LineOffset(dxfGlyphTop, 30, 11), 9);
    EXPECT_EQ(LineOffset(dxfGlyphRight, 30, 11), 19);
    EXPECT_EQ(LineOffset(dxfGlyphLeft, 30, 11), 0);
    EXPECT_EQ(SplitLines(L"タスク\r\nトレイ\nへ\r"),
              (std::vector<std::wstring>{L"タスク", L"トレイ", L"へ"}));
    EXPECT_TRUE(SplitLines(L"").empty());
}

TEST(ColorButtonLatch, PressedLookFollowsThePointerWhileHeld) {
    ColorButtonLatch b;
    EXPECT_TRUE(b.ButtonDown(true));
    EXPECT_TRUE(b.Leave());
    EXPECT_FALSE(b.Pressed());
    EXPECT_TRUE(b.Enter()); // still held: pressed again
    EXPECT_TRUE(b.Pressed());
    b.Leave();
    const auto up = b.ButtonUp(true, false);
    EXPECT_FALSE(up.repaint);
    EXPECT_FALSE(b.Pressed());
    EXPECT_FALSE(b.Enter());               // released: coming back shows nothing
    EXPECT_FALSE(b.ButtonDown(false));     // a disabled button never looks pressed
    EXPECT_FALSE(b.SetDown(true).repaint); // group 0 cannot latch
}

TEST(ColorButtonLatch, GroupButtonsLatchAndLetEachOtherGo) {
    ColorButtonLatch a, b;
    a.GroupIndex = b.GroupIndex = 2;
    a.ButtonDown(true);
    const auto latched = a.ButtonUp(true, true);
    EXPECT_TRUE(latched.tellGroup);
    EXPECT_TRUE(a.Down());
    EXPECT_FALSE(a.Leave());         // a latched button keeps its look outside
    EXPECT_FALSE(b.GroupPressed(2)); // b was up: nothing to change
    EXPECT_TRUE(b.SetDown(true).tellGroup);
    EXPECT_TRUE(a.GroupPressed(2));
    EXPECT_FALSE(a.Down());
    EXPECT_FALSE(b.ButtonUp(true, true).repaint); // down, no all-up: stays down
    EXPECT_TRUE(b.Down());
    b.AllowAllUp = true;
    EXPECT_TRUE(b.ButtonUp(true, true).repaint);
    EXPECT_FALSE(b.Down());
}
