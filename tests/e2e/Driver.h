#pragma once
// Drives the real Pelorine.exe as a person would: a copy in a fresh program folder, keys and
// clicks through SendInput, and what it leaves on the clipboard, in files and on the screen.
#include "forms/MainForm1Layout.h"
#include "support/WinTest.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

class PelorineProcess {
  public:
    // Copies the exe into a new folder; writes the settings file first when ini is not empty.
    explicit PelorineProcess(const std::string& ini = "");
    ~PelorineProcess();
    PelorineProcess(const PelorineProcess&) = delete;
    PelorineProcess& operator=(const PelorineProcess&) = delete;

    void Start();
    // The main window ("Pelorine", our window class) of this process, once it exists.
    HWND MainWindow(int timeoutMs = 15000);
    bool Running() const;
    // Asks the main window to close; true when the process ended within the time.
    bool CloseAndWait(int timeoutMs = 10000);
    const std::wstring& Folder() const { return folder_; }
    std::wstring File(const std::wstring& name) const { return folder_ + L"\\" + name; }
    // A standard error box of this process, if one appears within the time.
    HWND WaitErrorBox(int timeoutMs);
    // A visible top-level window of this process of that class ("#32768" is a menu), or null.
    HWND VisibleWindowOfClass(const std::wstring& className) const;
    // Serial numbers of the files "<prefix><n><ext>" in the folder.
    std::vector<int> SerialsIn(const std::wstring& folder, const std::wstring& prefix) const;
    HANDLE Process() const { return pi_.hProcess; }
    // Starts the same exe once more and waits for that copy to end: its exit code, or
    // STILL_ACTIVE (and the copy is ended) when it runs on.
    DWORD RunAnotherCopy(int timeoutMs) const;

  private:
    PROCESS_INFORMATION Launch() const; // a new process of the copy's exe, in its folder
    HWND WaitWindow(const std::function<bool(HWND)>& match, int timeoutMs) const;
    std::wstring folder_;
    PROCESS_INFORMATION pi_{};
};

// The text of a message box (its static text).
std::wstring MessageBoxText(HWND box);
std::wstring WindowCaption(HWND wnd);
// Presses a button of a message box (IDOK, IDYES, IDNO …).
void DismissMessageBox(HWND box, int button = IDOK);
// The top-level windows, and the windows below a parent (at any depth), of every process.
std::vector<HWND> TopWindows();
std::vector<HWND> ChildWindows(HWND parent);
// Finds a top-level window of a process that satisfies the predicate.
HWND FindProcessWindow(DWORD pid, const std::function<bool(HWND)>& match);

// One key going down or up; a key-down without its key-up is what an auto-repeat sends.
void SendKey(WORD vk, bool up);
void PressKey(WORD vk);
// Holds the modifier while the key is pressed (Alt+Space: VK_MENU, VK_SPACE).
void PressChord(WORD modifier, WORD vk);
// The child window of the parent, in any process, whose text is exactly the given one.
HWND FindChildWithText(HWND parent, const std::wstring& text);
// Moves the pointer as the mouse would, with the move messages that go with it.
void MouseTo(int x, int y);
void ClickAt(int x, int y);
void DragFromTo(int x0, int y0, int x1, int y1);
// Keeps this process's messages moving for a while.
void Pump(int ms);
bool WaitFor(const std::function<bool()>& condition, int timeoutMs);

struct BitmapSize {
    int width = 0;
    int height = 0;
    bool operator==(const BitmapSize&) const = default;
};
inline void PrintTo(const BitmapSize& s, std::ostream* os) { *os << s.width << " x " << s.height; }
// The clipboard's bitmap size once the clipboard has changed since the given sequence number.
std::optional<BitmapSize> WaitClipboardBitmap(DWORD sequenceBefore, int timeoutMs);
// Presses the key and waits for the new bitmap that it puts on the clipboard.
std::optional<BitmapSize> PressForPicture(WORD key, int timeoutMs = 5000);
// Whether F8 still puts a new bitmap on the clipboard (the program goes on after an error).
bool F8StillCaptures();

// A plain top-level window of known size and colour, to be the active window of a capture.
using TargetWindow = testing_support::ColorWindow;

using testing_support::BuildDir;
using testing_support::ClassOf;
using testing_support::FileBytes;
using testing_support::FileExists;
using testing_support::Narrow;
using testing_support::ScreenPixel;
using testing_support::ScreenPixels;
using testing_support::Settings;
using testing_support::SettingsText;
using testing_support::ToWindowsPath;
using testing_support::Utf16File;
using testing_support::WriteFileBytes;

// The test screen (Xvfb 1280 × 1024 × 24).
constexpr int kScreenW = 1280, kScreenH = 1024;

// The main window's control of that name in the layout table.
const pelorine::mainform::ControlRow& Row(const wchar_t* name);
// Wine (without a tray of the desktop's own) shows each notification icon as a small window of
// its standalone tray; Windows shows them in no window that could be found.
std::vector<HWND> WineTrayIcons();

} // namespace e2e
