// The information window under Wine: built from its layout, centred on its first showing and
// kept where the user left it, closed by its button, its access key and its close box.
#include "app/Infowindow1.h"
#include "framework/Bitmap.h"
#include "support/Accessibility.h"
#include "support/WinTest.h"
#include "win/app/ModalDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <utility>

using namespace pelorine;
using testing_support::ShowModalAnd;

namespace {

class InfoFormTest : public testing::Test {
  protected:
    InfoFormTest() {
        info_ = root_.New<TInfoForm1>(L"InfoForm1");
        // Another window of the application, which the modal showing must lock.
        other_ = root_.New<TForm>(L"Other", WS_OVERLAPPEDWINDOW, 0, L"other");
        other_->Show();
    }
    RECT WindowRect() const { return testing_support::WindowRectOf(info_->Handle()); }
    TControl* Member(const wchar_t* name) const { return static_cast<TControl*>(info_->FindComponent(name)); }
    // Shows the window modally, does `step` while it is up, then closes it; the modal result.
    int ShowDoingAndClose(const std::function<void()>& step) {
        return ShowModalAnd(*info_, [&] {
            step();
            PostMessageW(info_->Handle(), WM_CLOSE, 0, 0);
        });
    }
    bool StillOpen() const { return info_->ModalResult == 0 && IsWindowVisible(info_->Handle()); }

    TComponent root_{nullptr};
    TInfoForm1* info_;
    TForm* other_;
};

// The cursor the control sets while the mouse is over it.
HCURSOR CursorOver(const TWinControl& control) {
    SendMessageW(control.Handle(), WM_SETCURSOR, WPARAM(control.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
}

// One past the rightmost column of the logo's turquoise (its spheres and its name's lettering).
int InkEnd(HBITMAP logo) {
    const SIZE size = testing_support::SizeOf(logo);
    const std::vector<uint32_t> pixels = testing_support::PixelsOf(logo, size.cx, size.cy); // 0x00RRGGBB
    int end = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t r = pixels[i] >> 16 & 0xFF, g = pixels[i] >> 8 & 0xFF, b = pixels[i] & 0xFF;
        if (r < 120 && g > 100 && b > 100) end = std::max(end, int(i % size_t(size.cx)) + 1);
    }
    return end;
}

// True for the label's orange, also where the text is smoothed against white.
bool IsOrangeish(COLORREF c) {
    return GetRValue(c) > 200 && GetGValue(c) > 60 && GetGValue(c) < 210 && GetBValue(c) < 140;
}

TEST_F(InfoFormTest, HasItsCaptionSizeAndToolWindowFrame) {
    wchar_t caption[64] = {};
    GetWindowTextW(info_->Handle(), caption, 64);
    EXPECT_STREQ(caption, L"Pelorine Ver.2.6");
    RECT client;
    GetClientRect(info_->Handle(), &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(248L, 128L));
    const auto style = GetWindowLongPtrW(info_->Handle(), GWL_STYLE);
    const auto exStyle = GetWindowLongPtrW(info_->Handle(), GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(IsWindowVisible(info_->Handle())); // made hidden
}

TEST_F(InfoFormTest, MembersSitWhereTheyBelongWithTheirHints) {
    const std::pair<const wchar_t*, Rect> placed[] = {{L"Panel1", Bounds(0, 0, 248, 128)},
                                                      {L"Image1", Bounds(8, 4, 200, 54)},
                                                      {L"SpeedButton2", Bounds(85, 104, 77, 16)}};
    for (const auto& [name, bounds] : placed) {
        ASSERT_NE(Member(name), nullptr);
        EXPECT_EQ(Member(name)->BoundsRect(), bounds) << testing::PrintToString(std::wstring(name));
    }
    for (const wchar_t* name : {L"Image1", L"Label1", L"Label2", L"Label3", L"SpeedButton1", L"SpeedButton2",
                                L"SpeedButton3"}) // drawn or placed on the panel
        EXPECT_TRUE(std::ranges::count(info_->Panel1->Controls(), Member(name)))
            << testing::PrintToString(std::wstring(name));
    EXPECT_EQ(testing_support::HintOf(info_->SpeedButton1->Handle()), L" Pelorine Projectのサイトにアクセス");
    EXPECT_EQ(testing_support::HintOf(info_->SpeedButton3->Handle()), L" Pelorine Projectにメールを送信");
    EXPECT_EQ(testing_support::HintOf(info_->SpeedButton2->Handle()), L" 閉じる");
    EXPECT_EQ(info_->Label3->Caption(), L"mail : support@pelorine.example.org");
    EXPECT_EQ(info_->Label2->Caption(), L"url : https://pelorine.example.org/");
    EXPECT_EQ(info_->SpeedButton2->Caption(), L"CLOSE (&X)");
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND), arrow = LoadCursorW(nullptr, IDC_ARROW);
    EXPECT_EQ(CursorOver(*info_->SpeedButton1), hand);
    EXPECT_EQ(CursorOver(*info_->SpeedButton3), hand);
    EXPECT_EQ(CursorOver(*info_->SpeedButton2), arrow);
}

// A label is as wide as its text and inside the panel's bevel; a link line stays centred where it
// was designed (the mail line at 70 + 111 / 2, the web line at 81 + 87 / 2) and its button covers
// it 5 pixels to the left and 4 to the right (65, 69, 120, 11 and 76, 86, 96, 11 designed), so
// all of it can be clicked.
TEST_F(InfoFormTest, LabelsFitTheirTextAndLinkButtonsCoverThem) {
    struct Line {
        TLabel* label;
        int top, designedMiddleTwice;
        TSpeedButton* link;
    };
    const Line lines[] = {{info_->Label1, 52, 0, nullptr},
                          {info_->Label3, 69, 2 * 70 + 111, info_->SpeedButton3},
                          {info_->Label2, 86, 2 * 81 + 87, info_->SpeedButton1}};
    for (const Line& line : lines) {
        SCOPED_TRACE(line.top);
        const Rect text = line.label->BoundsRect();
        EXPECT_EQ(text.Width(), line.label->TextSize().cx);
        EXPECT_EQ(text.top, line.top);
        EXPECT_GE(text.left, 3);
        EXPECT_LE(text.right, 245);
        if (!line.link) continue;
        EXPECT_NEAR(text.left + text.right, line.designedMiddleTwice, 1);
        const Rect button = line.link->BoundsRect();
        EXPECT_EQ(text.left - button.left, 5);
        EXPECT_EQ(button.right - text.right, 4);
        EXPECT_EQ(button.top, line.top);
        EXPECT_EQ(button.Height(), 11);
    }
}

TEST_F(InfoFormTest, LogoLoadsFromTheResources) {
    const HBITMAP logo = info_->Image1->Picture().Handle();
    ASSERT_NE(logo, nullptr);
    const SIZE size = testing_support::SizeOf(logo);
    EXPECT_EQ(std::pair(size.cx, size.cy), std::pair(200L, 54L));
    EXPECT_EQ(testing_support::BitsPerPixelOf(logo), 8);
}

// The flat button is a window over the label: it must draw the label's text itself.
TEST_F(InfoFormTest, LinkButtonShowsItsLabelThrough) {
    for (TSpeedButton* button : {info_->SpeedButton1, info_->SpeedButton3}) {
        TBitmap bitmap;
        bitmap.SetSize(button->Width(), button->Height());
        BitmapCanvas target(bitmap.Handle());
        target.Canvas().FillRect(Rect{0, 0, button->Width(), button->Height()}, clBlack);
        button->Paint(target.Canvas());
        int orange = 0, white = 0;
        for (int y = 0; y < button->Height(); ++y)
            for (int x = 0; x < button->Width(); ++x) {
                const COLORREF c = GetPixel(target.Handle(), x, y);
                orange += IsOrangeish(c);
                white += c == RGB(255, 255, 255);
            }
        EXPECT_GT(orange, 20);
        EXPECT_GT(white, button->Width()); // the label's white ground, not the black we put there
    }
}

TEST_F(InfoFormTest, FirstShowingIsCentredLaterOnesKeepTheUsersPlace) {
    RECT during{};
    bool locked = false;
    const int result = ShowDoingAndClose([&] {
        during = WindowRect();
        locked = IsWindowVisible(info_->Handle()) && !IsWindowEnabled(other_->Handle());
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(locked);
    EXPECT_TRUE(IsWindowEnabled(other_->Handle()));
    EXPECT_FALSE(IsWindowVisible(info_->Handle()));
    const int width = during.right - during.left, height = during.bottom - during.top;
    EXPECT_EQ(during.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(during.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);

    ShowDoingAndClose( // the user moves it
        [&] { SetWindowPos(info_->Handle(), nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER); });
    ShowDoingAndClose([&] { during = WindowRect(); });
    EXPECT_EQ(std::tuple(during.left, during.top, during.right - during.left),
              std::tuple(40L, 60L, LONG(width)));
}

// Moved to a monitor of 200 % (Wine never sends the message itself): the window asks for the
// frame of that DPI around the doubled client area, lays out its members and logo again at that
// scale and takes the suggested place; back at 96 DPI it is the design again.
TEST_F(InfoFormTest, DpiChangeLaysTheWindowOutAgainAtTheNewScale) {
    RECT frame{0, 0, 496, 256};
    AdjustWindowRectExForDpi(&frame, DWORD(GetWindowLongPtrW(info_->Handle(), GWL_STYLE)), FALSE,
                             DWORD(GetWindowLongPtrW(info_->Handle(), GWL_EXSTYLE)), 192);
    SIZE asked{};
    EXPECT_TRUE(SendMessageW(info_->Handle(), WM_GETDPISCALEDSIZE, 192, LPARAM(&asked)));
    EXPECT_EQ(std::pair(asked.cx, asked.cy), std::pair(frame.right - frame.left, frame.bottom - frame.top));

    auto moveTo = [&](int dpi, POINT at) {
        RECT suggested{at.x, at.y, at.x + 300, at.y + 200}; // the size is the window's own affair
        SendMessageW(info_->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
    };
    moveTo(192, {50, 70});
    // The frame of 200 % around the doubled client area. (Wine draws the frame at the system's
    // DPI whatever the message says, so the client area itself is checked at a real 150 % by
    // e2e_dpi.)
    EXPECT_EQ(std::pair(WindowRect().left, WindowRect().top), std::pair(50L, 70L));
    EXPECT_EQ(std::pair(WindowRect().right - WindowRect().left, WindowRect().bottom - WindowRect().top),
              std::pair(asked.cx, asked.cy));
    EXPECT_EQ(info_->Panel1->BoundsRect(), (Rect{0, 0, 496, 256}));
    EXPECT_EQ(info_->SpeedButton2->BoundsRect(), (Rect{170, 208, 324, 240}));
    EXPECT_EQ(info_->Label2->Font().height, 22);
    EXPECT_EQ(info_->Label2->BoundsRect().top, 172);
    EXPECT_EQ(info_->Label2->BoundsRect().Width(), info_->Label2->TextSize().cx);
    // The logo drawn for the scale, its name in the stored logo's face: as wide as there, twice
    // over (a Japanese Gothic standing in for a missing face, or chosen for the character set,
    // ends the name 35 pixels short).
    const HBITMAP logo = info_->Image1->Picture().Handle();
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(std::pair(testing_support::SizeOf(logo).cx, testing_support::SizeOf(logo).cy),
              std::pair(400L, 108L));
    const int nameEnd = InkEnd(logo);

    moveTo(96, {40, 60});
    RECT client;
    GetClientRect(info_->Handle(), &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(248L, 128L));
    EXPECT_EQ(info_->SpeedButton2->BoundsRect(), Bounds(85, 104, 77, 16));
    EXPECT_EQ(testing_support::BitsPerPixelOf(info_->Image1->Picture().Handle()), 8); // the stored logo
    EXPECT_NEAR(nameEnd, 2 * InkEnd(info_->Image1->Picture().Handle()), 8);
}

// Each way to close: the access key with and without Alt, the close box, a click on the button.
TEST_F(InfoFormTest, EveryCloseEndsTheModalShowing) {
    const POINT inButton{10, 8};
    const std::function<void()> closes[] = {
        [&] { PostMessageW(info_->Handle(), WM_SYSCHAR, L'x', LPARAM(1) << 29); },
        [&] { PostMessageW(info_->Handle(), WM_CHAR, L'X', 1); },
        [&] { PostMessageW(info_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
        [&] {
            PostMessageW(info_->SpeedButton2->Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                         MAKELPARAM(inButton.x, inButton.y));
            PostMessageW(info_->SpeedButton2->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(inButton.x, inButton.y));
        },
    };
    for (size_t i = 0; i < std::size(closes); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ShowModalAnd(*info_, closes[i]), IDCANCEL);
        EXPECT_FALSE(IsWindowVisible(info_->Handle()));
        EXPECT_TRUE(IsWindowEnabled(other_->Handle()));
    }
}

TEST_F(InfoFormTest, OtherKeysAndReleasingOutsideLeaveItOpen) {
    bool open = false;
    ShowDoingAndClose([&] {
        SendMessageW(info_->Handle(), WM_SYSCHAR, L'q', LPARAM(1) << 29);
        SendMessageW(info_->Handle(), WM_CHAR, L'c', 1);
        SendMessageW(info_->SpeedButton2->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(info_->SpeedButton2->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 5)); // dragged off
        open = StillOpen();
    });
    EXPECT_TRUE(open);
}

// A real Alt+X from the keyboard reaches the window that has the focus after it opened.
TEST_F(InfoFormTest, AltXTypedOnTheKeyboardCloses) {
    bool foreground = false, sent = false;
    const int result = ShowModalAnd(*info_, [&] {
        // Without a window manager nothing activates a new window: it is made the foreground.
        for (int i = 0; i < 40 && !(foreground = GetForegroundWindow() == info_->Handle()); ++i) {
            SetForegroundWindow(info_->Handle());
            testing_support::PumpFor(50);
        }
        INPUT keys[4] = {};
        const WORD vks[4] = {VK_MENU, 'X', 'X', VK_MENU};
        for (int i = 0; i < 4; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = vks[i];
            keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
        }
        sent = foreground && SendInput(4, keys, sizeof(INPUT)) == 4;
        if (!sent) PostMessageW(info_->Handle(), WM_CLOSE, 0, 0);
    });
    ASSERT_TRUE(foreground) << "the window did not get the keyboard";
    ASSERT_TRUE(sent);
    EXPECT_EQ(result, IDCANCEL);
}

// Following a link leaves the window open (the shell is left out: the handler is replaced).
TEST_F(InfoFormTest, ClickingALinkLeavesTheWindowOpen) {
    int clicks = 0;
    for (TSpeedButton* link : {info_->SpeedButton1, info_->SpeedButton3})
        link->OnClick = [&](TComponent*) { ++clicks; };
    bool open = false;
    ShowDoingAndClose([&] {
        for (TSpeedButton* link : {info_->SpeedButton1, info_->SpeedButton3}) {
            SendMessageW(link->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
            SendMessageW(link->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 5));
        }
        open = StillOpen();
    });
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(open);
}

TEST(AcceleratorOf, TakesTheCharacterAfterASingleAmpersand) {
    const std::pair<const wchar_t*, wchar_t> cases[] = {{L"CLOSE (&X)", L'X'}, {L"e&xit", L'X'},
                                                        {L"A && B", 0},        {L"A &&&b", L'B'},
                                                        {L"trailing&", 0},     {L"", 0}};
    for (auto [text, key] : cases)
        EXPECT_EQ(AcceleratorOf(text), key) << testing::PrintToString(std::wstring(text));
}

} // namespace

// A screen reader hears the window's name, its buttons by their captions (the links by their
// hints) and the texts drawn on the panel.
TEST_F(InfoFormTest, AReaderHearsEveryTextAndEveryButton) {
    using testing_support::ReadClient;
    EXPECT_EQ(ReadClient(info_->Handle()).name, L"Pelorine Ver.2.6");
    EXPECT_EQ(ReadClient(info_->SpeedButton2->Handle()).name, L"CLOSE (X)");
    EXPECT_EQ(ReadClient(info_->SpeedButton1->Handle()).name, L"Pelorine Projectのサイトにアクセス");
    EXPECT_EQ(ReadClient(info_->SpeedButton3->Handle()).name, L"Pelorine Projectにメールを送信");
    EXPECT_EQ(ReadClient(info_->SpeedButton2->Handle()).role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(testing_support::TextsOf(info_->Panel1->Handle()),
              (std::vector<std::wstring>{L"Software Design＆Creation : Pelorine Team",
                                         L"mail : support@pelorine.example.org",
                                         L"url : https://pelorine.example.org/"}));
}
