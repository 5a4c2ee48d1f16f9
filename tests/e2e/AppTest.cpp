#include "e2e/AppTest.h"

namespace e2e {

void AppTest::StartWith(const std::string& ini) {
    if (app_->Process()) app_ = std::make_unique<PelorineProcess>();
    if (!ini.empty()) WriteFileBytes(app_->File(L"Pelorine.ini"), ini);
    app_->Start();
    main_ = app_->MainWindow();
    ASSERT_NE(main_, nullptr);
    GetWindowThreadProcessId(main_, &pid_);
    // The one top-level window of ours without a title.
    tray_ = FindProcessWindow(
        pid_, [](HWND w) { return ClassOf(w) == L"PelorineWindow" && WindowCaption(w).empty(); });
    ASSERT_NE(tray_, nullptr);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main_) != FALSE; }, 5000));
    Pump(500);
}

void AppTest::TearDown() {
    if (app_ && app_->Running()) {
        EXPECT_TRUE(app_->CloseAndWait(15000));
    }
}

RECT AppTest::WindowRect() const {
    RECT rc{};
    GetWindowRect(main_, &rc);
    return rc;
}

POINT AppTest::OnWindow(POINT client) const {
    const RECT rc = WindowRect();
    return {rc.left + client.x, rc.top + client.y};
}

POINT AppTest::Middle(const wchar_t* control) const {
    const auto& row = Row(control);
    return OnWindow({row.left + row.width / 2, row.top + row.height / 2});
}

void AppTest::WaitIdle() const {
    DWORD_PTR result = 0;
    WaitFor([&] { return SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 200, &result) != 0; }, 10000);
}

bool AppTest::Exited(int timeoutMs) const {
    return WaitFor([&] { return !app_->Running(); }, timeoutMs);
}

std::wstring AppTest::Ini(const std::wstring& section, const std::wstring& key) const {
    std::wstring value(4096, L'\0');
    value.resize(GetPrivateProfileStringW(section.c_str(), key.c_str(), L"<missing>", value.data(),
                                          DWORD(value.size()), app_->File(L"Pelorine.ini").c_str()));
    return value;
}

void AppTest::ExpectStored(const Settings& expected) const {
    for (const auto& [key, value] : expected) {
        SCOPED_TRACE(testing::PrintToString(key));
        EXPECT_EQ(Ini(testing_support::SectionOf(key), key), value);
    }
}

std::pair<int, int> AppTest::Place() const {
    const RECT rc = WindowRect();
    return {rc.left, rc.top};
}

std::pair<int, int> AppTest::Size() const {
    const RECT rc = WindowRect();
    return {rc.right - rc.left, rc.bottom - rc.top};
}

void AppTest::ToTray() {
    const POINT at = Middle(L"CButton4");
    ClickAt(at.x, at.y);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); }, 5000));
    WaitIdle();
}

void AppTest::RestoreFromTray() {
    TrayNotify(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main_) != FALSE; }, 5000));
}

HWND AppTest::OpenMenuAt(int x, int y) const {
    SetCursorPos(x, y);
    // The program reads the pointer when the notification comes: on a busy machine the move
    // may not have landed yet.
    WaitFor(
        [&] {
            POINT at{};
            return GetCursorPos(&at) && at.x == x && at.y == y;
        },
        2000);
    TrayNotify(WM_RBUTTONDOWN);
    HWND menu = nullptr;
    WaitFor([&] { return (menu = app_->VisibleWindowOfClass(L"#32768")) != nullptr; }, 5000);
    return menu;
}

void AppTest::ChooseFromTrayMenu(std::initializer_list<WORD> accessKeys) {
    ASSERT_NE(OpenMenuAt(500, 400), nullptr);
    for (const WORD key : accessKeys)
        PressKey(key);
    ASSERT_TRUE(WaitFor([&] { return app_->VisibleWindowOfClass(L"#32768") == nullptr; }, 5000));
}

void AppTest::PointerAway() const {
    const POINT away = OnWindow(kBareSkin);
    MouseTo(away.x, away.y);
    // No hint for longer than the hint's pause of 500 ms: none is on its way either.
    DWORD quietSince = GetTickCount();
    WaitFor(
        [&] {
            POINT at{};
            const bool hint = FindProcessWindow(
                pid_, [](HWND w) { return ClassOf(w) == L"PelorineHint" && IsWindowVisible(w) != FALSE; });
            if (hint || !GetCursorPos(&at) || at.x != away.x || at.y != away.y) quietSince = GetTickCount();
            return GetTickCount() - quietSince >= 700;
        },
        5000);
}

std::vector<COLORREF> AppTest::BoxLook(const wchar_t* box) const {
    PointerAway();
    // Inside the edge, where the focus mark goes: Wine always shows the keyboard cues, so a
    // clicked box carries the mark there.
    const POINT at = OnWindow({Row(box).left, Row(box).top});
    return ScreenPixels({at.x + 1, at.y + 1, at.x + 12, at.y + 12});
}

bool AppTest::ToggleBox(const wchar_t* box) const {
    const std::vector<COLORREF> before = BoxLook(box);
    const POINT at = Middle(box);
    ClickAt(at.x, at.y);
    return WaitFor([&] { return BoxLook(box) != before; }, 5000);
}

void AppTest::ExitFromTrayMenu() {
    ASSERT_NE(OpenMenuAt(500, 400), nullptr);
    PressKey('X');
    ASSERT_TRUE(Exited());
}

} // namespace e2e
