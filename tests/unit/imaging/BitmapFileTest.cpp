#include "imaging/BitmapFile.h"
#include "base/Pixmap.h"
#include "support/Bytes.h"
#include "support/BitmapFiles.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pelorine {
namespace {

using testing_support::Le32;

// Odd widths make every depth pad its rows.
TEST(EncodeBitmapFile, EveryDepthReadsBackWithAHeaderThatCoversTheFile) {
    Pixmap colour(5, 3);
    for (int i = 0; i < 15; ++i)
        colour.pixels[std::size_t(i)] = MakeRgb(i * 17, 255 - i, i * 3);
    const std::vector<std::uint8_t> full = EncodeBitmapFile(colour);
    ASSERT_EQ(Le32(full, 2), full.size());
    const auto back = ReadBitmapFile(full);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->bits, 24);
    EXPECT_EQ(back->Row(2)[3 * 4 + 2], RedOf(colour.At(4, 2)));
    EXPECT_EQ(back->Row(0)[0], BlueOf(colour.At(0, 0)));

    for (const int bits : {1, 4, 8}) {
        IndexedImage indexed{7, 2, bits, false, {0x102030, 0xFFEEDD}, {}};
        for (int i = 0; i < 14; ++i)
            indexed.indices.push_back(std::uint8_t(i % 3 == 0));
        const std::vector<std::uint8_t> file = EncodeBitmapFile(indexed);
        ASSERT_EQ(Le32(file, 2), file.size()) << bits;
        EXPECT_EQ(Le32(file, 46), 2u) << "colours used";
        EXPECT_EQ(file[54 + 3], 0) << "reserved byte of the table";
        const auto read = ReadBitmapFile(file);
        ASSERT_TRUE(read) << bits;
        EXPECT_EQ(read->palette, indexed.palette);
        for (int x = 0; x < 7; ++x) {
            const int shift = 8 - bits * (x % (8 / bits) + 1);
            const int index = read->Row(1)[x / (8 / bits)] >> shift & ((1 << bits) - 1);
            EXPECT_EQ(index, indexed.At(x, 1)) << bits << " x " << x;
        }
    }
}

// A raster picture (as the artwork tools write it) and a palette one survive their files; a cut
// or foreign file is refused.
TEST(WriteBitmapFile, PicturesSurviveTheFileAndCutOrForeignFilesAreRefused) {
    RasterImage p(3, 2, 24);
    for (int y = 0; y < 2; ++y)
        for (int i = 0; i < 9; ++i) // not the rows' padding
            p.Row(y)[i] = std::uint8_t(37 * (9 * y + i) + 1);
    const auto read = ReadBitmapFile(WriteBitmapFile(p));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->bytes, p.bytes);

    RasterImage indexed(3, 1, 8);
    indexed.palette = {0x102030, 0x405060};
    indexed.Row(0)[1] = 1;
    const auto readIndexed = ReadBitmapFile(WriteBitmapFile(indexed));
    ASSERT_TRUE(readIndexed.has_value());
    EXPECT_EQ(readIndexed->palette, indexed.palette);
    EXPECT_EQ(readIndexed->bytes, indexed.bytes);

    auto file = WriteBitmapFile(p);
    file.resize(file.size() - 1);
    EXPECT_FALSE(ReadBitmapFile(file).has_value()) << "truncated";
    EXPECT_FALSE(ReadBitmapFile(std::vector<std::uint8_t>(64, 'B')).has_value());
}

// Rows so wide that two fill a band: three bands, the last one short, each row in its place;
// a refusing receiver stops the stream.
TEST(StreamBitmapFile, RowsKeepTheirPlacesAcrossBandsAndARefusalStops) {
    Pixmap wide(30000, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 30000; x += 997)
            wide.At(x, y) = MakeRgb(y * 40, x % 256, 7);
    const auto back = ReadBitmapFile(EncodeBitmapFile(wide));
    ASSERT_TRUE(back);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 30000; x += 997) {
            const std::uint8_t* px = back->Row(y) + 3 * x;
            ASSERT_EQ(MakeRgb(px[2], px[1], px[0]), wide.At(x, y)) << x << "," << y;
        }
    int pieces = 0;
    EXPECT_FALSE(StreamBitmapFile(wide, [&](std::span<const std::uint8_t>) { return ++pieces < 2; }));
    EXPECT_EQ(pieces, 2);
}

// A 32-bit file as the hand-off writes it, rows bottom-up with junk in the padding byte.
std::vector<std::uint8_t> ThirtyTwoBitFile(int width, int height, std::uint32_t compression) {
    std::vector<std::uint8_t> file =
        testing_support::BitmapHeader(width, height, 32, compression, 0, compression == 3 ? 66 : 54);
    if (compression == 3) {
        file.resize(66);
        const std::uint32_t masks[] = {0xFF0000, 0xFF00, 0xFF};
        std::memcpy(&file[54], masks, sizeof masks);
    }
    for (int i = 0; i < width * std::abs(height); ++i)
        file.insert(file.end(), {std::uint8_t(i), 0x22, 0x33, 0xEE});
    return file;
}

TEST(DirectRows, PlainThirtyTwoBitFilesAreReadInPlaceAndOthersAreLeftToTheDecoder) {
    for (const std::uint32_t compression : {0u, 3u}) {
        const std::vector<std::uint8_t> file = ThirtyTwoBitFile(3, 2, compression);
        const auto rows = FindDirectRows(file, file.size());
        ASSERT_TRUE(rows) << compression;
        EXPECT_EQ(rows->pixelsAt, compression == 3 ? 66u : 54u);
        // The rows placed one at a time, as a reader that takes the file in pieces does.
        Pixmap picture(rows->width, rows->height);
        for (int stored = 0; stored < 2; ++stored) {
            Rgb row[3];
            std::memcpy(row, file.data() + rows->pixelsAt + std::size_t(stored) * 12, 12);
            PlaceDirectRows(row, stored, 1, rows->bottomUp, picture);
        }
        EXPECT_EQ(picture.At(0, 0), 0x332203u) << "the last row stored is the top one, padding cleared";
        EXPECT_EQ(picture.At(2, 1), 0x332202u);
    }
    const std::vector<std::uint8_t> topDown = ThirtyTwoBitFile(2, -3, 0);
    EXPECT_FALSE(FindDirectRows(topDown, topDown.size())->bottomUp);

    std::vector<std::uint8_t> truncated = ThirtyTwoBitFile(4, 4, 0);
    EXPECT_FALSE(FindDirectRows(truncated, truncated.size() - 1));
    std::vector<std::uint8_t> otherMasks = ThirtyTwoBitFile(2, 2, 3);
    otherMasks[54] = 0xFF; // alpha-like masks are not the plain layout
    EXPECT_FALSE(FindDirectRows(otherMasks, otherMasks.size()));
    std::vector<std::uint8_t> twentyFour = ThirtyTwoBitFile(2, 2, 0);
    twentyFour[28] = 24;
    EXPECT_FALSE(FindDirectRows(twentyFour, twentyFour.size()));
    std::vector<std::uint8_t> huge = ThirtyTwoBitFile(1, 1, 0);
    huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F; // width 2^31 - 1
    EXPECT_FALSE(FindDirectRows(huge, 0xFFFFFFFFFFull));
}

} // namespace
} // namespace pelorine
