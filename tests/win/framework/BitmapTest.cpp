#include "framework/Bitmap.h"
#include "framework/Error.h"
#include "support/WinTest.h"
#include "support/ErrorText.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace pelorine;
using namespace testing_support;

namespace {
TBitmap Checker(int w, int h) {
    TBitmap bitmap;
    bitmap.SetSize(w, h);
    BitmapCanvas canvas(bitmap.Handle());
    canvas.Canvas().FillRect(Rect{0, 0, w, h}, MakeColor(250, 10, 20));
    canvas.Canvas().FillRect(Rect{0, 0, w / 2, h / 2}, MakeColor(5, 200, 100));
    return bitmap;
}

} // namespace

TEST(Bitmap, SavedFileHoldsAWholeBitmapFileAtTheScreensDepth) {
    const TBitmap bitmap = Checker(33, 17);
    const std::wstring path = testing_support::TempPath(L"pelorine-bitmap-bytes.bmp");
    bitmap.SaveToFile(path);
    const std::string bytes = testing_support::FileBytes(path);
    DeleteFileW(path.c_str());
    ASSERT_GT(bytes.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    BITMAPFILEHEADER bfh;
    BITMAPINFOHEADER bih;
    std::memcpy(&bfh, bytes.data(), sizeof bfh);
    std::memcpy(&bih, bytes.data() + sizeof bfh, sizeof bih);
    EXPECT_EQ(bfh.bfType, 0x4D42);
    EXPECT_EQ(bfh.bfSize, bytes.size());
    EXPECT_EQ(bih.biWidth, 33);
    EXPECT_EQ(bih.biHeight, 17);
    EXPECT_EQ(bih.biBitCount, BitsPerPixelOf(bitmap.Handle()));
    const size_t stride = ((33u * bih.biBitCount + 31) / 32) * 4;
    EXPECT_EQ(bytes.size() - bfh.bfOffBits, stride * 17);
}

TEST(Bitmap, SavedFileLoadsBackWithTheSamePixels) {
    const TBitmap bitmap = Checker(40, 30);
    const std::wstring path = testing_support::TempPath(L"pelorine-bitmap-test.bmp");
    bitmap.SaveToFile(path);
    HBITMAP loaded =
        HBITMAP(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(SizeOf(loaded).cx, 40);
    EXPECT_EQ(SizeOf(loaded).cy, 30);
    EXPECT_EQ(PixelOf(loaded, 5, 5), RGB(5, 200, 100));
    EXPECT_EQ(PixelOf(loaded, 35, 25), RGB(250, 10, 20));
    DeleteObject(loaded);
    DeleteFileW(path.c_str());
}

// Taller than the bands the rows are written in, with a last band cut short: every row lands
// where it belongs.
TEST(Bitmap, TallBitmapKeepsEveryRowInPlace) {
    TBitmap bitmap;
    bitmap.SetSize(300, 700);
    {
        BitmapCanvas canvas(bitmap.Handle());
        for (int y = 0; y < 700; ++y)
            canvas.Canvas().FillRect(Rect{0, y, 300, y + 1}, MakeColor(y % 256, y / 256, 77));
    }
    const std::wstring path = testing_support::TempPath(L"pelorine-bitmap-tall.bmp");
    bitmap.SaveToFile(path);
    HBITMAP loaded =
        HBITMAP(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    DeleteFileW(path.c_str());
    ASSERT_NE(loaded, nullptr);
    for (int y = 0; y < 700; y += 1 + y % 7)
        ASSERT_EQ(PixelOf(loaded, 299 - y % 300, y), RGB(y % 256, y / 256, 77)) << "row " << y;
    DeleteObject(loaded);
}

TEST(Bitmap, UnwritableFileRaisesTheMessageWithThePath) {
    const TBitmap bitmap = Checker(4, 4);
    const std::wstring path = testing_support::TempPath(L"no-such-folder-here\\_tmp000.tmp");
    EXPECT_EQ(testing_support::ErrorOf([&] { bitmap.SaveToFile(path); }),
              L"ファイル " + path + L" を作成できません");
}
