// The capture commands started by their hotkeys from another program.
#include "e2e/AppTest.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

using namespace e2e;

namespace {
using CaptureTest = AppTest;
} // namespace

TEST_F(CaptureTest, F8PutsTheWholeScreenOnTheClipboard) {
    StartWith("[SET]\r\nSOUND=0\r\n");
    EXPECT_EQ(PressForPicture(VK_F8), (BitmapSize{kScreenW, kScreenH}));
}

TEST_F(CaptureTest, F7TakesTheForegroundWindowClippedToTheScreen) {
    StartWith("[SET]\r\nSOUND=0\r\n");
    TargetWindow inside(200, 150, 400, 300, RGB(200, 30, 40));
    inside.BringToFront();
    RECT rc;
    GetWindowRect(inside.Handle(), &rc);
    EXPECT_EQ(PressForPicture(VK_F7), (BitmapSize{rc.right - rc.left, rc.bottom - rc.top}));

    // Reaching past the right edge: only the part on the screen is taken.
    TargetWindow past(kScreenW - 150, 300, 400, 200, RGB(20, 160, 40));
    past.BringToFront();
    GetWindowRect(past.Handle(), &rc);
    EXPECT_EQ(PressForPicture(VK_F7), (BitmapSize{kScreenW - rc.left, rc.bottom - rc.top}));
}

namespace {
// Tells when the clipboard has changed, as clipboard managers learn it: once the program that
// changed it has closed it again.
class ClipboardWatch {
  public:
    ClipboardWatch()
        : wnd_(testing_support::MakeWindow(L"ClipboardWatch", Proc, 0, 0, 0, 0, 0, HWND_MESSAGE)) {
        changed_ = false;
        AddClipboardFormatListener(wnd_);
    }
    ~ClipboardWatch() {
        RemoveClipboardFormatListener(wnd_);
        DestroyWindow(wnd_);
    }
    bool WaitForChange(DWORD timeoutMs) {
        for (const DWORD start = GetTickCount(); !changed_ && GetTickCount() - start < timeoutMs; Sleep(1)) {
            MSG msg;
            while (PeekMessageW(&msg, wnd_, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
        }
        return changed_;
    }

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_CLIPBOARDUPDATE) changed_ = true;
        return DefWindowProcW(w, msg, wp, lp);
    }
    HWND wnd_;
    static inline bool changed_ = false;
};
} // namespace

// A save puts the picture itself on the clipboard before it writes the file: killed the moment
// the clipboard changed, in the middle of a long save, Pelorine still leaves the whole screen.
TEST_F(CaptureTest, F10LeavesTheWholeScreenOnTheClipboardEvenWhenKilledRightAfter) {
    StartWith("[SET]\r\nSOUND=0\r\n[SET1]\r\nC1_01=4\r\nC1_03=4\r\nC1_05=1\r\nC1_06_1=400\r\n");
    ClipboardWatch watch;
    const DWORD before = GetClipboardSequenceNumber();
    PressKey(VK_F10);
    ASSERT_TRUE(watch.WaitForChange(10000));
    ASSERT_TRUE(TerminateProcess(app_->Process(), 1));
    WaitForSingleObject(app_->Process(), 5000);
    app_.reset();
    EXPECT_EQ(WaitClipboardBitmap(before, 0), (BitmapSize{kScreenW, kScreenH}));
}

// Switching the hotkeys off and on again leaves them working at once, every time: F8 half a
// second after the box shows its checked look again.
TEST_F(CaptureTest, F8WorksHalfASecondAfterTheHotkeysAreSwitchedBackOn) {
    StartWith("[SET]\r\nSOUND=0\r\nM_LEFT=20\r\nM_TOP=20\r\n");
    for (int round = 0; round < 6; ++round) {
        ASSERT_TRUE(ToggleBox(L"CheckBox1")) << "off, round " << round;
        ASSERT_TRUE(ToggleBox(L"CheckBox1")) << "on, round " << round;
        Pump(500);
        EXPECT_TRUE(PressForPicture(VK_F8, 10000).has_value()) << "round " << round;
    }
}

TEST_F(CaptureTest, AltSpaceOpensNoWindowMenu) {
    StartWith("[SET]\r\nSOUND=0\r\nM_LEFT=20\r\nM_TOP=20\r\n");
    const POINT disc = OnWindow({104, 12}); // the top disc, which is the window's own surface
    ClickAt(disc.x, disc.y);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main_; }, 5000));
    PressChord(VK_MENU, VK_SPACE);
    HWND menu = nullptr;
    WaitFor([&] { return (menu = app_->VisibleWindowOfClass(L"#32768")) != nullptr; }, 1500);
    if (menu) PressKey(VK_ESCAPE);
    EXPECT_EQ(menu, nullptr);
}

namespace {
// F7 to F12, held by a window of the test while it lives, when no other program holds them.
class HeldKeys {
  public:
    HeldKeys() : window_(testing_support::MakeWindow(L"HeldKeys", Proc, 0, 0, 0, 0, 0, HWND_MESSAGE)) {
        pressed_ = 0;
        for (UINT vk = VK_F7; vk <= VK_F12; ++vk)
            held_ += RegisterHotKey(window_, int(vk), 0, vk) != FALSE;
    }
    ~HeldKeys() {
        for (UINT vk = VK_F7; vk <= VK_F12; ++vk)
            UnregisterHotKey(window_, int(vk));
        DestroyWindow(window_);
    }
    int Count() const { return held_; }
    // Whether a press of the key reached the test's window.
    bool PressReachesUs(WORD key) const {
        PressKey(key);
        return WaitFor([&] { return pressed_ == key; }, 5000);
    }

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_HOTKEY) pressed_ = UINT(wp);
        return DefWindowProcW(w, msg, wp, lp);
    }
    HWND window_;
    int held_ = 0;
    static inline UINT pressed_ = 0;
};
} // namespace

// With the box unchecked, F7 to F12 are free for other programs, from the start and after the
// box is unchecked while the program runs; checked, they capture again.
TEST_F(CaptureTest, UncheckedHotkeysAreFreeForOtherPrograms) {
    StartWith("[SET]\r\nHOTKEY=0\r\nSOUND=0\r\nM_LEFT=20\r\nM_TOP=20\r\n");
    const DWORD before = GetClipboardSequenceNumber();
    {
        const HeldKeys keys;
        ASSERT_EQ(keys.Count(), 6) << "keys taken at the start";
        EXPECT_TRUE(keys.PressReachesUs(VK_F8));
    }
    EXPECT_EQ(GetClipboardSequenceNumber(), before);

    ASSERT_TRUE(ToggleBox(L"CheckBox1"));
    EXPECT_EQ(HeldKeys().Count(), 0) << "keys left free while checked";
    EXPECT_TRUE(F8StillCaptures());

    ASSERT_TRUE(ToggleBox(L"CheckBox1"));
    const DWORD after = GetClipboardSequenceNumber();
    {
        const HeldKeys keys;
        EXPECT_EQ(keys.Count(), 6) << "keys kept after the box was unchecked";
        EXPECT_TRUE(keys.PressReachesUs(VK_F8));
    }
    EXPECT_EQ(GetClipboardSequenceNumber(), after);
}

TEST_F(CaptureTest, DelayedCaptureComesNoEarlierThanFiveSeconds) {
    StartWith("[SET]\r\nTIMING=1\r\nSOUND=0\r\n");
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PressForPicture(VK_F8, 12000).has_value());
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 5000u);
    EXPECT_LT(elapsed, 9000u);
    // The window stayed responsive throughout.
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutW(app_->MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result));
}

TEST_F(CaptureTest, ClipboardHeldByAnotherProgramGivesTheErrorAndTheNextCaptureWorks) {
    StartWith("[SET]\r\nSOUND=0\r\n");
    TargetWindow holder(50, 600, 200, 100, RGB(0, 0, 255));
    ASSERT_TRUE(OpenClipboard(holder.Handle()));
    PressKey(VK_F8);
    HWND box = app_->WaitErrorBox(5000);
    CloseClipboard();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"クリップボードを開くことができません.");
    EXPECT_EQ(WindowCaption(box), L"Pelorine");
    DismissMessageBox(box);
    Pump(500);
    ASSERT_TRUE(app_->Running());

    EXPECT_TRUE(F8StillCaptures());
}

TEST_F(CaptureTest, AKeyHeldByAnotherProgramFailsAloneAndSilently) {
    TargetWindow other(50, 600, 200, 100, RGB(0, 0, 255));
    ASSERT_TRUE(RegisterHotKey(other.Handle(), 1, 0, VK_F7));
    StartWith("[SET]\r\nSOUND=0\r\n");
    EXPECT_EQ(app_->WaitErrorBox(500), nullptr);
    EXPECT_TRUE(F8StillCaptures());
    UnregisterHotKey(other.Handle(), 1);
}

namespace {
// Where the program's notification icon shows on the screen, if it is there. Windows tells
// through the shell; Wine (without a tray of the desktop's own) shows each icon as a small
// window of its standalone tray, found by its class.
std::optional<RECT> TrayIconRect(HWND owner) {
    NOTIFYICONIDENTIFIER id{sizeof id, owner, 0, {}};
    RECT rect{};
    if (SUCCEEDED(Shell_NotifyIconGetRect(&id, &rect))) return rect;
    std::optional<RECT> found;
    for (const HWND icon : WineTrayIcons())
        if (IsWindowVisible(icon) && GetWindowRect(icon, &rect)) found = rect;
    return found;
}

std::vector<COLORREF> ClipboardPixels(const RECT& r) {
    std::vector<COLORREF> pixels;
    for (int attempt = 0; attempt < 50 && pixels.empty(); ++attempt, Pump(50)) {
        if (!OpenClipboard(nullptr)) continue;
        if (const HBITMAP bitmap = HBITMAP(GetClipboardData(CF_BITMAP)))
            pixels = testing_support::PixelsIn(bitmap, r);
        CloseClipboard();
    }
    return pixels;
}
} // namespace

// A desktop capture takes the notification icon away while it takes the picture: where the
// icon showed before, the picture shows something else, and the icon is back afterwards.
TEST_F(CaptureTest, DesktopCaptureLeavesTheTrayIconOutOfThePictureAndPutsItBack) {
    StartWith("[SET]\r\nSOUND=0\r\n");
    ASSERT_TRUE(F8StillCaptures()); // the first desktop capture puts the icon there
    std::optional<RECT> icon;
    ASSERT_TRUE(WaitFor([&] { return (icon = TrayIconRect(tray_)).has_value(); }, 5000));
    // Painted: the icon's picture shows, the same on two reads.
    std::vector<COLORREF> shown;
    ASSERT_TRUE(WaitFor(
        [&] {
            const std::vector<COLORREF> last = std::exchange(shown, ScreenPixels(*icon));
            return shown == last && std::ranges::adjacent_find(shown, std::not_equal_to{}) != shown.end();
        },
        5000));

    ASSERT_TRUE(PressForPicture(VK_F8, 10000).has_value());
    const std::vector<COLORREF> captured = ClipboardPixels(*icon);
    ASSERT_EQ(captured.size(), shown.size());
    EXPECT_NE(captured, shown) << "the icon is in the picture";
    EXPECT_TRUE(WaitFor([&] { return TrayIconRect(tray_).has_value(); }, 5000));
}

// F7 copies what the screen shows over the active window: a window on top of it is in the
// picture, as it is on the screen (a copy from the window's own surface would not have it).
TEST_F(CaptureTest, F7ShowsAWindowLyingOverTheActiveOneAsTheScreenDoes) {
    StartWith("[SET]\r\nSOUND=0\r\n");
    const COLORREF kBlue = RGB(0, 0, 255);
    TargetWindow active(200, 150, 400, 300, RGB(200, 30, 40));
    TargetWindow cover(450, 300, 300, 250, kBlue);
    active.BringToFront();
    SetWindowPos(cover.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(cover.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == active.Handle(); }, 5000));
    RECT rc, covered;
    GetWindowRect(active.Handle(), &rc);
    GetClientRect(cover.Handle(), &covered);
    MapWindowPoints(cover.Handle(), nullptr, reinterpret_cast<POINT*>(&covered), 2);
    // A block of the cover's client area that lies over the active window.
    const RECT block{covered.left + 10, covered.top + 10, covered.left + 60, covered.top + 60};
    ASSERT_LT(block.right, rc.right);
    ASSERT_LT(block.bottom, rc.bottom);
    const auto notBlue = [&](const std::vector<COLORREF>& pixels) {
        return pixels.size() == 50 * 50
                   ? std::count_if(pixels.begin(), pixels.end(), [&](COLORREF c) { return c != kBlue; })
                   : -1;
    };
    ASSERT_TRUE(WaitFor([&] { return notBlue(ScreenPixels(block)) == 0; }, 5000))
        << "the screen shows the cover";

    ASSERT_EQ(PressForPicture(VK_F7), (BitmapSize{rc.right - rc.left, rc.bottom - rc.top}));
    const RECT inPicture{block.left - rc.left, block.top - rc.top, block.right - rc.left,
                         block.bottom - rc.top};
    const std::vector<COLORREF> picture = ClipboardPixels(inPicture);
    EXPECT_EQ(notBlue(picture), 0) << "pixels not the cover's, the first 0x" << std::hex
                                   << (picture.empty() ? 0 : picture[0]);
}
