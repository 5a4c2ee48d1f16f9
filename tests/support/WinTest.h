#pragma once
// Support shared by the Win32 and end-to-end tests: message pumping, a window of known colour,
// pixel access, settings-file bytes, a control's hint and a probe of the system's hotkeys.
#include "framework/Application.h"
#include "framework/Controls.h"

#include <windows.h>

#include <cstdint>
#include <string>
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

// A window of a class of the test's own, registered on first use.
inline HWND MakeWindow(const wchar_t* className, WNDPROC proc, DWORD style, int x = 0, int y = 0, int w = 0,
                       int h = 0, HWND parent = nullptr) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    return CreateWindowExW(0, className, L"", style, x, y, w, h, parent, nullptr, wc.hInstance, nullptr);
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
    void Front() {
        SetForegroundWindow(wnd_);
        RedrawWindow(wnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
        PumpFor(300);
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

// A settings file as the profile functions keep it in UTF-16: the byte-order mark, then UTF-16LE.
inline std::string Utf16File(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
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

// The whole settings file a first run leaves behind, as the profile functions write it.
inline std::wstring FirstRunIniText(const std::wstring& appDir) {
    return L"[SET]\r\nM_TOP=20\r\nM_LEFT=20\r\nHOTKEY=1\r\nCURSOR=1\r\nTIMING=0\r\nSOUND=1\r\n"
           L"[SET0]\r\nC0_01=" +
           appDir +
           L"\r\nC0_02=Snap\r\nC0_03=0\r\n"
           L"[SET1]\r\nC1_01=-1\r\nC1_02=-1\r\nC1_03=-1\r\nC1_04=-1\r\nC1_05=-1\r\n"
           L"C1_06_1=100\r\nC1_06_2=640\r\nC1_06_3=480\r\n"
           L"[SET2]\r\nC2_02=\r\nC2_03=\r\nC2_04_1=0\r\nC2_04_2=0\r\nC2_04_3=0\r\nC2_04_4=0\r\n";
}

} // namespace testing_support
