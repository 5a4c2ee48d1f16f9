#include "framework/Window.h"

#include "framework/Application.h"
#include "framework/Error.h"

#include <set>

namespace pelorine {

namespace {
const wchar_t* const kObjectProp = L"Pelorine.Object";
} // namespace

const wchar_t* const kWindowClass = L"PelorineWindow";

HWND CreateWindowOrThrow(DWORD exStyle, const wchar_t* className, const std::wstring& text, DWORD style,
                         const Rect& bounds, HWND parent, HMENU id, void* param) {
    HWND wnd = CreateWindowExW(exStyle, className, text.c_str(), style, bounds.left, bounds.top,
                               bounds.Width(), bounds.Height(), parent, id, GetModuleHandleW(nullptr), param);
    if (!wnd) throw Error(L"ウィンドウを作成できません");
    return wnd;
}

Scale WindowScale(HWND wnd) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow && wnd)
        if (const UINT dpi = dpiForWindow(wnd)) return Scale(int(dpi));
    const WindowDc screen(nullptr);
    return Scale(GetDeviceCaps(screen.get(), LOGPIXELSY));
}

TWindow::~TWindow() {
    // The derived object is gone: the messages of the window's destruction get the default.
    if (wnd_) Unbind(wnd_.get());
}

TWindow* TWindow::FromHandle(HWND wnd) {
    return wnd ? static_cast<TWindow*>(GetPropW(wnd, kObjectProp)) : nullptr;
}

void TWindow::Bind(HWND wnd) { SetPropW(wnd, kObjectProp, this); }

void TWindow::Unbind(HWND wnd) { RemovePropW(wnd, kObjectProp); }

void TWindow::CreateHandle(DWORD exStyle, const std::wstring& text, DWORD style, const Rect& bounds,
                           HWND parent, HMENU id, const wchar_t* className) {
    const wchar_t* name = className ? className : kWindowClass;
    static std::set<std::wstring> registered;
    if (!registered.contains(name)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        // Without the class, the window cannot be made: that error follows.
        if (RegisterClassExW(&wc)) registered.insert(name);
    }
    try {
        CreateWindowOrThrow(exStyle, name, text, style, bounds, parent, id, this);
    } catch (...) {
        wnd_.release(); // bound on WM_NCCREATE but not made after all
        throw;
    }
}

void TWindow::AdoptHandle(HWND wnd) {
    wnd_.reset(wnd);
    Bind(wnd);
}

void TWindow::Detach() {
    Unbind(wnd_.get());
    wnd_.release();
}

LRESULT TWindow::Deliver(UINT msg, WPARAM wp, LPARAM lp) noexcept {
    try {
        return WndProc(msg, wp, lp);
    } catch (...) {
        Application().HandleException();
        return 0;
    }
}

LRESULT TWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(Handle(), msg, wp, lp); }

LRESULT CALLBACK TWindow::Procedure(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
        static_cast<TWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lp)->lpCreateParams)->AdoptHandle(wnd);
    TWindow* self = FromHandle(wnd);
    if (!self) return DefWindowProcW(wnd, msg, wp, lp);
    if (msg == LiveGdiObjectsMessage()) return LiveGdiObjects();
    if (msg == WM_NCDESTROY) {
        self->Detach();
        return DefWindowProcW(wnd, msg, wp, lp);
    }
    return self->Deliver(msg, wp, lp);
}

} // namespace pelorine
