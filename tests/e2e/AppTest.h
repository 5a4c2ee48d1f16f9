#pragma once
// The fixture of the end-to-end tests: a copy of the program started by each test and ended
// after it, with the steps many tests take (the way to the tray and back, the tray menu's exit).
#include "e2e/Driver.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// A copy of the program for each test, started by the test and ended after it.
class AppTest : public testing::Test {
  protected:
    static constexpr UINT kTrayNotify = WM_USER + 101;
    // A place on the skin where no control lies (on the centre disc, below the file name fields).
    static constexpr POINT kBareSkin{200, 340};

    // Starts the copy with that settings file (none when empty); a second call starts a new copy.
    void StartWith(const std::string& ini = "");
    void TearDown() override;

    // A point given from the main window's corner, on the screen.
    POINT OnWindow(POINT client) const;
    // The middle of a control of the main window, on the screen.
    POINT Middle(const wchar_t* control) const;
    RECT WindowRect() const;
    // Under Wine without a window manager, hiding the active window keeps the program busy for
    // about two seconds, so a step waits until the program answers again.
    void WaitIdle() const;
    bool Exited(int timeoutMs = 15000) const;
    std::wstring Ini(const std::wstring& section, const std::wstring& key) const;
    // The settings file holds these values, each under its key's section: one check per key.
    void ExpectStored(const Settings& expected) const;
    // The main window's (left, top) and (width, height).
    std::pair<int, int> Place() const;
    std::pair<int, int> Size() const;

    void TrayNotify(UINT mouseMessage) const { PostMessageW(tray_, kTrayNotify, 0, mouseMessage); }
    // "タスクトレイへ": the window goes, the icon stays.
    void ToTray();
    // A double click on the tray icon shows the window again.
    void RestoreFromTray();
    // The tray icon's menu, opened with the pointer there.
    HWND OpenMenuAt(int x, int y) const;
    // "終了(&X)" of the tray icon's menu, by its access key.
    void ExitFromTrayMenu();
    // Chooses an item of the tray icon's menu by the access keys on its way ('C', 'W' …).
    void ChooseFromTrayMenu(std::initializer_list<WORD> accessKeys);
    // The pointer rests on the bare skin, and no hint shows.
    void PointerAway() const;
    // What the screen shows inside the edge of a 13 x 13 check box, with the pointer away.
    std::vector<COLORREF> BoxLook(const wchar_t* box) const;
    // Clicks the box and waits until the screen shows its new look: the click has been handled.
    bool ToggleBox(const wchar_t* box) const;

    std::unique_ptr<PelorineProcess> app_ = std::make_unique<PelorineProcess>();
    HWND main_ = nullptr;
    HWND tray_ = nullptr; // the tray icon's hidden window
    DWORD pid_ = 0;
};

} // namespace e2e
