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

namespace {
// A function of the per-monitor DPI interface, which Windows 10 before version 1607 lacks (and
// Windows before 8.1 for GetDpiForMonitor): looked up at run time, null where it is missing.
template <typename F> F SystemFunction(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    if (!module) module = LoadLibraryW(dll);
    return module ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

Scale SystemScale() {
    const WindowDc screen(nullptr);
    return Scale(GetDeviceCaps(screen.get(), LOGPIXELSY));
}
} // namespace

Scale WindowScale(HWND wnd) {
    static const auto dpiForWindow = SystemFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
    if (dpiForWindow && wnd)
        if (const UINT dpi = dpiForWindow(wnd)) return Scale(int(dpi));
    return SystemScale();
}

Size FrameSize(HWND wnd, Size client, const Scale& scale) {
    static const auto adjustForDpi = SystemFunction<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(
        L"user32.dll", "AdjustWindowRectExForDpi");
    RECT rc{0, 0, client.width, client.height};
    const auto style = DWORD(GetWindowLongPtrW(wnd, GWL_STYLE)),
               exStyle = DWORD(GetWindowLongPtrW(wnd, GWL_EXSTYLE));
    if (!adjustForDpi || !adjustForDpi(&rc, style, FALSE, exStyle, UINT(scale.Dpi())))
        AdjustWindowRectEx(&rc, style, FALSE, exStyle);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

int SystemMetric(int index, const Scale& scale) {
    static const auto metricForDpi =
        SystemFunction<int(WINAPI*)(int, UINT)>(L"user32.dll", "GetSystemMetricsForDpi");
    if (metricForDpi)
        if (const int metric = metricForDpi(index, UINT(scale.Dpi()))) return metric;
    return MulDiv(GetSystemMetrics(index), scale.Dpi(), SystemScale().Dpi());
}

UniqueIcon LoadIconAtSize(int resource, int size) {
    return UniqueIcon(
        HICON(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_ICON, size, size, 0)));
}

std::vector<MonitorDpi> MonitorsWithDpi() {
    using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto dpiForMonitor = SystemFunction<DpiForMonitor>(L"shcore.dll", "GetDpiForMonitor");
    struct Walk {
        DpiForMonitor dpiForMonitor;
        int systemDpi;
        std::vector<MonitorDpi> monitors;
    } walk{dpiForMonitor, SystemScale().Dpi(), {}};
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT bounds, LPARAM lp) {
            auto& w = *reinterpret_cast<Walk*>(lp);
            UINT dpiX = 0, dpiY = 0;
            constexpr int kEffectiveDpi = 0; // MDT_EFFECTIVE_DPI: the scale the user set
            const bool known =
                w.dpiForMonitor && SUCCEEDED(w.dpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY));
            w.monitors.push_back({Rect{bounds->left, bounds->top, bounds->right, bounds->bottom},
                                  known ? int(dpiY) : w.systemDpi});
            return TRUE;
        },
        LPARAM(&walk));
    return walk.monitors;
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
