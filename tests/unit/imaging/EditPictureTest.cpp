#include "imaging/EditPicture.h"

#include "framework/Error.h"
#include "imaging/SaveNaming.h"
#include "support/ErrorText.h"

#include <gtest/gtest.h>

#include <utility>

namespace pelorine {
namespace {

Pixmap Ramp(int w, int h) {
    Pixmap p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.At(x, y) = MakeRgb(x * 255 / std::max(1, w - 1), y * 255 / std::max(1, h - 1), 128);
    return p;
}

using PictureSize = std::pair<int, int>;
PictureSize SizeOf(const EditPicture& picture) { return {picture.Width(), picture.Height()}; }

TEST(EditPicture, ScaleModeSizes) {
    EXPECT_EQ(ScaledSize(50, 1023), 511);
    EXPECT_EQ(ScaledSize(50, 767), 383);
    EXPECT_EQ(ScaledSize(1, 50), 0);
    EXPECT_EQ(ScaledSize(1000, 9999), 99990);
    // Exact in integers where percent × 0.01 in floating point falls just short.
    EXPECT_EQ(ScaledSize(29, 100), 29);
    EXPECT_EQ(ScaledSize(58, 50), 29);
    EXPECT_EQ(ScaledSize(58, 100), 58);
}

TEST(EditPicture, ASizeBeyondTheLimitIsReportedNotSkipped) {
    EXPECT_NO_THROW(CheckResizeSize(12800, 10240)); // 1000 % of a 1280 × 1024 screen
    EXPECT_NO_THROW(CheckResizeSize(0, 0));         // refused by the resize itself, as before
    EXPECT_EQ(testing_support::ErrorOf([] { CheckResizeSize(19200, 10800); }), // 1000 % of 1920 × 1080
              L"画像を 19200×10800 ピクセルに変更できません (大きすぎます)");
    EditPicture picture(Ramp(4, 4));
    EXPECT_FALSE(picture.Resize(19200, 10800, false)); // what would have been skipped silently
}

TEST(EditPicture, ResizeToZeroIsRefusedAndChangesNothing) {
    EditPicture picture(Ramp(50, 40));
    EXPECT_FALSE(picture.Resize(ScaledSize(1, 50), ScaledSize(1, 40), false));
    EXPECT_FALSE(picture.Resize(10, 0, true));
    EXPECT_EQ(SizeOf(picture), PictureSize(50, 40));
    EXPECT_EQ(picture.Colour().pixels, Ramp(50, 40).pixels);
}

TEST(EditPicture, ResizeHonoursTheBoxInBothModes) {
    EditPicture stretched(Ramp(1023, 767));
    ASSERT_TRUE(stretched.Resize(511, 383, false));
    EXPECT_EQ(SizeOf(stretched), PictureSize(511, 383));
    EditPicture fitted(Ramp(100, 50));
    ASSERT_TRUE(fitted.Resize(64, 64, true));
    EXPECT_EQ(SizeOf(fitted), PictureSize(64, 64));
    EXPECT_EQ(fitted.Colour().At(0, 0), kWhite);
}

TEST(EditPicture, ClockwiseQuarterThenPixelsGivesTheBox) {
    EditPicture picture(Ramp(48, 32));
    ASSERT_TRUE(picture.Rotate(*RotationForItem(1)));
    EXPECT_EQ(SizeOf(picture), PictureSize(32, 48));
    ASSERT_TRUE(picture.Resize(64, 48, false));
    EXPECT_EQ(SizeOf(picture), PictureSize(64, 48));
}

TEST(EditPicture, OtherAnglesAreRefused) {
    EditPicture picture(Ramp(4, 3));
    for (const int degrees : {0, 45, 360, -90, 91})
        EXPECT_FALSE(picture.Rotate(degrees)) << degrees;
    EXPECT_EQ(picture.Colour().pixels, Ramp(4, 3).pixels);
}

TEST(EditPicture, IndexedPictureTurnsWithoutLosingItsPalette) {
    EditPicture picture(Ramp(5, 3));
    ASSERT_TRUE(picture.ChangeColorDepth(4));
    const Pixmap before = picture.ToColour();
    ASSERT_TRUE(picture.Rotate(90));
    ASSERT_TRUE(picture.IsIndexed());
    EXPECT_EQ(picture.Indexed().bits, 4);
    EXPECT_EQ(picture.ToColour().At(0, 0), before.At(4, 0));
}

TEST(EditPicture, IndexedPictureKeepsItsDepthThroughAResize) {
    EditPicture picture(Ramp(40, 30));
    ASSERT_TRUE(picture.ChangeColorDepth(9));
    ASSERT_TRUE(picture.Resize(20, 20, true));
    EXPECT_EQ(picture.DepthCode(), 9);
    EXPECT_TRUE(picture.Indexed().grey);
    ASSERT_TRUE(picture.ChangeColorDepth(1));
    ASSERT_TRUE(picture.Resize(30, 10, false));
    EXPECT_EQ(picture.DepthCode(), 1);
    EXPECT_LE(picture.Indexed().palette.size(), 2u);
}

// The next load fills the memory the picture lends, also after a reduction has left it
// indexed: the reduced picture must not have freed it.
TEST(EditPicture, TakingTheColourLeavesItEmptyAndLendsTheMemory) {
    EditPicture full(Ramp(40, 30));
    const Pixmap taken = full.TakeColour();
    EXPECT_EQ(taken.pixels.size(), 1200u);
    EXPECT_EQ(taken.At(39, 0), MakeRgb(255, 0, 128));
    EXPECT_TRUE(full.Empty());

    EditPicture reduced(Ramp(40, 30));
    ASSERT_TRUE(reduced.ChangeColorDepth(8));
    EXPECT_EQ(reduced.Width(), 40);
    Pixmap memory = reduced.TakeColour();
    EXPECT_TRUE(reduced.Empty());
    EXPECT_TRUE(memory.pixels.empty());
    EXPECT_GE(memory.pixels.capacity(), 1200u);
    memory.Reshape(20, 10);
    EXPECT_EQ(memory.pixels.size(), 200u);
}

TEST(EditPicture, FullColourUndoesAReductionAndUnknownCodesAreRefused) {
    EditPicture picture(Ramp(8, 8));
    ASSERT_TRUE(picture.ChangeColorDepth(8));
    ASSERT_TRUE(picture.ChangeColorDepth(12));
    EXPECT_FALSE(picture.IsIndexed());
    EXPECT_FALSE(picture.ChangeColorDepth(24));
    EXPECT_FALSE(EditPicture().ChangeColorDepth(8));
}

} // namespace
} // namespace pelorine
