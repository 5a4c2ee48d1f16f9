#pragma once
// Support shared by the Win32 and end-to-end tests: message pumping, a window of known colour,
// pixel access (of bitmaps and of the screen), a control's hint and a probe of the system's hotkeys.
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Controls.h"
#include "framework/Wine.h"
#include "support/TestFiles.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

inline void PumpFor(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() < end);
}

// Pumps messages until `done` holds, for up to `ms`; whether it held.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    while (!done()) {
        if (GetTickCount() >= end) return false;
        PumpFor(10);
    }
    return true;
}

// Registers a window class of the test's own (a second call changes nothing).
inline void RegisterTestClass(const wchar_t* className, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
}

// A window of a class of the test's own, registered on first use.
inline HWND MakeWindow(const wchar_t* className, WNDPROC proc, DWORD style, int x = 0, int y = 0, int w = 0,
                       int h = 0, HWND parent = nullptr) {
    RegisterTestClass(className, proc);
    return CreateWindowExW(0, className, L"", style, x, y, w, h, parent, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

inline COLORREF ScreenPixel(POINT p) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

class ColorWindow {
  public:
    ColorWindow(int x, int y, int w, int h, COLORREF color) {
        wnd_ = MakeWindow(L"ColorWindow", Proc, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, w, h);
        SetWindowLongPtrW(wnd_, GWLP_USERDATA, LONG_PTR(color));
        clicks_ = 0;
        Front();
    }
    ~ColorWindow() { DestroyWindow(wnd_); }
    HWND Handle() const { return wnd_; }
    // Left-button presses the window has had (of the last window made).
    static int Clicks() { return clicks_; }
    // Raises and repaints it, and waits (up to 3 s) until the screen shows its colour.
    void Front() {
        SetForegroundWindow(wnd_);
        RedrawWindow(wnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        RECT client{};
        GetClientRect(wnd_, &client);
        MapWindowPoints(wnd_, nullptr, reinterpret_cast<POINT*>(&client), 2);
        const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                          GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                          GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
        RECT shown{};
        IntersectRect(&shown, &client, &screen);
        const POINT middle{(shown.left + shown.right) / 2, (shown.top + shown.bottom) / 2};
        const COLORREF colour = COLORREF(GetWindowLongPtrW(wnd_, GWLP_USERDATA));
        PumpUntil([&] { return ScreenPixel(middle) == colour; }, 3000);
    }
    // Makes it the foreground window and waits (up to 3 s) until the system agrees.
    void BringToFront() {
        for (int i = 0; i < 30 && GetForegroundWindow() != wnd_; ++i) {
            SetForegroundWindow(wnd_);
            PumpFor(100);
        }
        Front();
    }

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_LBUTTONDOWN) ++clicks_;
        if (msg == WM_ERASEBKGND) {
            RECT rc;
            GetClientRect(w, &rc);
            HBRUSH brush = CreateSolidBrush(COLORREF(GetWindowLongPtrW(w, GWLP_USERDATA)));
            FillRect(HDC(wp), &rc, brush);
            DeleteObject(brush);
            return 1;
        }
        return DefWindowProcW(w, msg, wp, lp);
    }
    HWND wnd_;
    static inline int clicks_ = 0;
};

inline std::wstring ClassOf(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

// Answers each message box of this thread as it opens, keeping the count and the last one's
// text; `onOpen` runs first, while the box is up.
class MessageBoxes {
  public:
    explicit MessageBoxes(int answer = IDOK, std::function<void()> onOpen = {})
        : answer_(answer), onOpen_(std::move(onOpen)),
          hook_(SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId())) {
        current_ = this;
    }
    ~MessageBoxes() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    int count = 0;
    std::wstring text;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp) {
        if (code == HCBT_ACTIVATE && current_ && ClassOf(HWND(wp)) == L"#32770") {
            wchar_t text[512] = {};
            GetDlgItemTextW(HWND(wp), 0xFFFF, text, 512);
            current_->text = text;
            ++current_->count;
            if (current_->onOpen_) current_->onOpen_();
            PostMessageW(HWND(wp), WM_COMMAND, WPARAM(current_->answer_), 0);
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    int answer_;
    std::function<void()> onOpen_;
    HHOOK hook_;
    static inline MessageBoxes* current_ = nullptr;
};

// The colour of one pixel of a bitmap.
inline COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

// All pixels, top row first, as 0x00RRGGBB.
inline std::vector<uint32_t> PixelsOf(HBITMAP bitmap, int width, int height) {
    std::vector<uint32_t> pixels(size_t(width) * height);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, UINT(height), pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return pixels;
}

// The pixels, as PixelsOf gives them, of a bitmap at the screen's depth once `paint` has drawn
// into it.
inline std::vector<uint32_t> Painted(int width, int height,
                                     const std::function<void(pelorine::BitmapCanvas&)>& paint) {
    pelorine::TBitmap bitmap;
    bitmap.SetSize(width, height);
    {
        pelorine::BitmapCanvas canvas(bitmap.Handle());
        paint(canvas);
    }
    return PixelsOf(bitmap.Handle(), width, height);
}

inline SIZE SizeOf(HBITMAP bitmap) {
    BITMAP bm{};
    GetObjectW(bitmap, sizeof bm, &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

inline int BitsPerPixelOf(HBITMAP bitmap) {
    BITMAP bm{};
    GetObjectW(bitmap, sizeof bm, &bm);
    return bm.bmBitsPixel;
}

// The pixels of a bitmap inside a rectangle clipped to the bitmap, row by row.
inline std::vector<COLORREF> PixelsIn(HBITMAP bitmap, const RECT& r) {
    const SIZE size = SizeOf(bitmap);
    const std::vector<uint32_t> all = PixelsOf(bitmap, size.cx, size.cy);
    std::vector<COLORREF> part;
    for (LONG y = std::max(0L, r.top); y < std::min(r.bottom, size.cy); ++y)
        for (LONG x = std::max(0L, r.left); x < std::min(r.right, size.cx); ++x) {
            const uint32_t p = all[size_t(y) * size_t(size.cx) + size_t(x)];
            part.push_back(RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF));
        }
    return part;
}

// What the screen shows inside a rectangle clipped to the primary screen, row by row.
inline std::vector<COLORREF> ScreenPixels(const RECT& r) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP copy = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(dc, copy);
    BitBlt(dc, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    std::vector<COLORREF> pixels = PixelsIn(copy, r);
    DeleteObject(copy);
    return pixels;
}

// The window's rectangle on the screen.
inline RECT WindowRectOf(HWND w) {
    RECT rc{};
    GetWindowRect(w, &rc);
    return rc;
}

// The text the application's hint window shows for a control: its hint shown at once, as if the
// pointer rested on the control's corner, read back from the window's caption; empty when the
// control shows no hint.
inline std::wstring HintOf(HWND control) {
    pelorine::THintTracker& hints = pelorine::Application().Hints();
    auto* c = pelorine::TWinControl::FromHandle(control);
    RECT rc{};
    GetWindowRect(control, &rc);
    if (!c || !hints.ActivateHint(*c, pelorine::Point{rc.left, rc.top})) return L"";
    const std::wstring text = hints.HintWindow()->Caption();
    hints.CancelHint();
    return text;
}

// Whether the system has the key taken: a probe registration succeeds only when it is free.
inline bool KeyTaken(UINT vk) {
    HWND probe = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const bool free = RegisterHotKey(probe, 0xBEEF, 0, vk);
    if (free) UnregisterHotKey(probe, 0xBEEF);
    DestroyWindow(probe);
    return !free;
}

} // namespace testing_support
