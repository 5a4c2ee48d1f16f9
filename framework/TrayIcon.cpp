#include "framework/TrayIcon.h"

#include "framework/Application.h"

#include <shellapi.h>

namespace pelorine {

namespace {
const wchar_t* const kClass = L"PelorineTrayIcon";

void RegisterTrayClass(WNDPROC proc) {
    static const bool done = [proc] {
        WNDCLASSEXW wc{sizeof wc};
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)done;
}
} // namespace

TTrayIcon::TTrayIcon(TComponent* owner)
    : TComponent(owner), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {
    RegisterTrayClass(&Proc);
    // A top-level hidden window (not message-only) so that it hears the shell's broadcasts.
    wnd_.reset(CreateWindowExW(0, kClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr));
    SetWindowLongPtrW(wnd_.get(), GWLP_USERDATA, LONG_PTR(this));
}

TTrayIcon::~TTrayIcon() {
    if (active_) Notify(NIM_DELETE);
    SetWindowLongPtrW(wnd_.get(), GWLP_USERDATA, 0);
}

void TTrayIcon::Notify(DWORD what) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = wnd_.get();
    nid.uID = 0;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = WM_TRAYNOTIFY;
    nid.hIcon = icon_;
    lstrcpynW(nid.szTip, hint_.c_str(), 64);
    Shell_NotifyIconW(what, &nid); // no notification area: nothing to be done about it
}

void TTrayIcon::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (active) {
        if (OnTaskbarButton) OnTaskbarButton(false);
        Application().ProcessMessages();
        Notify(NIM_ADD);
    } else {
        if (OnTaskbarButton) OnTaskbarButton(true);
        Notify(NIM_DELETE);
    }
}

LRESULT CALLBACK TTrayIcon::Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TTrayIcon*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(wnd, msg, wp, lp);
    try {
        return self->OnMessage(msg, wp, lp);
    } catch (...) {
        Application().HandleException();
        return 0;
    }
}

LRESULT TTrayIcon::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == taskbarCreated_) {
        if (active_) Notify(NIM_ADD); // the shell restarted and forgot our icon
        return 0;
    }
    if (msg != WM_TRAYNOTIFY) return DefWindowProcW(wnd_.get(), msg, wp, lp);
    switch (LOWORD(lp)) {
    case WM_RBUTTONDOWN:
        if (PopupMenu) {
            POINT at;
            GetCursorPos(&at);
            SetForegroundWindow(wnd_.get());
            Application().ProcessMessages();
            PopupMenu->Popup(wnd_.get(), at.x, at.y);
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

} // namespace pelorine
