// Linear gradients of pictures: the colour of each row or column, and pictures one pixel across.
#include "framework/Gradient.h"

#include <gtest/gtest.h>

using namespace pelorine;

namespace {
// The pixel's colour as 0x00BBGGRR, read from the blue, green, red bytes of a 24-bit picture.
TColor PixelAt(const RasterImage& picture, int x, int y) {
    const std::uint8_t* p = picture.Row(y) + std::size_t(x) * 3;
    return MakeColor(p[2], p[1], p[0]);
}
constexpr ColorChannels kFrom = SplitColor(TColor{0x00C08000}), kTo = SplitColor(TColor{0x00000000});
} // namespace

TEST(GradBitmap, VerticalRunsFromTopToBottomAcrossEveryColumn) {
    RasterImage picture(3, 5, 24);
    GradBitmap(picture, kFrom, kTo, true);
    // Blue 0xC0 and green 0x80 fall to 0 in four steps: t = y / 4, each truncated.
    const TColor rows[] = {TColor{0xC08000}, TColor{0x906000}, TColor{0x604000}, TColor{0x302000},
                           TColor{0x000000}};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(PixelAt(picture, x, y), rows[y]) << x << "," << y;
}

TEST(GradBitmap, HorizontalRunsFromLeftToRightDownEveryRow) {
    RasterImage picture(4, 3, 24);
    GradBitmap(picture, SplitColor(TColor{0x0000FF}), SplitColor(TColor{0xFF0000}), false);
    const TColor columns[] = {TColor{0x0000FF}, TColor{0x5500AA}, TColor{0xAA0055}, TColor{0xFF0000}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelAt(picture, x, y), columns[x]) << x << "," << y;
}

TEST(GradBitmap, OnePixelAlongTheGradientIsTheStartColourAndNoPixelsAreLeftAlone) {
    RasterImage row(4, 1, 24), column(1, 4, 24);
    GradBitmap(row, kFrom, kTo, true);
    GradBitmap(column, kFrom, kTo, false);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(PixelAt(row, k, 0), TColor{0xC08000});
        EXPECT_EQ(PixelAt(column, 0, k), TColor{0xC08000});
    }
    // One pixel across the gradient is still the whole gradient.
    RasterImage thin(1, 3, 24);
    GradBitmap(thin, kFrom, kTo, true);
    EXPECT_EQ(PixelAt(thin, 0, 1), TColor{0x604000});

    RasterImage empty(0, 5, 24);
    GradBitmap(empty, kFrom, kTo, true); // nothing to write, nothing touched
    EXPECT_TRUE(empty.bytes.empty());
}
