// The program on a system set to another DPI (dpi.sh runs it at 150 % and 200 %, on a screen of
// 2560 × 1600): the window, its shape, its controls, the information window and the hints are
// drawn at that scale, and a capture still takes every real pixel of the screen.
#include "e2e/Driver.h"
#include "forms/InfoForm1Layout.h"
#include "framework/Scale.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace e2e;
using pelorine::Bounds;
using pelorine::Scale;

namespace {
// The scale dpi.sh set the prefix to.
Scale Expected() {
    const char* dpi = std::getenv("PELORINE_EXPECT_DPI");
    return Scale(dpi ? std::atoi(dpi) : 96);
}

RECT ClientRectOnScreen(HWND wnd) {
    RECT rc;
    GetClientRect(wnd, &rc);
    MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}
} // namespace

TEST(Dpi, WindowShapeControlsInformationAndHintsAreScaledAndF8TakesRealPixels) {
    // As the program itself, this driver sees real pixels, not a picture scaled for old programs.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const Scale scale = Expected();
    ASSERT_FALSE(scale.IsDesign()) << "PELORINE_EXPECT_DPI names no scale";
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 2560);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 1600);
    PelorineProcess app("[SET]\r\nSOUND=0\r\nCURSOR=0\r\nM_LEFT=40\r\nM_TOP=30\r\n");
    app.Start();
    const HWND main = app.MainWindow();
    ASSERT_NE(main, nullptr);
    Pump(500);

    RECT window;
    GetWindowRect(main, &window);
    EXPECT_EQ(window.right - window.left, scale.Scaled(361));
    EXPECT_EQ(window.bottom - window.top, scale.Scaled(553));
    // The shape is the skin drawn at the scale: the spheres' outline, not the design's.
    const HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(main, shape), ERROR);
    RECT box;
    GetRgnBox(shape, &box);
    EXPECT_GE(box.right, scale.Scaled(361) - 1);
    EXPECT_GE(box.bottom, scale.Scaled(553) - 1);
    EXPECT_TRUE(PtInRegion(shape, scale.Scaled(221), scale.Scaled(222))); // the centre of the big disc
    EXPECT_FALSE(PtInRegion(shape, scale.Scaled(340), scale.Scaled(20))); // beside the top disc
    DeleteObject(shape);

    // The file name field at its scaled place.
    const HWND name = FindChildWithText(main, L"Snap");
    ASSERT_NE(name, nullptr);
    const auto& row = Row(L"C0_02");
    const pelorine::Rect expected = scale.Scaled(Bounds(row.left, row.top, row.width, row.height));
    RECT edit;
    GetWindowRect(name, &edit);
    EXPECT_EQ(edit.left - window.left, expected.left);
    EXPECT_EQ(edit.top - window.top, expected.top);
    EXPECT_EQ(edit.bottom - edit.top, expected.Height());

    // The information window, made hidden at start.
    const HWND info = FindProcessWindow(
        GetProcessId(app.Process()), [](HWND w) { return WindowCaption(w) == pelorine::infoform::kCaption; });
    ASSERT_NE(info, nullptr);
    const RECT client = ClientRectOnScreen(info);
    EXPECT_EQ(client.right - client.left, scale.Scaled(248));
    EXPECT_EQ(client.bottom - client.top, scale.Scaled(128));

    // The hint of "タスクトレイへ": one line of the scaled 13-pixel font with its scaled margins.
    const auto& button = Row(L"CButton4");
    MouseTo(window.left + scale.Scaled(button.left + button.width / 2),
            window.top + scale.Scaled(button.top + button.height / 2));
    HWND hint = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (hint = app.VisibleWindowOfClass(L"PelorineHint")) != nullptr; }, 5000));
    if (hint) {
        RECT rc;
        GetWindowRect(hint, &rc);
        EXPECT_GE(rc.bottom - rc.top, scale.Scaled(13) + scale.Scaled(2));
        EXPECT_LT(rc.bottom - rc.top, 2 * scale.Scaled(13));
    }
    MouseTo(5, 1590);

    const DWORD before = GetClipboardSequenceNumber();
    PressKey(VK_F8);
    const auto picture = WaitClipboardBitmap(before, 10000);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 2560);
    EXPECT_EQ(picture->height, 1600);
    EXPECT_TRUE(app.CloseAndWait());
}
