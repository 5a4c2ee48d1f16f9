#include "framework/Clipboard.h"
#include "framework/Error.h"
#include "support/WinTest.h"
#include "support/ErrorText.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace pelorine;
using namespace testing_support;

namespace {
TBitmap Filled(int w, int h, COLORREF color) {
    TBitmap bitmap;
    bitmap.SetSize(w, h);
    BitmapCanvas canvas(bitmap.Handle());
    canvas.Canvas().FillRect(Rect{0, 0, w, h}, TColor{color});
    canvas.Canvas().FillRect(Rect{0, 0, 1, 1}, MakeColor(1, 2, 3));
    return bitmap;
}
} // namespace

TEST(Clipboard, BitmapRoundTripKeepsSizeAndPixelsAndTheCallersCopy) {
    TBitmap original = Filled(37, 23, RGB(10, 200, 90));
    TClipboard clipboard;
    clipboard.Assign(original);
    ASSERT_FALSE(original.Empty()); // the clipboard took its own copy
    TBitmap back;
    ASSERT_TRUE(OpenClipboard(nullptr));
    back.Assign(HBITMAP(GetClipboardData(CF_BITMAP)));
    CloseClipboard();
    ASSERT_FALSE(back.Empty());
    EXPECT_EQ(SizeOf(back.Handle()).cx, 37);
    EXPECT_EQ(SizeOf(back.Handle()).cy, 23);
    EXPECT_EQ(PixelOf(back.Handle(), 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(PixelOf(back.Handle(), 20, 10), RGB(10, 200, 90));
    EXPECT_NE(back.Handle(), original.Handle());
}

TEST(Clipboard, HeldByAnotherThreadFailsWithTheMessageWithinASecond) {
    std::atomic<bool> opened{false}, release{false};
    std::thread holder([&] {
        HWND owner =
            CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        if (OpenClipboard(owner)) {
            opened = true;
            while (!release)
                Sleep(5);
            CloseClipboard();
        }
        DestroyWindow(owner);
    });
    while (!opened)
        Sleep(5);
    const long gdiBefore = LiveGdiObjects();
    TBitmap bitmap = Filled(8, 8, RGB(0, 0, 0));
    const DWORD start = GetTickCount();
    bool toldOpened = false;
    EXPECT_EQ(
        testing_support::ErrorOf([&] { TClipboard().Assign(bitmap, nullptr, [&] { toldOpened = true; }); }),
        L"クリップボードを開くことができません");
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_FALSE(toldOpened); // a caller's older pictures stay when the clipboard stays closed
    release = true;
    holder.join();
    EXPECT_EQ(LiveGdiObjects(), gdiBefore + 1); // only our own bitmap: the copy was freed
    TClipboard().Assign(bitmap);                // and it works again once released
}

// A copy that cannot be made is the clipboard error; the clipboard keeps what it held and is
// never left announcing a picture that nobody will deliver.
TEST(Clipboard, ABitmapThatCannotBeCopiedRaisesTheErrorAndLeavesTheClipboardAlone) {
    TClipboard().Assign(Filled(5, 5, RGB(0, 0, 255)));
    const DWORD before = GetClipboardSequenceNumber();
    EXPECT_EQ(testing_support::ErrorOf([] { TClipboard().Assign(TBitmap()); }),
              L"クリップボードを開くことができません");
    EXPECT_EQ(GetClipboardSequenceNumber(), before);
    ASSERT_TRUE(OpenClipboard(nullptr));
    const HBITMAP held = HBITMAP(GetClipboardData(CF_BITMAP));
    EXPECT_EQ(held ? SizeOf(held).cx : 0, 5);
    CloseClipboard();
}

// Once the clipboard is open the caller may hand its bitmap to a new owner: the clipboard still
// receives a copy of that picture.
TEST(Clipboard, ABitmapHandedOnOnceTheClipboardIsOpenStillArrives) {
    TBitmap capture = Filled(9, 7, RGB(30, 60, 90)), preview;
    TClipboard().Assign(capture, nullptr, [&] { preview.SetHandle(capture.ReleaseHandle()); });
    EXPECT_TRUE(capture.Empty());
    ASSERT_TRUE(OpenClipboard(nullptr));
    const HBITMAP held = HBITMAP(GetClipboardData(CF_BITMAP));
    EXPECT_EQ(held ? SizeOf(held).cx : 0, 9);
    EXPECT_EQ(held ? PixelOf(held, 4, 4) : 0, RGB(30, 60, 90));
    EXPECT_NE(held, preview.Handle());
    CloseClipboard();
}
