// F7 on two monitors (two-monitors.sh provides them: 1280 × 1024 and 1024 × 768 right of it):
// a window is captured wherever it shows, not only its part on the primary screen.
#include "e2e/Driver.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {
constexpr COLORREF kColor = RGB(30, 90, 200);

// The clipboard's picture: its size and the colour at its centre.
struct Picture {
    SIZE size{};
    COLORREF centre = CLR_INVALID;
};
Picture ClipboardPicture() {
    Picture picture;
    if (!OpenClipboard(nullptr)) return picture;
    if (const HBITMAP bitmap = HBITMAP(GetClipboardData(CF_BITMAP))) {
        picture.size = testing_support::SizeOf(bitmap);
        picture.centre = testing_support::PixelOf(bitmap, picture.size.cx / 2, picture.size.cy / 2);
    }
    CloseClipboard();
    return picture;
}
} // namespace

TEST(Monitors, F7TakesTheWholeWindowOnTheSecondMonitorAndAcrossBoth) {
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "the display shows no second monitor";
    ASSERT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 1280 + 1024);
    PelorineProcess app("[SET]\r\nSOUND=0\r\nCURSOR=0\r\n");
    app.Start();
    ASSERT_NE(app.MainWindow(), nullptr);
    Pump(500);
    const struct {
        const char* name;
        int x, y;
    } cases[] = {{"wholly on the second monitor", 1500, 200}, {"across both monitors", 1100, 300}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TargetWindow window(c.x, c.y, 400, 300, kColor);
        window.BringToFront();
        RECT rc;
        GetWindowRect(window.Handle(), &rc);
        const DWORD before = GetClipboardSequenceNumber();
        PressKey(VK_F7);
        if (!WaitClipboardBitmap(before, 5000)) {
            ADD_FAILURE() << "no picture on the clipboard";
            continue;
        }
        const Picture picture = ClipboardPicture();
        EXPECT_EQ(picture.size.cx, rc.right - rc.left);
        EXPECT_EQ(picture.size.cy, rc.bottom - rc.top);
        EXPECT_EQ(picture.centre, kColor);
    }
    EXPECT_TRUE(app.CloseAndWait());
}
