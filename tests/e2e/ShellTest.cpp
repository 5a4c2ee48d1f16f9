// The application's life as a user sees it: the first start, the way to the tray and back, the
// tray menu's exit, the settings surviving a restart, and moving the borderless window.
#include "e2e/AppTest.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include "forms/resource.h"

#include <algorithm>
#include <set>

using namespace e2e;

namespace {

// The skin picture's colour at a point of the window, from the exe's own resources.
COLORREF SkinPixel(POINT p) {
    static const HMODULE exe = LoadLibraryExW((BuildDir() + L"\\Pelorine.exe").c_str(), nullptr,
                                              LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    static const auto skin =
        HBITMAP(LoadImageW(exe, MAKEINTRESOURCEW(IDB_SKIN), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return testing_support::PixelOf(skin, p.x, p.y);
}

using testing_support::WindowRectOf;

// A full settings file with a value other than the default for every key.
const Settings kFullSettings = {
    {L"M_TOP", L"140"},   {L"M_LEFT", L"260"},   {L"HOTKEY", L"0"},       {L"CURSOR", L"0"},
    {L"TIMING", L"1"},    {L"SOUND", L"0"},      {L"C0_01", L"C:\\caps"}, {L"C0_02", L"Shot"},
    {L"C0_03", L"17"},    {L"C1_01", L"2"},      {L"C1_02", L"8"},        {L"C1_03", L"4"},
    {L"C1_04", L"3"},     {L"C1_05", L"2"},      {L"C1_06_1", L"150"},    {L"C1_06_2", L"1024"},
    {L"C1_06_3", L"768"}, {L"C2_02", L"Header"}, {L"C2_03", L"Footer"},   {L"C2_04_1", L"10"},
    {L"C2_04_2", L"20"},  {L"C2_04_3", L"30"},   {L"C2_04_4", L"40"},
};

class ShellTest : public AppTest {
  protected:
    void ClickBox(const wchar_t* box) const {
        const POINT at = Middle(box);
        ClickAt(at.x, at.y);
    }
};

} // namespace

TEST_F(ShellTest, FirstStartShowsTheWindowAtItsPlaceAndClosingWritesTheDefaults) {
    StartWith();
    EXPECT_EQ(Place(), std::pair(20, 20));
    EXPECT_EQ(Size(), std::pair(361, 553));
    // Its own taskbar button: an unowned, visible application window.
    EXPECT_TRUE(GetWindowLongW(main_, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_FALSE(GetWindowLongW(main_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(main_, GW_OWNER), nullptr);
    // Nothing else of the program is on the screen: no tray window, no error box.
    const HWND other = FindProcessWindow(
        pid_, [&](HWND w) { return w != main_ && IsWindowVisible(w) && ClassOf(w) != L"PelorineHint"; });
    EXPECT_EQ(other, nullptr) << "class " << testing::PrintToString(ClassOf(other));
    EXPECT_FALSE(FileExists(app_->File(L"Pelorine.ini")));

    ASSERT_TRUE(app_->CloseAndWait(15000));
    EXPECT_EQ(FileBytes(app_->File(L"Pelorine.ini")),
              Utf16File(testing_support::FirstRunIniText(app_->Folder())));
}

// The window fits the 1280 × 1024 screen, so it opens whole on it however far off it was stored.
TEST_F(ShellTest, AWindowStoredOffTheScreenOrPartlyOnItOpensWhollyOnIt) {
    StartWith("[SET]\r\nM_TOP=-5000\r\nM_LEFT=99999\r\n");
    EXPECT_EQ(Place(), std::pair(1280 - 361, 0));
    ASSERT_TRUE(app_->CloseAndWait(15000));
    ExpectStored({{L"M_LEFT", L"919"}, {L"M_TOP", L"0"}});

    StartWith("[SET]\r\nM_TOP=-100\r\nM_LEFT=-150\r\n");
    EXPECT_EQ(Place(), std::pair(0, 0));
    ASSERT_TRUE(app_->CloseAndWait(15000));

    // Whole on the screen: exactly where it was stored.
    StartWith("[SET]\r\nM_TOP=471\r\nM_LEFT=0\r\n");
    EXPECT_EQ(Place(), std::pair(0, 471));
}

// A value far longer than the program reads back, in the settings file and typed into a field.
TEST_F(ShellTest, ClosingWithVeryLongValuesIsPrompt) {
    StartWith("[SET]\r\nSOUND=0\r\n[SET0]\r\nC0_02=" + std::string(200000, 'x') + "\r\n");
    HWND folder = FindChildWithText(main_, app_->Folder());
    ASSERT_NE(folder, nullptr);
    const std::wstring longText(200000, L'y');
    SendMessageW(folder, WM_SETTEXT, 0, LPARAM(longText.c_str()));
    const DWORD start = GetTickCount();
    ASSERT_TRUE(app_->CloseAndWait(10000));
    EXPECT_LT(GetTickCount() - start, 3000u);
    // What the next run can read back is what is kept.
    for (const auto& [key, letter] : {std::pair{L"C0_01", L'y'}, std::pair{L"C0_02", L'x'}}) {
        const std::wstring stored = Ini(L"SET0", key);
        EXPECT_EQ(stored.size(), 2047u);
        EXPECT_EQ(stored.find_first_not_of(letter), std::wstring::npos);
    }
}

TEST_F(ShellTest, TrayIconBringsTheWindowBackAndItsMenuEndsTheProgram) {
    StartWith();
    ToTray();
    TrayNotify(WM_LBUTTONUP); // a single click does nothing
    Pump(500);
    EXPECT_FALSE(IsWindowVisible(main_));

    RestoreFromTray();
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == main_; }, 3000));
    EXPECT_EQ(Place().first, 20);
    ToTray(); // the icon was already there: only the window goes

    // The menu opens where the pointer is, and Escape closes it without a command.
    HWND menu = OpenMenuAt(600, 450);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(WindowRectOf(menu).left, 600);
    EXPECT_EQ(WindowRectOf(menu).top, 450);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, 3000));
    Pump(300);
    EXPECT_TRUE(app_->Running());
    EXPECT_FALSE(IsWindowVisible(main_));

    // "オプション画面(&O)..." shows the window too.
    ASSERT_NE(OpenMenuAt(500, 400), nullptr);
    PressKey('O');
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main_) != FALSE; }, 5000));
    ToTray();

    // "終了(&X)" by its access key, while the window is hidden.
    ExitFromTrayMenu();
    ExpectStored({{L"M_TOP", L"20"}, {L"M_LEFT", L"20"}, {L"C0_01", app_->Folder()}});
}

// The taskbar button minimises the active window: the tray icon still brings it back, and a
// close while it is minimised keeps the place it had, not the parking place off the screen.
TEST_F(ShellTest, MinimisedWindowComesBackFromTheTrayAndKeepsItsPlace) {
    StartWith();
    ToTray();
    RestoreFromTray();
    PostMessageW(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(main_) != FALSE; }, 3000));
    TrayNotify(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(main_); }, 5000));
    // Wine may show the window a moment before it moves it back from the minimised place.
    WaitFor([&] { return Place() == std::pair(20, 20); }, 2000);
    EXPECT_EQ(Place(), std::pair(20, 20));

    PostMessageW(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(main_) != FALSE; }, 3000));
    PostMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(Exited());
    ExpectStored({{L"M_LEFT", L"20"}, {L"M_TOP", L"20"}});
}

TEST_F(ShellTest, RestartKeepsEveryOption) {
    const std::string preset = SettingsText(kFullSettings);
    StartWith(preset);
    EXPECT_EQ(Place(), std::pair(260, 140));
    // The taskbar button's Close.
    PostMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(Exited());
    ExpectStored(kFullSettings);
    // An existing file keeps its encoding: the values written back leave it as it was.
    EXPECT_EQ(FileBytes(app_->File(L"Pelorine.ini")), preset);
}

// A click toggles a box, each press of a double click toggles it (so it ends as it was), and the
// space bar toggles the box that has the focus; the settings file gets the last states.
TEST_F(ShellTest, CheckBoxesToggleByClickDoubleClickAndSpace) {
    StartWith();
    const std::vector<COLORREF> checked = BoxLook(L"CheckBox2"), unchecked = BoxLook(L"CheckBox3");
    ASSERT_NE(checked, unchecked);
    auto shows = [&](const wchar_t* box, const std::vector<COLORREF>& look) {
        return WaitFor([&] { return BoxLook(box) == look; }, 3000);
    };

    ClickBox(L"CheckBox3");
    EXPECT_TRUE(shows(L"CheckBox3", checked));
    ClickBox(L"CheckBox2");
    ClickBox(L"CheckBox2"); // a double click: two toggles
    Pump(300);
    EXPECT_TRUE(shows(L"CheckBox2", checked));
    ClickBox(L"CheckBox4"); // unchecks it and takes the focus
    EXPECT_TRUE(shows(L"CheckBox4", unchecked));
    PressKey(VK_SPACE);
    EXPECT_TRUE(shows(L"CheckBox4", checked));
    PressKey(VK_SPACE);
    EXPECT_TRUE(shows(L"CheckBox4", unchecked));

    PostMessageW(main_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Exited());
    ExpectStored({{L"TIMING", L"1"}, {L"CURSOR", L"1"}, {L"SOUND", L"0"}, {L"HOTKEY", L"1"}});
}

// Only the four spheres are the window: around them the window behind shows and takes the
// clicks, also after a trip to the tray.
TEST_F(ShellTest, TheWindowIsItsFourSpheresAndTheDesktopShowsAroundThem) {
    // Another program's window under Pelorine, one colour all over.
    constexpr COLORREF kBehind = RGB(200, 30, 160);
    TargetWindow behind(0, 0, 700, 800, kBehind);
    StartWith();
    // A point of each disc where no control lies, and points just beside the outline.
    const POINT onDiscs[] = {{60, 120}, {340, 230}, {330, 395}, {100, 540}};
    const POINT beside[] = {{28, 75}, {150, 350}, {0, 453}};
    for (int round = 0; round < 2; ++round) {
        for (const POINT p : onDiscs)
            EXPECT_EQ(ScreenPixel(OnWindow(p)), SkinPixel(p)) << p.x << "," << p.y << " round " << round;
        for (const POINT p : beside) {
            EXPECT_EQ(ScreenPixel(OnWindow(p)), kBehind) << p.x << "," << p.y << " round " << round;
            EXPECT_EQ(WindowFromPoint(OnWindow(p)), behind.Handle());
        }
        if (round == 0) {
            ToTray();
            RestoreFromTray();
            Pump(500);
        }
    }
    const POINT gap = OnWindow(POINT{150, 350});
    ClickAt(gap.x, gap.y);
    EXPECT_TRUE(WaitFor([] { return TargetWindow::Clicks() == 1; }, 3000));
}

// The three section titles run from pale yellow through white back to pale yellow: their
// glyphs, full red and green, show the ends, the middle and steps between.
TEST_F(ShellTest, TheSectionTitlesShowTheirTextGradient) {
    StartWith();
    PointerAway(); // no hint over the titles
    for (const wchar_t* title : {L"ShadowLabel15", L"ShadowLabel16", L"ShadowLabel8"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(title)));
        const POINT at = OnWindow({Row(title).left, Row(title).top});
        std::set<COLORREF> glyphColours;
        for (const COLORREF c : ScreenPixels({at.x, at.y, at.x + Row(title).width, at.y + Row(title).height}))
            if (GetRValue(c) == 255 && GetGValue(c) == 255) glyphColours.insert(c);
        EXPECT_TRUE(glyphColours.contains(RGB(255, 255, 0xB0)));
        EXPECT_TRUE(glyphColours.contains(RGB(255, 255, 255)));
        EXPECT_GE(glyphColours.size(), 3u);
    }
}

TEST_F(ShellTest, DraggingTheSkinMovesTheWindowAndAnEditFieldDoesNot) {
    StartWith();
    // The press point must be the window's own surface, inside its outline.
    const POINT skin = OnWindow(kBareSkin);
    ASSERT_EQ(WindowFromPoint(skin), main_);

    DragFromTo(skin.x, skin.y, skin.x + 150, skin.y + 70);
    ASSERT_TRUE(WaitFor([&] { return Place().first != 20; }, 3000));
    Pump(300);
    EXPECT_EQ(Place(), std::pair(170, 90));

    // A double-click on the skin is no caption's double-click: the window keeps its size.
    const POINT moved = OnWindow(kBareSkin);
    ClickAt(moved.x, moved.y);
    ClickAt(moved.x, moved.y);
    Pump(800);
    EXPECT_EQ(Size(), std::pair(361, 553));
    EXPECT_EQ(Place().first, 170);

    const POINT field = Middle(L"C0_02");
    ASSERT_NE(WindowFromPoint(field), main_);
    DragFromTo(field.x, field.y, field.x + 120, field.y + 60);
    Pump(800);
    EXPECT_EQ(Place(), std::pair(170, 90));

    // The exit from the tray writes the place the hidden window was moved to.
    ToTray();
    ExitFromTrayMenu();
    ExpectStored({{L"M_LEFT", L"170"}, {L"M_TOP", L"90"}});
}

// A settings file that cannot be written asks at every close; いいえ, the default, keeps the
// program with its icon, はい ends it without writing.
TEST_F(ShellTest, AnUnwritableSettingsFileAsksWhetherToQuitWithoutSaving) {
    StartWith("[SET]\r\nM_TOP=20\r\nM_LEFT=20\r\n");
    const std::wstring ini = app_->File(L"Pelorine.ini");
    ASSERT_TRUE(SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY));
    ToTray();
    ASSERT_NE(OpenMenuAt(500, 400), nullptr);
    PressKey('X');
    HWND box = app_->WaitErrorBox(8000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), ini + L" に書き込めません.\n\n設定を保存せずに終了しますか?");
    EXPECT_EQ(WindowCaption(box), L"Pelorine");
    EXPECT_NE(GetDlgItem(box, IDYES), nullptr);
    EXPECT_NE(GetDlgItem(box, IDNO), nullptr);
    EXPECT_EQ(GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    DismissMessageBox(box, IDNO);
    Pump(1000);
    ASSERT_TRUE(app_->Running());
    EXPECT_EQ(app_->WaitErrorBox(0), nullptr);
    EXPECT_EQ(FileBytes(ini), "[SET]\r\nM_TOP=20\r\nM_LEFT=20\r\n");

    // The icon still answers; a close from the window asks again, and はい ends the program.
    RestoreFromTray();
    PostMessageW(main_, WM_CLOSE, 0, 0);
    box = app_->WaitErrorBox(8000);
    ASSERT_NE(box, nullptr);
    DismissMessageBox(box, IDYES);
    ASSERT_TRUE(Exited());
    DWORD code = 1;
    GetExitCodeProcess(app_->Process(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FileBytes(ini), "[SET]\r\nM_TOP=20\r\nM_LEFT=20\r\n");
}

// A shutdown or logoff ends Pelorine as Windows does it (here Wine's own session end): the
// changed option and the serial number past the files saved in the session are kept.
TEST_F(ShellTest, TheEndOfTheSessionKeepsTheSettings) {
    StartWith("[SET]\r\nSOUND=0\r\n[SET1]\r\nC1_01=4\r\n");
    ClickBox(L"CheckBox2"); // checked by default
    Pump(300);
    for (const wchar_t* name : {L"Snap0.png", L"Snap1.png"}) {
        PressKey(VK_F10);
        ASSERT_TRUE(WaitFor([&] { return FileExists(app_->File(name)); }, 20000)) << name;
    }
    Pump(500);
    std::wstring cmd = L"wineboot.exe -e";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        GTEST_SKIP() << "no wineboot: not under Wine";
    CloseHandle(pi.hThread);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
    CloseHandle(pi.hProcess);
    ASSERT_TRUE(Exited());
    EXPECT_EQ(app_->WaitErrorBox(0), nullptr);
    ExpectStored({{L"CURSOR", L"0"}, {L"C0_03", L"2"}});
}

// One Pelorine per session: a second start brings the running one back from the tray and ends
// without a window of its own and without touching the settings file.
TEST_F(ShellTest, ASecondStartShowsTheRunningCopyAndEnds) {
    const std::string preset = "[SET0]\r\nC0_02=Mine\r\nC0_03=5\r\n";
    StartWith(preset);
    ToTray();
    EXPECT_EQ(app_->RunAnotherCopy(15000), 0u);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main_) != FALSE; }, 5000));
    EXPECT_EQ(std::ranges::count_if(
                  TopWindows(),
                  [](HWND w) { return ClassOf(w) == L"PelorineWindow" && WindowCaption(w) == L"Pelorine"; }),
              1);
    EXPECT_EQ(FileBytes(app_->File(L"Pelorine.ini")), preset);
    ASSERT_TRUE(app_->Running());
}

// A copy started as administrator makes the session's mutex so that a normal copy may not open
// it. The normal copy then ends as beside any running copy: without a window of its own.
TEST_F(ShellTest, AMutexThatMayNotBeOpenedCountsAsARunningCopy) {
    const wchar_t* name = L"Local\\Pelorine.SingleInstance";
    PSECURITY_DESCRIPTOR denyAll = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;GA;;;WD)", SDDL_REVISION_1,
                                                                     &denyAll, nullptr));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, denyAll, FALSE};
    const pelorine::UniqueKernelHandle held(CreateMutexW(&attributes, FALSE, name));
    LocalFree(denyAll);
    ASSERT_TRUE(held.get());
    SetLastError(0);
    const HANDLE opened = CreateMutexW(nullptr, FALSE, name);
    if (opened) CloseHandle(opened);
    ASSERT_EQ(opened, nullptr) << "the mutex's security descriptor is not enforced here";
    ASSERT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));

    EXPECT_EQ(app_->RunAnotherCopy(15000), 0u);
    EXPECT_FALSE(FileExists(app_->File(L"Pelorine.ini")));
}

TEST_F(ShellTest, TypingAFolderPathKeepsItsBackslashes) {
    StartWith("[SET0]\r\nC0_01=C:\\caps\r\n");
    const POINT field = Middle(L"C0_01");
    const HWND edit = WindowFromPoint(field);
    ASSERT_EQ(ClassOf(edit), L"Edit");
    ClickAt(field.x, field.y);
    ASSERT_TRUE(WaitFor(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info) &&
                   info.hwndFocus == edit;
        },
        5000));
    const auto text = [&] {
        wchar_t buffer[64] = {};
        SendMessageW(edit, WM_GETTEXT, 64, LPARAM(buffer));
        return std::wstring(buffer);
    };
    for (const WORD vk : {WORD(VK_END), WORD(VK_OEM_5), WORD('N'), WORD('E'), WORD('W'), WORD(VK_OEM_5)})
        PressKey(vk);
    EXPECT_TRUE(WaitFor([&] { return text() == L"C:\\caps\\new\\"; }, 5000)) << Narrow(text());
    EXPECT_EQ(HIWORD(SendMessageW(edit, EM_GETSEL, 0, 0)), 12); // the caret after the "\\"
    PressKey(VK_TAB);                                           // leaving the field drops the final "\"
    EXPECT_TRUE(WaitFor([&] { return text() == L"C:\\caps\\new"; }, 5000)) << Narrow(text());
}

// Resting the pointer on a control shows its hint after about half a second: our rounded window,
// whose caption is the hint text with its leading blank, a little below the pointer. The next
// button's hint follows at once, and goes after about two and a half seconds.
TEST_F(ShellTest, RestingOnAControlShowsItsRoundedHintForAWhile) {
    StartWith();
    PointerAway();
    HWND hint = nullptr;
    const auto shown = [&] {
        hint = FindProcessWindow(
            pid_, [](HWND w) { return ClassOf(w) == L"PelorineHint" && IsWindowVisible(w) != FALSE; });
        return hint != nullptr;
    };
    ASSERT_FALSE(shown());

    const POINT on = Middle(L"CButton1");
    MouseTo(on.x, on.y);
    const DWORD start = GetTickCount();
    ASSERT_TRUE(WaitFor(shown, 5000));
    const DWORD showing = GetTickCount();
    EXPECT_EQ(WindowCaption(hint), L" 閉じる");
    const RECT rc = WindowRectOf(hint);
    EXPECT_EQ(rc.left, on.x);
    EXPECT_GT(rc.top, on.y);
    // Rounded: the corner is cut away; the dark cyan brush fills it beside the text.
    pelorine::UniqueRgn rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(hint, rgn.get()), ERROR);
    EXPECT_FALSE(PtInRegion(rgn.get(), 0, 0));
    EXPECT_TRUE(PtInRegion(rgn.get(), 0, (rc.bottom - rc.top) / 2));
    EXPECT_EQ(ScreenPixel({rc.right - 4, (rc.top + rc.bottom) / 2}), COLORREF(0x00DBDB00));

    const POINT next = Middle(L"CButton2");
    MouseTo(next.x, next.y);
    const DWORD moved = GetTickCount();
    ASSERT_TRUE(WaitFor([&] { return shown() && WindowCaption(hint) == L" ユーザーズガイド"; }, 5000));
    const DWORD switched = GetTickCount();
    EXPECT_EQ(WindowRectOf(hint).left, next.x);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(hint); }, 8000));
    const DWORD hidden = GetTickCount();

    // Shown after the pause of 500 ms, switched at once, hidden 2.5 s later: the order, and each
    // step within twice the slack a loaded machine needs. The switch comes sooner than a pause.
    EXPECT_GE(showing - start, 400u);
    EXPECT_LE(showing - start, 2500u);
    EXPECT_LT(switched - moved, 500u);
    EXPECT_GE(hidden - switched, 2200u);
    EXPECT_LE(hidden - switched, 5000u);
}
