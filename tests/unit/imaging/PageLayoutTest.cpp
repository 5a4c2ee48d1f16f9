#include "imaging/PageLayout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace pelorine {
namespace {

// A4 at 300 dpi with no unprintable edge.
PageMetrics A4(int dpi = 300) {
    const int width = MillimetresToDevice(210, dpi);
    const int height = MillimetresToDevice(297, dpi);
    return {width, height, 0, 0, width, height, dpi, dpi};
}

PageMargins Margins(float all) { return {all, all, all, all}; }

TEST(PageLayout, MillimetresToDeviceUnitsRoundToNearest) {
    EXPECT_EQ(MillimetresToDevice(0, 300), 0);
    EXPECT_EQ(MillimetresToDevice(25.4f, 72), 72);
    EXPECT_EQ(MillimetresToDevice(10, 72), 28);   // 28.35
    EXPECT_EQ(MillimetresToDevice(10, 300), 118); // 118.11
    EXPECT_EQ(MillimetresToDevice(15, 300), 177); // 177.17
    EXPECT_EQ(MillimetresToDevice(1, 600), 24);   // 23.62
    EXPECT_EQ(MillimetresToDevice(255, 600), 6024);
}

// 300 dpi A4 whose printer cannot print the outer 5 mm (59 units).
PageMetrics A4WithUnprintableEdge() {
    PageMetrics page = A4();
    page.offsetX = page.offsetY = 59;
    page.printableWidth = page.paperWidth - 2 * 59;
    page.printableHeight = page.paperHeight - 2 * 59;
    return page;
}

TEST(PageLayout, MarginsCountFromThePaperEdgeNotThePrintableArea) {
    const PageMetrics page = A4WithUnprintableEdge();
    const PageLayout layout = LayOutPage(page, {20, 10, 15, 25}, 0, 0, 10, 10);
    ASSERT_TRUE(layout.ok);
    EXPECT_EQ(layout.area,
              (Rect{177 - 59, 236 - 59, page.paperWidth - 295 - 59, page.paperHeight - 118 - 59}));
}

TEST(PageLayout, MarginInsideTheUnprintableEdgeIsWidenedToIt) {
    const PageMetrics page = A4WithUnprintableEdge();
    EXPECT_EQ(LayOutPage(page, Margins(0), 0, 0, 10, 10).area,
              (Rect{0, 0, page.printableWidth, page.printableHeight}));
}

TEST(PageLayout, SmallPictureKeepsNaturalSizeCentred) {
    // 96 px = one inch = 300 units at 300 dpi; area is 2480 - 2 * 118 wide.
    const PageLayout layout = LayOutPage(A4(), Margins(10), 0, 0, 192, 96);
    ASSERT_TRUE(layout.ok);
    EXPECT_EQ(layout.picture.Width(), 600);
    EXPECT_EQ(layout.picture.Height(), 300);
    EXPECT_EQ(layout.picture.left - layout.area.left, layout.area.right - layout.picture.right);
    EXPECT_EQ(layout.picture.top - layout.area.top, layout.area.bottom - layout.picture.bottom);
}

TEST(PageLayout, NaturalSizeFollowsEachAxisResolution) {
    PageMetrics page = A4();
    page.dpiY = 600;
    page.paperHeight = page.printableHeight = MillimetresToDevice(297, 600);
    const PageLayout layout = LayOutPage(page, Margins(0), 0, 0, 96, 96);
    EXPECT_EQ(layout.picture.Width(), 300);
    EXPECT_EQ(layout.picture.Height(), 600);
}

TEST(PageLayout, WideLandscapePictureShrinksToTheWidth) {
    const PageLayout layout = LayOutPage(A4(), Margins(10), 0, 0, 4000, 1000);
    ASSERT_TRUE(layout.ok);
    EXPECT_EQ(layout.picture.left, layout.area.left);
    EXPECT_EQ(layout.picture.right, layout.area.right);
    EXPECT_NEAR(layout.picture.Height(), layout.area.Width() / 4.0, 1);
}

TEST(PageLayout, TallPortraitPictureShrinksToTheHeight) {
    const PageLayout layout = LayOutPage(A4(), Margins(10), 0, 0, 1000, 4000);
    ASSERT_TRUE(layout.ok);
    EXPECT_EQ(layout.picture.top, layout.area.top);
    EXPECT_EQ(layout.picture.bottom, layout.area.bottom);
    EXPECT_NEAR(layout.picture.Width(), layout.area.Height() / 4.0, 1);
    EXPECT_NEAR(layout.picture.left - layout.area.left, layout.area.right - layout.picture.right, 1);
}

TEST(PageLayout, PictureSitsBetweenHeaderAndFooterBands) {
    const PageLayout layout = LayOutPage(A4(), Margins(10), 40, 30, 1000, 4000);
    ASSERT_TRUE(layout.ok);
    EXPECT_EQ(layout.header,
              (Rect{layout.area.left, layout.area.top, layout.area.right, layout.area.top + 40}));
    EXPECT_EQ(layout.footer,
              (Rect{layout.area.left, layout.area.bottom - 30, layout.area.right, layout.area.bottom}));
    EXPECT_EQ(layout.picture.top, layout.header.bottom);
    EXPECT_EQ(layout.picture.bottom, layout.footer.top);
}

TEST(PageLayout, EmptyHeaderAndFooterTakeNoRoom) {
    const PageLayout layout = LayOutPage(A4(), Margins(10), 0, 0, 1000, 4000);
    EXPECT_EQ(layout.header.Height(), 0);
    EXPECT_EQ(layout.footer.Height(), 0);
    EXPECT_EQ(layout.picture.top, layout.area.top);
}

TEST(PageLayout, MarginsLeavingNoRoomFail) {
    // 72 dpi A4: 595 x 842 units.
    const PageMetrics page = A4(72);
    for (const auto& [margins, header, footer] : {
             std::tuple{PageMargins{0, 0, 105, 105}, 0, 0}, // left and right meet
             std::tuple{PageMargins{0, 0, 220, 0}, 0, 0},   // left margin wider than the paper
             std::tuple{PageMargins{255, 255, 255, 255}, 0, 0},
             std::tuple{PageMargins{140, 140, 0, 0}, 24, 24}, // bands eat the last 48 units
         }) {
        EXPECT_FALSE(LayOutPage(page, margins, header, footer, 10, 10).ok)
            << margins.top << " " << margins.bottom << " " << margins.left << " " << margins.right;
    }
    EXPECT_TRUE(LayOutPage(page, {140, 140, 0, 0}, 0, 0, 10, 10).ok);
}

TEST(PageLayout, PictureWithoutPixelsFails) { EXPECT_FALSE(LayOutPage(A4(), Margins(10), 0, 0, 0, 10).ok); }

TEST(PageLayout, ExtremeProportionsKeepAtLeastOneUnit) {
    const PageLayout layout = LayOutPage(A4(72), Margins(10), 0, 0, 100000, 1);
    ASSERT_TRUE(layout.ok);
    EXPECT_EQ(layout.picture.Height(), 1);
    EXPECT_EQ(layout.picture.Width(), layout.area.Width());
}

} // namespace
} // namespace pelorine
