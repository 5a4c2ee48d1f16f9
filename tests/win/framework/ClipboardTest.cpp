#include "framework/Clipboard.h"
#include "framework/Error.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

using namespace pelorine;
using namespace testing_support;

namespace {
TBitmap Filled(int w, int h, COLORREF color) {
    TBitmap bitmap;
    bitmap.SetSize(w, h);
    BitmapCanvas canvas(bitmap.Handle());
    canvas.Canvas().FillRect(Rect{0, 0, w, h}, color);
    canvas.Canvas().FillRect(Rect{0, 0, 1, 1}, RGB(1, 2, 3));
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
    try {
        TClipboard().Assign(bitmap);
        ADD_FAILURE() << "no error while another program held the clipboard";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), L"クリップボードを開くことができません");
    }
    EXPECT_LT(GetTickCount() - start, 1000u);
    release = true;
    holder.join();
    EXPECT_EQ(LiveGdiObjects(), gdiBefore + 1); // only our own bitmap: the copy was freed
    TClipboard().Assign(bitmap);                // and it works again once released
}

namespace {
// A window that passes the clipboard's messages to an offer, as the main window does.
class OfferOwner {
  public:
    OfferOwner() {
        hwnd = MakeWindow(L"PelorineOfferOwner", Proc, 0, 0, 0, 0, 0, HWND_MESSAGE);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(&offer));
    }
    ~OfferOwner() { DestroyWindow(hwnd); }
    HWND hwnd;
    TClipboardOffer offer;

  private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
        auto* offer = reinterpret_cast<TClipboardOffer*>(GetWindowLongPtrW(h, GWLP_USERDATA));
        if (offer && offer->HandleMessage(msg, wp)) return 0;
        return DefWindowProcW(h, msg, wp, lp);
    }
};

// What another thread finds on the clipboard, while this one keeps answering messages.
COLORREF PastedPixel(int x, int y) {
    COLORREF pixel = CLR_INVALID;
    std::atomic<bool> done{false};
    std::thread paster([&] {
        if (OpenClipboard(nullptr)) {
            if (HBITMAP bitmap = HBITMAP(GetClipboardData(CF_BITMAP))) pixel = PixelOf(bitmap, x, y);
            CloseClipboard();
        }
        done = true;
    });
    for (const DWORD start = GetTickCount(); !done && GetTickCount() - start < 5000;)
        PumpFor(10);
    paster.join();
    return pixel;
}
} // namespace

TEST(ClipboardOffer, APasteBeforeTheEndGetsThePictureAndTheEndCopiesItIn) {
    OfferOwner owner;
    TBitmap picture = Filled(9, 7, RGB(200, 30, 60));
    owner.offer.Make(owner.hwnd, picture);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_EQ(PastedPixel(5, 5), RGB(200, 30, 60)) << "rendered on request";
    EXPECT_FALSE(owner.offer.Pending());

    owner.offer.Make(owner.hwnd, picture);
    owner.offer.Fulfil();
    EXPECT_FALSE(owner.offer.Pending());
    SetWindowLongPtrW(owner.hwnd, GWLP_USERDATA, 0); // no more rendering: the data is there
    EXPECT_EQ(PastedPixel(0, 0), RGB(1, 2, 3));
    ASSERT_FALSE(picture.Empty()) << "the clipboard took a copy";
}

TEST(ClipboardOffer, AClipboardTakenByAnotherProgramMeanwhileIsLeftAlone) {
    OfferOwner owner;
    TBitmap picture = Filled(4, 4, RGB(0, 0, 255));
    owner.offer.Make(owner.hwnd, picture);
    std::atomic<bool> done{false};
    std::thread other([&] {
        HWND window =
            CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        if (OpenClipboard(window)) {
            EmptyClipboard(); // tells the offer's owner its offer is over
            HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 4);
            std::memcpy(GlobalLock(text), L"x", 4);
            GlobalUnlock(text);
            SetClipboardData(CF_UNICODETEXT, text);
            CloseClipboard();
        }
        DestroyWindow(window);
        done = true;
    });
    for (const DWORD start = GetTickCount(); !done && GetTickCount() - start < 5000;)
        PumpFor(10);
    other.join();
    EXPECT_FALSE(owner.offer.Pending());
    owner.offer.Fulfil();
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}
