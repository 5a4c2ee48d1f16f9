#include "framework/Error.h"
#include "framework/Handles.h"
#include "imaging/BitmapFile.h"
#include "imaging/ImagePrint.h"
#include "support/PixelBox.h"
#include "support/Printer.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <winspool.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace pelorine {
namespace {

constexpr Rgb kRed = MakeRgb(255, 0, 0);
constexpr int kDpi = 100;

// A4 at 100 dpi on a white 32-bit DIB section, so pixels can be read back directly.
class PageCanvas {
  public:
    PageCanvas() {
        page_.paperWidth = page_.printableWidth = MillimetresToDevice(210, kDpi);
        page_.paperHeight = page_.printableHeight = MillimetresToDevice(297, kDpi);
        page_.dpiX = page_.dpiY = kDpi;
        BITMAPINFO info{};
        info.bmiHeader = {
            sizeof info.bmiHeader, page_.paperWidth, -page_.paperHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<Rgb*>(bits);
        std::fill_n(bits_, page_.paperWidth * page_.paperHeight, kWhite);
        selected_.emplace(dc_.get(), bitmap_.get());
    }
    HDC Dc() const { return dc_.get(); }
    const PageMetrics& Page() const { return page_; }
    Rgb At(int x, int y) const { return bits_[y * page_.paperWidth + x] & 0xFFFFFF; }

    // Smallest rectangle holding every pixel that matches, within `where` (the whole page);
    // nothing when no pixel does.
    template <typename Match> std::optional<Rect> Bounds(Match match, std::optional<Rect> where = {}) const {
        return testing_support::BoxOf(
            where.value_or(Rect{0, 0, page_.paperWidth, page_.paperHeight}),
            [&](int x, int y) { return At(x, y); }, match);
    }

  private:
    PageMetrics page_;
    UniqueMemDc dc_{CreateCompatibleDC(nullptr)};
    UniqueBitmap bitmap_;
    Rgb* bits_ = nullptr;
    std::optional<SelectGuard> selected_;
};

bool IsRed(Rgb c) { return c == kRed; }
// Text is black, smoothed to greys at its edges: dark, and grey (not the red picture).
bool IsText(Rgb c) { return c != kWhite && c != kRed && RedOf(c) == GreenOf(c) && RedOf(c) < 0xC0; }

PageDecoration Decoration(std::wstring header, std::wstring footer, float margin = 10) {
    return {std::move(header), std::move(footer), {margin, margin, margin, margin}};
}

TEST(DrawPage, SmallPictureAtNaturalSizeCentredWithNothingElseDrawn) {
    PageCanvas canvas;
    const long gdiBefore = LiveGdiObjects();
    DrawPage(canvas.Dc(), Pixmap(96, 48, kRed), canvas.Page(), Decoration(L"", L""));
    EXPECT_EQ(LiveGdiObjects(), gdiBefore);

    // 96 pixels are one inch: 100 x 50 dots at 100 dpi. The page is 827 x 1169 dots (210 x 297
    // mm), 10 mm margins are 39 dots: the area 39..788 across and 39..1130 down, and the picture
    // in its middle at 39 + (749 - 100) / 2 = 363 and 39 + (1091 - 50) / 2 = 559.
    EXPECT_EQ(canvas.Bounds(IsRed), (Rect{363, 559, 463, 609}));
    EXPECT_EQ(canvas.Bounds([](Rgb c) { return c != kWhite && c != kRed; }), std::nullopt);
}

TEST(DrawPage, LargePictureFillsTheWidthBetweenHeaderAndFooter) {
    PageCanvas canvas;
    DrawPage(canvas.Dc(), Pixmap(2000, 400, kRed), canvas.Page(),
             Decoration(L"ヘッダー Header", L"フッター Footer"));

    const int margin = MillimetresToDevice(10, kDpi);
    const Rect area{margin, margin, canvas.Page().paperWidth - margin, canvas.Page().paperHeight - margin};
    const Rect picture = canvas.Bounds(IsRed).value();
    EXPECT_EQ(std::pair(picture.left, picture.right), std::pair(area.left, area.right));
    EXPECT_NEAR(picture.Height(), area.Width() / 5.0, 1);
    // Same height of header and footer: the picture stays in the middle.
    EXPECT_NEAR(picture.top - area.top, area.bottom - picture.bottom, 1);

    // One 9 pt line at 100 dpi is about 15 dots, at the top and the bottom of the area.
    const int width = canvas.Page().paperWidth;
    const Rect header = canvas.Bounds(IsText, Rect{0, 0, width, picture.top}).value();
    EXPECT_GE(header.left, area.left);
    EXPECT_GE(header.top, area.top);
    EXPECT_LT(header.bottom, area.top + 20);
    const Rect footer =
        canvas.Bounds(IsText, Rect{0, picture.bottom, width, canvas.Page().paperHeight}).value();
    EXPECT_GE(footer.left, area.left);
    EXPECT_GT(footer.top, area.bottom - 20);
    EXPECT_LE(footer.bottom, area.bottom);
}

TEST(DrawPage, MarginsLeavingNoRoomThrow) {
    PageCanvas canvas;
    EXPECT_THROW(DrawPage(canvas.Dc(), Pixmap(10, 10, kRed), canvas.Page(), Decoration(L"", L"", 150)),
                 Error);
}

TEST(ImagePrint, MarginsOutsideTheirRangeAreRefused) {
    TImagePrint print;
    print.SetMarginTop(255);
    EXPECT_EQ(print.MarginTop(), 255.0f);
    for (const float bad : {-1.0f, 255.5f, std::numeric_limits<float>::quiet_NaN()})
        for (auto set : {&TImagePrint::SetMarginTop, &TImagePrint::SetMarginBottom,
                         &TImagePrint::SetMarginLeft, &TImagePrint::SetMarginRight})
            EXPECT_THROW((print.*set)(bad), Error) << bad;
    EXPECT_EQ(print.MarginTop(), 255.0f);
}

using testing_support::TempPath;

// A bitmap file of one colour, as the program writes its hand-off file.
void WriteBitmapFile(const std::wstring& path, int width, int height, Rgb colour) {
    testing_support::WriteFileBytes(path, EncodeBitmapFile(Pixmap(width, height, colour)));
}

bool HasDefaultPrinter() {
    DWORD length = 0;
    GetDefaultPrinterW(nullptr, &length);
    return length > 0;
}

TEST(ImagePrint, PrintsOnTheDefaultPrinter) {
    if (!HasDefaultPrinter()) SKIP_WITHOUT_PRINTER("no default printer");
    const std::wstring file = TempPath(L"pelorine-print.bmp");
    WriteBitmapFile(file, 1600, 400, kRed);
    TImagePrint print;
    print.SetHeaderText(L"Pelorine header ヘッダー");
    print.SetFooterText(L"Pelorine footer フッター");
    print.SetMarginTop(10);
    print.SetMarginBottom(10);
    print.SetMarginLeft(20);
    print.SetMarginRight(15);
    print.SetFileName(file);
    EXPECT_TRUE(print.StartPrint()) << testing::PrintToString(print.LastError());
    EXPECT_EQ(print.LastError(), L"");
    // The file may go as soon as StartPrint returns.
    EXPECT_TRUE(DeleteFileW(file.c_str()));
}

TEST(ImagePrint, MissingOrBrokenFileFailsWithTheReason) {
    const std::wstring broken = TempPath(L"pelorine-not-a-bitmap.tmp");
    testing_support::WriteFileBytes(broken, "BM this is not a bitmap");
    for (const std::wstring& file : {TempPath(L"pelorine-no-such-file.tmp"), broken}) {
        TImagePrint print;
        print.SetFileName(file);
        EXPECT_FALSE(print.StartPrint());
        EXPECT_EQ(print.LastError(), L"印刷できません: ファイル " + file + L" を読み込めません");
    }
    DeleteFileW(broken.c_str());
}

TEST(ImagePrint, MarginsLeavingNoRoomFailBeforeAnyJob) {
    if (!HasDefaultPrinter()) SKIP_WITHOUT_PRINTER("no default printer");
    const std::wstring file = TempPath(L"pelorine-print-wide.bmp");
    WriteBitmapFile(file, 8, 8, kRed);
    TImagePrint print;
    print.SetMarginLeft(150);
    print.SetMarginRight(150);
    print.SetFileName(file);
    EXPECT_FALSE(print.StartPrint());
    EXPECT_EQ(print.LastError(), L"印刷できません: 余白が大きすぎて印刷する場所がありません");
    DeleteFileW(file.c_str());
}

} // namespace
} // namespace pelorine
