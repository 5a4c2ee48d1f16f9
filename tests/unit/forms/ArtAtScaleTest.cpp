// The artwork drawn at other scales than the design's: the skin's spheres where the scaled discs
// are, with edges that never fade to the transparent black, and an outline the scan accepts;
// the check box strip with the same boxes in larger frames.
#include "controls/CheckboxArt.h"
#include "controls/RegionData.h"
#include "forms/LogoArt.h"
#include "forms/SkinArt.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace pelorine {
namespace {

// The window's four discs at the design's scale: centre x, centre y, radius.
constexpr struct {
    double cx, cy, r;
} kDiscs[] = {{104, 75, 75}, {221, 222, 140}, {306, 357, 50}, {100, 453, 100}};

TEST(ArtAtScale, SkinFillsExactlyTheScaledDiscsWithCleanEdgesAndScansToTheWindowsOutline) {
    for (const int dpi : {144, 192}) {
        const Scale scale(dpi);
        RasterImage skin = skin::DrawSkin(scale);
        ASSERT_EQ(skin.width, scale.Scaled(361));
        ASSERT_EQ(skin.height, scale.Scaled(553));
        const double f = scale.Factor();
        int wrong = 0, dim = 0;
        for (int y = 0; y < skin.height; ++y)
            for (int x = 1; x < skin.width; ++x) {
                const double px = (x + 0.5) / f, py = (y + 0.5) / f;
                bool inside = false;
                for (const auto& d : kDiscs)
                    inside = inside || (px - d.cx) * (px - d.cx) + (py - d.cy) * (py - d.cy) <= d.r * d.r;
                const std::uint8_t* p = skin.Row(y) + 3 * x;
                const bool opaque = p[0] || p[1] || p[2];
                wrong += opaque != inside;
                dim += opaque && p[1] < 60; // a blend towards black would show as a dark rim
            }
        EXPECT_EQ(wrong, 0) << dpi;
        EXPECT_EQ(dim, 0) << dpi;
        const std::optional<std::vector<Rect>> rects = DecodeRgnData(ExtractRgnData(skin));
        ASSERT_TRUE(rects);
        Rect box{skin.width, skin.height, 0, 0};
        for (const Rect& r : *rects)
            box = {std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
                   std::max(box.bottom, r.bottom)};
        // The design's outline spans (1, 0) to (361, 553); a disc ending on a pixel's centre may
        // leave the last row or column out.
        EXPECT_EQ(box.left, 1) << dpi;
        EXPECT_EQ(box.top, 0) << dpi;
        EXPECT_GE(box.right, skin.width - 1) << dpi;
        EXPECT_GE(box.bottom, skin.height - 1) << dpi;
    }
}

// Every pixel of the strip at 200 % shows the box (or not) as the design's pixel under it does,
// but for the anti-aliased edges; the frames keep their size rule.
TEST(ArtAtScale, CheckBoxStripAtTwiceTheSizeHoldsTheSameBoxesInLargerFrames) {
    const RasterImage design = checkbox_art::CheckBoxStripPixels(1),
                      twice = checkbox_art::CheckBoxStripPixels(2);
    ASSERT_EQ(design.width, 1008);
    ASSERT_EQ(design.height, 18);
    ASSERT_EQ(twice.width, 2016);
    ASSERT_EQ(twice.height, 36);
    auto transparent = [](const RasterImage& picture, int x, int y) {
        const std::uint8_t* p = picture.Row(y) + 3 * x;
        return p[0] == 0xFF && p[1] == 0 && p[2] == 0xFF;
    };
    EXPECT_TRUE(transparent(twice, 0, twice.height - 1));
    int differ = 0, drawn = 0;
    for (int y = 0; y < twice.height; ++y)
        for (int x = 0; x < twice.width; ++x) {
            drawn += !transparent(twice, x, y);
            differ += transparent(twice, x, y) != transparent(design, x / 2, y / 2);
        }
    EXPECT_GT(drawn, twice.width * twice.height / 3);
    EXPECT_LT(differ, drawn / 20);
}

// The logo at 150 %: its spheres where the design's are, and the name painted from a font's
// coverage in the gradient, its shadow beside it, the rest of the picture untouched.
TEST(ArtAtScale, LogoAtOneAndAHalfHoldsItsSpheresAndPaintsTheNameFromItsCoverage) {
    const Scale scale(144);
    RasterImage picture = logo::DrawLogoSpheres(scale);
    ASSERT_EQ(picture.width, 300);
    ASSERT_EQ(picture.height, 81);
    auto pixel = [&](int x, int y) {
        const std::uint8_t* p = picture.Row(y) + 3 * x;
        return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    };
    EXPECT_NE(pixel(36, 27), 0xFFFFFFu); // the big sphere's middle
    EXPECT_EQ(pixel(299, 0), 0xFFFFFFu); // the far corner stays white
    RasterImage coverage(picture.width, picture.height, 24);
    for (int y = 0; y < coverage.height; ++y)
        for (int x = 0; x < coverage.width; ++x)
            std::fill_n(coverage.Row(y) + 3 * x, 3,
                        std::uint8_t(x >= 150 && x < 160 && y >= 30 && y < 40 ? 0 : 255));
    logo::PaintLogoName(picture, coverage, scale);
    // The name's gradient runs from the lettering's top colour 0x5FF0E8 to its bottom colour
    // 0x00707C over rows 0 to 80: at row 30, 3/8 of the way, 95 - 35.6, 240 - 48, 232 - 40.5.
    EXPECT_EQ(pixel(155, 30), 0x3BC0C0u);
    EXPECT_LT(pixel(161, 41) & 0xFFu, 0xFFu); // the shadow, 3 pixels right and down
    EXPECT_EQ(pixel(200, 60), 0xFFFFFFu);
}

} // namespace
} // namespace pelorine
