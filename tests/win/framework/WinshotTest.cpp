#include "capture/Winshot.h"
#include "framework/Handles.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

using namespace pelorine;
using namespace testing_support;

namespace {
const COLORREF kRed = RGB(200, 30, 40);

UniqueBitmap CaptureActive(bool cursor) {
    TWinShot shot(nullptr);
    shot.ActiveWindow = true;
    shot.IncludeMouseCursor = cursor;
    return UniqueBitmap(shot.Capture());
}
} // namespace

TEST(WinShot, ActiveWindowIsTakenWholeWithItsFrame) {
    ColorWindow window(100, 120, 320, 240, kRed);
    SetCursorPos(900, 900); // out of the way
    const auto shot = CaptureActive(false);
    ASSERT_TRUE(shot);
    RECT rc, client;
    GetWindowRect(window.Handle(), &rc);
    GetClientRect(window.Handle(), &client);
    const SIZE size = SizeOf(shot.get());
    EXPECT_EQ(size.cx, rc.right - rc.left);
    EXPECT_EQ(size.cy, rc.bottom - rc.top);
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(window.Handle(), &centre);
    EXPECT_EQ(PixelOf(shot.get(), centre.x - rc.left, centre.y - rc.top), kRed);
    // The frame is part of the picture: the top-left corner is not client area.
    POINT origin{0, 0};
    ClientToScreen(window.Handle(), &origin);
    EXPECT_GT(origin.y, rc.top);
    EXPECT_NE(PixelOf(shot.get(), 1, 1), kRed);
}

TEST(WinShot, WindowPastTheLeftEdgeIsClippedToTheScreen) {
    ColorWindow window(-60, 100, 300, 200, kRed);
    SetCursorPos(900, 900);
    const auto shot = CaptureActive(false);
    ASSERT_TRUE(shot);
    RECT rc;
    GetWindowRect(window.Handle(), &rc);
    const SIZE size = SizeOf(shot.get());
    EXPECT_EQ(size.cx, rc.right);
    EXPECT_EQ(size.cy, rc.bottom - rc.top);
}

// Under Wine the screen is read in bands: joined, they must be the screen that one blit reads,
// row for row.
TEST(WinShot, DesktopIsThePrimaryScreenPixelForPixel) {
    ColorWindow window(50, 30, 400, 900, kRed);
    SetCursorPos(900, 900);
    TWinShot shot(nullptr);
    shot.ActiveWindow = false;
    shot.IncludeMouseCursor = false;
    UniqueBitmap bitmap(shot.Capture());
    ASSERT_TRUE(bitmap);
    const SIZE size = SizeOf(bitmap.get());
    EXPECT_EQ(size.cx, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(size.cy, GetSystemMetrics(SM_CYSCREEN));
    HDC screen = GetDC(nullptr);
    UniqueBitmap whole(CreateCompatibleBitmap(screen, size.cx, size.cy));
    {
        UniqueMemDc dc(CreateCompatibleDC(screen));
        SelectGuard select(dc.get(), whole.get());
        BitBlt(dc.get(), 0, 0, size.cx, size.cy, screen, 0, 0, SRCCOPY);
    }
    ReleaseDC(nullptr, screen);
    const auto banded = PixelsOf(bitmap.get(), size.cx, size.cy),
               once = PixelsOf(whole.get(), size.cx, size.cy);
    const auto differ = std::mismatch(banded.begin(), banded.end(), once.begin());
    EXPECT_TRUE(differ.first == banded.end())
        << "first different row " << (differ.first - banded.begin()) / size.cx;
}

TEST(WinShot, MinimisedForegroundWindowIsPassedOver) {
    ColorWindow below(150, 150, 260, 180, kRed);
    ColorWindow top(400, 300, 200, 150, RGB(0, 0, 255));
    top.BringToFront();
    ShowWindow(top.Handle(), SW_SHOWMINNOACTIVE);
    PumpFor(300);
    // Minimised without activating another: still the foreground window.
    ASSERT_TRUE(IsIconic(top.Handle()));
    ASSERT_EQ(GetForegroundWindow(), top.Handle());
    TWinShot shot(nullptr);
    shot.ActiveWindow = true;
    HWND source = shot.SourceWindow();
    ASSERT_NE(source, nullptr);
    EXPECT_NE(source, top.Handle());
    EXPECT_FALSE(IsIconic(source));
    EXPECT_TRUE(IsWindowVisible(source));
}

TEST(WinShot, CursorLandsAtItsPlaceRelativeToTheWindow) {
    ColorWindow window(100, 100, 400, 300, kRed);
    RECT rc;
    GetWindowRect(window.Handle(), &rc);
    const POINT cursor{rc.left + 150, rc.top + 120};
    SetCursorPos(cursor.x, cursor.y);
    // The arrow, shown, whatever an earlier test left.
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    while (ShowCursor(TRUE) < 0) {
    }
    PumpFor(200);
    CURSORINFO ci{};
    ci.cbSize = sizeof ci;
    ASSERT_TRUE(GetCursorInfo(&ci));
    ASSERT_TRUE(ci.flags & CURSOR_SHOWING);
    ASSERT_NE(ci.hCursor, nullptr);
    const auto plain = CaptureActive(false);
    const auto withCursor = CaptureActive(true);
    ASSERT_TRUE(plain && withCursor);
    // The cursor image starts at the cursor position: nothing changes above or left of it.
    int minX = INT_MAX, minY = INT_MAX, changed = 0;
    const SIZE size = SizeOf(plain.get());
    const auto a = PixelsOf(plain.get(), size.cx, size.cy), b = PixelsOf(withCursor.get(), size.cx, size.cy);
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            if (a[size_t(y) * size.cx + x] != b[size_t(y) * size.cx + x]) {
                ++changed;
                minX = std::min(minX, x);
                minY = std::min(minY, y);
            }
    ASSERT_GT(changed, 10);
    EXPECT_GE(minX, cursor.x - rc.left);
    EXPECT_GE(minY, cursor.y - rc.top);
    EXPECT_LE(minX, cursor.x - rc.left + 4);
    EXPECT_LE(minY, cursor.y - rc.top + 4);
}
