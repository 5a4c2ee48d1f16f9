#include "e2e/Driver.h"

#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <thread>
#include <vector>

namespace e2e {

namespace {
void RemoveFolder(const std::wstring& folder) {
    std::wstring from = folder + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

std::wstring NewFolder() {
    static int counter = 0;
    const std::wstring folder = testing_support::TempPath(
        L"pelorine-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    RemoveFolder(folder); // a run that was killed leaves its folder, and process ids come round again
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void SendMouse(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi = {x, y, 0, flags, 0, 0};
    SendInput(1, &in, sizeof in);
}

void MouseButton(bool up) { SendMouse(up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN); }
} // namespace

void MouseTo(int x, int y) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
              LONG(x * 65535.0 / (GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5),
              LONG(y * 65535.0 / (GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5));
}

PelorineProcess::PelorineProcess(const std::string& ini) : folder_(NewFolder()) {
    const std::wstring exe = BuildDir() + L"\\Pelorine.exe";
    if (!CopyFileW(exe.c_str(), File(L"Pelorine.exe").c_str(), FALSE))
        throw std::runtime_error("cannot copy Pelorine.exe");
    if (!ini.empty()) WriteFileBytes(File(L"Pelorine.ini"), ini);
}

PelorineProcess::~PelorineProcess() {
    if (pi_.hProcess) {
        if (Running()) {
            TerminateProcess(pi_.hProcess, 1);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    RemoveFolder(folder_);
}

PROCESS_INFORMATION PelorineProcess::Launch() const {
    std::wstring cmd = L"\"" + File(L"Pelorine.exe") + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si, &pi))
        throw std::runtime_error("cannot start Pelorine.exe");
    return pi;
}

void PelorineProcess::Start() {
    pi_ = Launch();
    WaitForInputIdle(pi_.hProcess, 15000);
}

DWORD PelorineProcess::RunAnotherCopy(int timeoutMs) const {
    const PROCESS_INFORMATION pi = Launch();
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(pi.hProcess, DWORD(timeoutMs)) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

bool PelorineProcess::Running() const {
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

namespace {
BOOL CALLBACK Collect(HWND w, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(w);
    return TRUE;
}
} // namespace

std::vector<HWND> TopWindows() {
    std::vector<HWND> windows;
    EnumWindows(Collect, LPARAM(&windows));
    return windows;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(parent, Collect, LPARAM(&windows));
    return windows;
}

HWND FindProcessWindow(DWORD pid, const std::function<bool(HWND)>& match) {
    for (const HWND w : TopWindows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && match(w)) return w;
    }
    return nullptr;
}

HWND PelorineProcess::WaitWindow(const std::function<bool(HWND)>& match, int timeoutMs) const {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindProcessWindow(pi_.dwProcessId, match)) != nullptr; }, timeoutMs);
    return found;
}

HWND PelorineProcess::MainWindow(int timeoutMs) {
    return WaitWindow(
        [](HWND w) {
            return ClassOf(w) == L"PelorineWindow" && WindowCaption(w) == L"Pelorine" &&
                   (GetWindowLongW(w, GWL_STYLE) & WS_POPUP);
        },
        timeoutMs);
}

bool PelorineProcess::CloseAndWait(int timeoutMs) {
    if (HWND main = MainWindow(2000)) PostMessageW(main, WM_CLOSE, 0, 0);
    return WaitFor([&] { return !Running(); }, timeoutMs);
}

HWND PelorineProcess::WaitErrorBox(int timeoutMs) {
    return WaitWindow([](HWND w) { return ClassOf(w) == L"#32770" && IsWindowVisible(w); }, timeoutMs);
}

HWND PelorineProcess::VisibleWindowOfClass(const std::wstring& className) const {
    return FindProcessWindow(pi_.dwProcessId,
                             [&](HWND w) { return ClassOf(w) == className && IsWindowVisible(w); });
}

std::vector<int> PelorineProcess::SerialsIn(const std::wstring& folder, const std::wstring& prefix) const {
    std::vector<int> serials;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder), ec)) {
        const std::wstring name = entry.path().stem().wstring();
        if (name.rfind(prefix, 0) == 0 && name.size() > prefix.size())
            serials.push_back(std::stoi(name.substr(prefix.size())));
    }
    return serials;
}

HWND FindChildWithText(HWND parent, const std::wstring& text) {
    for (const HWND child : ChildWindows(parent)) {
        // WM_GETTEXT, not GetWindowText, which reads no control of another process.
        wchar_t buffer[MAX_PATH] = {};
        SendMessageW(child, WM_GETTEXT, MAX_PATH, LPARAM(buffer));
        if (text == buffer) return child;
    }
    return nullptr;
}

std::wstring MessageBoxText(HWND box) {
    for (const HWND child : ChildWindows(box))
        if (_wcsicmp(ClassOf(child).c_str(), L"Static") == 0 && GetDlgCtrlID(child) == 0xFFFF)
            return WindowCaption(child);
    return L"";
}

std::wstring WindowCaption(HWND wnd) {
    wchar_t title[256] = {};
    GetWindowTextW(wnd, title, 256);
    return title;
}

void DismissMessageBox(HWND box, int button) { PostMessageW(box, WM_COMMAND, WPARAM(button), 0); }

void SendKey(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki = {vk, 0, DWORD(up ? KEYEVENTF_KEYUP : 0), 0, 0};
    SendInput(1, &in, sizeof in);
}

void PressKey(WORD vk) {
    SendKey(vk, false);
    Sleep(30);
    SendKey(vk, true);
}

void PressChord(WORD modifier, WORD vk) {
    SendKey(modifier, false);
    Sleep(30);
    PressKey(vk);
    Sleep(30);
    SendKey(modifier, true);
}

void ClickAt(int x, int y) {
    MouseTo(x, y);
    Sleep(50);
    MouseButton(false);
    Sleep(50);
    MouseButton(true);
}

void DragFromTo(int x0, int y0, int x1, int y1) {
    MouseTo(x0, y0);
    Sleep(50);
    MouseButton(false);
    for (int i = 1; i <= 10; ++i) {
        Sleep(30);
        MouseTo(x0 + (x1 - x0) * i / 10, y0 + (y1 - y0) * i / 10);
    }
    Sleep(50);
    MouseButton(true);
}

void Pump(int ms) { testing_support::PumpFor(DWORD(ms)); }

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    const DWORD end = GetTickCount() + DWORD(timeoutMs);
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() >= end) return false;
        Pump(50);
    }
}

std::optional<BitmapSize> WaitClipboardBitmap(DWORD sequenceBefore, int timeoutMs) {
    if (!WaitFor([&] { return GetClipboardSequenceNumber() != sequenceBefore; }, timeoutMs))
        return std::nullopt;
    for (int attempt = 0; attempt < 50; ++attempt, Pump(50)) {
        if (!OpenClipboard(nullptr)) continue;
        std::optional<BitmapSize> size;
        if (HBITMAP bmp = HBITMAP(GetClipboardData(CF_BITMAP))) {
            BITMAP bm{};
            GetObjectW(bmp, sizeof bm, &bm);
            size = BitmapSize{bm.bmWidth, bm.bmHeight};
        }
        CloseClipboard();
        if (size) return size;
    }
    return std::nullopt;
}

std::optional<BitmapSize> PressForPicture(WORD key, int timeoutMs) {
    const DWORD before = GetClipboardSequenceNumber();
    PressKey(key);
    return WaitClipboardBitmap(before, timeoutMs);
}

bool F8StillCaptures() { return PressForPicture(VK_F8).has_value(); }

const pelorine::mainform::ControlRow& Row(const wchar_t* name) {
    const auto& rows = pelorine::mainform::kControls;
    const auto row =
        std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return std::wstring(r.name) == name; });
    if (row == rows.end()) throw std::invalid_argument("no such control");
    return *row;
}

std::vector<HWND> WineTrayIcons() {
    std::vector<HWND> icons;
    for (const HWND top : TopWindows())
        for (const HWND child : ChildWindows(top))
            if (ClassOf(child) == L"__winex11_tray_icon") icons.push_back(child);
    return icons;
}

} // namespace e2e
