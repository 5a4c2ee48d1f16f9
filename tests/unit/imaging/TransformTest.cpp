#include "imaging/Transform.h"

#include <gtest/gtest.h>

namespace pelorine {
namespace {

// 3 × 2 grid:  a b c
//              d e f
const std::vector<char> kGrid{'a', 'b', 'c', 'd', 'e', 'f'};

TEST(RotateCounterClockwise, QuarterTurnPutsTopRightAtTopLeft) {
    // c f / b e / a d : 2 wide, 3 high
    EXPECT_EQ(RotateCounterClockwise(kGrid, 3, 2, 90), (std::vector<char>{'c', 'f', 'b', 'e', 'a', 'd'}));
}

TEST(RotateCounterClockwise, HalfTurnReversesEverything) {
    EXPECT_EQ(RotateCounterClockwise(kGrid, 3, 2, 180), (std::vector<char>{'f', 'e', 'd', 'c', 'b', 'a'}));
}

TEST(RotateCounterClockwise, ThreeQuartersIsAClockwiseQuarterTurn) {
    // d a / e b / f c
    EXPECT_EQ(RotateCounterClockwise(kGrid, 3, 2, 270), (std::vector<char>{'d', 'a', 'e', 'b', 'f', 'c'}));
}

TEST(FitInBox, WideSourceIsBoundByWidthAndCentredVertically) {
    EXPECT_EQ(FitInBox(200, 100, 100, 100), (Placement{0, 25, 100, 50}));
}

TEST(FitInBox, TallSourceIsBoundByHeightAndCentredHorizontally) {
    EXPECT_EQ(FitInBox(480, 640, 640, 480), (Placement{140, 0, 360, 480}));
}

TEST(FitInBox, SameProportionsFillTheBox) {
    EXPECT_EQ(FitInBox(1024, 768, 640, 480), (Placement{0, 0, 640, 480}));
}

TEST(FitInBox, ExtremeProportionsKeepAtLeastOnePixel) {
    EXPECT_EQ(FitInBox(10000, 1, 10, 10), (Placement{0, 4, 10, 1}));
}

TEST(Resample, SameSizeCopiesExactly) {
    Pixmap src(3, 2);
    for (std::size_t i = 0; i < src.pixels.size(); ++i)
        src.pixels[i] = Rgb(i * 0x112233);
    EXPECT_EQ(Resample(src, 3, 2).pixels, src.pixels);
}

TEST(Resample, ShrinkingAveragesTheCoveredArea) {
    Pixmap src(4, 2, 0);
    src.At(0, 0) = src.At(1, 1) = MakeRgb(200, 100, 40); // half of the left 2 × 2 block
    const Pixmap dst = Resample(src, 2, 1);
    EXPECT_EQ(dst.At(0, 0), MakeRgb(100, 50, 20));
    EXPECT_EQ(dst.At(1, 0), 0u);
}

TEST(Resample, ShrinkingByAFractionWeighsPartialPixels) {
    Pixmap src(3, 1);
    src.pixels = {MakeRgb(0, 0, 0), MakeRgb(90, 90, 90), MakeRgb(180, 180, 180)};
    const Pixmap dst = Resample(src, 2, 1); // each covers 1.5 source pixels
    EXPECT_EQ(dst.At(0, 0), MakeRgb(30, 30, 30));
    EXPECT_EQ(dst.At(1, 0), MakeRgb(150, 150, 150));
}

TEST(Resample, EnlargingInterpolatesBetweenNeighbours) {
    Pixmap src(2, 1);
    src.pixels = {MakeRgb(0, 0, 0), MakeRgb(200, 200, 200)};
    const Pixmap dst = Resample(src, 4, 1);
    EXPECT_EQ(dst.At(0, 0), MakeRgb(0, 0, 0)); // clamped at the edge
    EXPECT_EQ(dst.At(1, 0), MakeRgb(50, 50, 50));
    EXPECT_EQ(dst.At(2, 0), MakeRgb(150, 150, 150));
    EXPECT_EQ(dst.At(3, 0), MakeRgb(200, 200, 200));
}

TEST(ResampleToFit, MarginsAreWhiteAndThePictureIsCentred) {
    const Pixmap dst = ResampleToFit(Pixmap(20, 10, 0x123456), 10, 10);
    ASSERT_EQ(dst.width, 10);
    ASSERT_EQ(dst.height, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(dst.At(x, y), y >= 2 && y < 7 ? 0x123456u : kWhite) << x << "," << y;
}

} // namespace
} // namespace pelorine
