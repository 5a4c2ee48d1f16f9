#include "imaging/PngWriter.h"

#include "imaging/ColorReduction.h"
#include "support/PngDecode.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pelorine {
namespace {

using testing_support::DecodedPng;
using testing_support::DecodePng;

// A desktop: flat window faces, a title bar gradient, lines of "text", a photo in a corner.
Pixmap Screenshot(int w, int h) {
    Pixmap p(w, h, MakeRgb(0, 120, 215));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (x > w / 8 && x < w * 7 / 8 && y > h / 8 && y < h * 7 / 8) {
                const bool title = y < h / 8 + 12;
                const bool glyph = !title && (y / 3) % 5 < 3 && ((x * 7 + y * 3) % 11 < 4);
                p.At(x, y) = title   ? MakeRgb(40 + x % 200, 40, 120)
                             : glyph ? MakeRgb(0, 0, 0)
                                     : MakeRgb(255, 255, 255);
            }
            if (x < w / 4 && y > h * 3 / 4)
                p.At(x, y) = MakeRgb((x * 13 + y) & 255, (y * 7) & 255, (x ^ y) & 255);
        }
    return p;
}

Pixmap Photograph(int w, int h) { return testing_support::PhotographLike(w, h, 99); }

void ExpectSamePixels(const std::optional<DecodedPng>& png, const Pixmap& picture) {
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->colourType, 2);
    EXPECT_EQ(png->bitDepth, 8);
    EXPECT_EQ(png->width, picture.width);
    EXPECT_EQ(png->height, picture.height);
    EXPECT_TRUE(
        std::equal(png->samples.begin(), png->samples.end(), picture.pixels.begin(), picture.pixels.end()));
}

void ExpectSamePixels(const std::optional<DecodedPng>& png, const IndexedImage& picture) {
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->colourType, picture.grey ? 0 : 3);
    EXPECT_EQ(png->bitDepth, picture.grey ? 8 : picture.bits);
    EXPECT_EQ(png->width, picture.width);
    EXPECT_EQ(png->height, picture.height);
    if (!picture.grey) {
        EXPECT_EQ(png->palette, picture.palette);
    }
    EXPECT_TRUE(
        std::equal(png->samples.begin(), png->samples.end(), picture.indices.begin(), picture.indices.end()));
    // Palette rows are stored unfiltered, as the platform's encoder stored them.
    if (!picture.grey) {
        EXPECT_TRUE(std::all_of(png->filters.begin(), png->filters.end(), [](int f) { return f == 0; }));
    }
}

// One thread and one band; two threads with bands of a few rows; more threads than bands.
const PngOptions kSplits[] = {{1, 1 << 30}, {2, 4000}, {3, 1 << 20}, {2, 1}};

TEST(PngWriter, FullColourDecodesToTheSamePixelsHoweverTheRowsAreSplit) {
    // Odd sizes: rows that are no multiple of four bytes, a band that ends with one row.
    for (const Pixmap& picture : {Screenshot(257, 131), Photograph(301, 97), Pixmap(1, 1, MakeRgb(1, 2, 3))})
        for (const PngOptions& split : kSplits) {
            SCOPED_TRACE(testing::Message() << picture.width << "x" << picture.height << " threads "
                                            << split.threads << " band " << split.bandBytes);
            ExpectSamePixels(DecodePng(EncodePng(picture, split)), picture);
        }
}

TEST(PngWriter, PaletteAndGreyPicturesKeepTheirDepth) {
    const Pixmap photo = Photograph(203, 77); // 203: the last byte of a 1- and 4-bit row is partial
    for (const IndexedImage& picture :
         {ReduceColours(photo, 1), ReduceColours(photo, 4), ReduceColours(photo, 8), ToGreyscale(photo),
          ReduceColours(Screenshot(203, 77), 8)})
        for (const PngOptions& split : kSplits) {
            SCOPED_TRACE(testing::Message() << picture.bits << " bits, grey " << picture.grey << ", threads "
                                            << split.threads << " band " << split.bandBytes);
            ExpectSamePixels(DecodePng(EncodePng(picture, split)), picture);
        }
}

TEST(PngWriter, ScreenshotsCompressWell) {
    const Pixmap desktop = Screenshot(640, 480);
    EXPECT_LT(EncodePng(desktop).size(), desktop.pixels.size() * 3 / 20);
}

TEST(PngWriter, RefusedPicturesAndRefusedWritesStopCleanly) {
    IndexedImage noPalette{4, 4, 8, false, {}, std::vector<std::uint8_t>(16)};
    EXPECT_TRUE(EncodePng(noPalette).empty());
    EXPECT_TRUE(EncodePng(Pixmap()).empty());
    // A sink that refuses the n-th piece: the helper threads must end, whatever band they hold.
    const Pixmap picture = Photograph(120, 200);
    for (int refuse = 0; refuse < 40; ++refuse) {
        int pieces = 0;
        const bool ok = StreamPng(picture, [&](ByteView) { return pieces++ < refuse; }, {2, 3000});
        EXPECT_EQ(ok, pieces <= refuse) << refuse;
        EXPECT_LE(pieces, refuse + 1) << "a piece offered after the refusal, " << refuse;
    }
}

} // namespace
} // namespace pelorine
