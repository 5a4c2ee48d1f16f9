#include "controls/RegionData.h"
#include "support/ErrorText.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

namespace pelorine {
namespace {

// A 24-bit picture drawn from text rows: '.' is black (the transparent colour when it is the
// bottom-left pixel), '#' white, 'r' a black with one unit of red.
RasterImage Picture(const std::vector<std::string>& rows) {
    RasterImage p(int(rows[0].size()), int(rows.size()), 24);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const char c = rows[size_t(y)][size_t(x)];
            std::uint8_t* px = p.Row(y) + 3 * x;
            px[0] = px[1] = px[2] = c == '#' ? 255 : 0;
            if (c == 'r') px[2] = 1;
        }
    return p;
}

std::vector<Rect> RectsOf(const std::vector<std::uint8_t>& blob) {
    auto rects = DecodeRgnData(blob);
    EXPECT_TRUE(rects.has_value());
    return rects.value_or(std::vector<Rect>{});
}

// What the scan of the picture raises.
std::wstring ScanError(RasterImage picture) {
    return testing_support::ErrorOf([&] { ExtractRgnData(picture); });
}

// A row of `runs` single opaque pixels two apart, padded with transparent pixels to `width`,
// over a transparent row that gives the bottom-left colour.
RasterImage RunsRow(int runs, int width) {
    std::string row(size_t(width), '.');
    for (int i = 0; i < runs; ++i)
        row[size_t(2 * i)] = '#';
    return Picture({row, std::string(size_t(width), '.')});
}

TEST(RegionData, AnAllTransparentPictureGivesAHeaderOnly) {
    RasterImage p = Picture({"...", "..."});
    const auto blob = ExtractRgnData(p);
    ASSERT_EQ(blob.size(), kRgnDataHeaderSize);
    EXPECT_EQ(std::pair(blob[0], blob[4]),
              (std::pair<std::uint8_t, std::uint8_t>(32, 1))); // header size, type
    EXPECT_TRUE(RectsOf(blob).empty());
}

TEST(RegionData, RowsBecomeBandsAndEqualNeighbouringRowsMerge) {
    RasterImage p = Picture({".##.#",   // two runs
                             ".##.#",   // same spans: the band grows
                             ".r...",   // one channel off black is opaque
                             ".....",   // empty: nothing
                             ".r..."}); // same spans as two rows up, but not adjacent
    const auto blob = ExtractRgnData(p);
    EXPECT_EQ(RectsOf(blob), (std::vector<Rect>{{1, 0, 3, 2}, {4, 0, 5, 2}, {1, 2, 2, 3}, {1, 4, 2, 5}}));
    const std::array<std::uint8_t, 4> bounds{blob[16], blob[20], blob[24], blob[28]};
    EXPECT_EQ(bounds, (std::array<std::uint8_t, 4>{1, 0, 5, 5}));
}

TEST(RegionData, ARowHoldsAtMost101Runs) {
    RasterImage endsAtLast = RunsRow(101, 201);
    EXPECT_EQ(RectsOf(ExtractRgnData(endsAtLast)).size(), 101u) << "ends at the last pixel";
    RasterImage endsBeforeLast = RunsRow(101, 202);
    EXPECT_EQ(RectsOf(ExtractRgnData(endsBeforeLast)).size(), 101u);
    EXPECT_EQ(ScanError(RunsRow(101, 203)), L"ﾋﾞｯﾄﾏｯﾌﾟの形状が不適です") << "pixels left after the 101st run";
    EXPECT_EQ(ScanError(RunsRow(102, 203)), L"ﾋﾞｯﾄﾏｯﾌﾟの形状が不適です");
}

TEST(RegionData, EmptyAndZeroSizedPicturesAreRefused) {
    EXPECT_EQ(ScanError(RasterImage()), L"ﾋﾞｯﾄﾏｯﾌﾟが正しくｾｯﾄされていません");
    EXPECT_EQ(ScanError(RasterImage(0, 4, 24)), L"幅または高さが 0 です");
}

TEST(RegionData, PalettePicturesCompareIndicesNotColours) {
    RasterImage p(4, 2, 8);
    p.palette = {0, 0, 0, 0x00FF00, 0, 0, 0, 0x00FF00}; // entries 3 and 7: the same green
    const std::uint8_t top[] = {3, 7, 7, 3}, bottom[] = {3, 3, 3, 3};
    std::copy(top, top + 4, p.Row(0));
    std::copy(bottom, bottom + 4, p.Row(1));
    EXPECT_EQ(RectsOf(ExtractRgnData(p)), (std::vector<Rect>{{1, 0, 3, 1}}));
}

TEST(RegionData, OtherDepthsAreNormalisedFirst) {
    RasterImage mono(10, 2, 1); // 1 = opaque in the top row: bits 0100 1100 11.. ....
    mono.palette = {0, 0xFFFFFF};
    mono.Row(0)[0] = 0x4C;
    mono.Row(0)[1] = 0xC0;
    EXPECT_EQ(RectsOf(ExtractRgnData(mono)), (std::vector<Rect>{{1, 0, 2, 1}, {4, 0, 6, 1}, {8, 0, 10, 1}}));
    EXPECT_EQ(mono.bits, 8);
    EXPECT_EQ(mono.Row(0)[4], 1);

    RasterImage highColour(3, 2, 16); // 5-6-5: only the middle pixel of the top row differs
    highColour.Row(0)[2] = 0x20;      // green's lowest bit
    EXPECT_EQ(RectsOf(ExtractRgnData(highColour)), (std::vector<Rect>{{1, 0, 2, 1}}));
    EXPECT_EQ(highColour.bits, 24);
}

TEST(RegionData, TheReaderRefusesMalformedBlobs) {
    const auto good = EncodeRgnData({{0, 0, 2, 1}, {1, 1, 3, 2}});
    ASSERT_EQ(DecodeRgnData(good)->size(), 2u);
    auto broken = [&](size_t at, std::uint8_t value) {
        auto b = good;
        b[at] = value;
        return DecodeRgnData(b).has_value();
    };
    EXPECT_FALSE(broken(0, 40)) << "header size";
    EXPECT_FALSE(broken(4, 2)) << "type";
    EXPECT_FALSE(broken(8, 3)) << "count";
    EXPECT_FALSE(broken(12, 16)) << "list size";
    EXPECT_FALSE(broken(32 + 8, 0)) << "right not past left";
    EXPECT_FALSE(broken(48 + 12, 1)) << "bottom not past top";
    EXPECT_FALSE(DecodeRgnData(std::span(good).first(good.size() - 1)).has_value());
    EXPECT_FALSE(DecodeRgnData({}).has_value());
}

} // namespace
} // namespace pelorine
