#include "framework/TrayIcon.h"

#include "framework/Application.h"
#include "framework/Wine.h"

#include <dwmapi.h>
#include <shellapi.h>

namespace pelorine {

TTrayIcon::TTrayIcon(TComponent* owner)
    : TComponent(owner), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    // A top-level hidden window (not message-only) so that it hears the shell's broadcasts.
    CreateHandle(0, L"", WS_POPUP, Rect{}, nullptr);
    // Also from a shell of lower integrity than ours, when we run elevated.
    ChangeWindowMessageFilterEx(Handle(), taskbarCreated_, MSGFLT_ALLOW, nullptr);
}

TTrayIcon::~TTrayIcon() {
    if (active_) Notify(NIM_DELETE);
}

void TTrayIcon::Notify(DWORD what) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = Handle();
    nid.uID = 0;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = WM_TRAYNOTIFY;
    nid.hIcon = icon_.get();
    lstrcpynW(nid.szTip, hint_.c_str(), 64);
    Shell_NotifyIconW(what, &nid); // no notification area: nothing to be done about it
}

void TTrayIcon::SetIcon(IconLoader load) {
    load_ = std::move(load);
    LoadAtScale(WindowScale(Handle()));
}

void TTrayIcon::LoadAtScale(const Scale& scale) {
    loadedFor_ = scale;
    if (load_) icon_ = load_(SystemMetric(SM_CXSMICON, scale));
}

// A hidden window may miss WM_DPICHANGED (the scale changed while no window was on that monitor,
// or before the shell came back): the scale is also checked whenever the icon is added.
void TTrayIcon::FollowScale() {
    const Scale now = WindowScale(Handle());
    if (now != loadedFor_) LoadAtScale(now);
}

void TTrayIcon::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (active) {
        Application().ProcessMessages();
        FollowScale();
        Notify(NIM_ADD);
    } else {
        Notify(NIM_DELETE);
    }
}

void TTrayIcon::GiveForegroundBack(HWND previous) const {
    if (!previous || previous == Handle() || !SetForegroundWindow(previous)) return;
    // Wine hands another program's window the foreground only once that program's thread takes
    // the activation, after the call has returned: a second at most is waited for it.
    if (!RunningOnWine()) return;
    for (const DWORD start = GetTickCount();
         GetForegroundWindow() != previous && GetTickCount() - start < 1000;)
        Sleep(10);
}

LRESULT TTrayIcon::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == taskbarCreated_) {
        if (!active_) return 0;
        FollowScale();
        Notify(NIM_ADD); // the shell restarted and forgot our icon
        return 0;
    }
    if (msg == WM_DPICHANGED) {
        LoadAtScale(Scale(HIWORD(wp)));
        if (active_) Notify(NIM_MODIFY);
        return 0;
    }
    if (msg != WM_TRAYNOTIFY) return TWindow::WndProc(msg, wp, lp);
    switch (LOWORD(lp)) {
    case WM_RBUTTONDOWN:
        if (PopupMenu) {
            POINT at;
            GetCursorPos(&at);
            // The menu needs the foreground; the window that had it gets it back before the
            // chosen command runs, so that "active window" means the one the user worked in.
            const HWND previous = GetForegroundWindow();
            SetForegroundWindow(Handle());
            Application().ProcessMessages();
            PopupMenu->Popup(Handle(), at.x, at.y, [&] { GiveForegroundBack(previous); });
        }
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (OnDblClick) OnDblClick(this);
        break;
    }
    return 0;
}

void WaitForShellRepaint() {
    // The taskbar repaints its notification area after Shell_NotifyIcon has returned; waiting
    // for it to answer a message gives its thread that turn: 50 ms at most, none when it hangs.
    if (HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr))
        SendMessageTimeoutW(taskbar, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 50, nullptr);
    // The compositor shows the repainted area with its next frame.
    BOOL composed = FALSE;
    if (SUCCEEDED(DwmIsCompositionEnabled(&composed)) && composed) DwmFlush();
}

} // namespace pelorine
