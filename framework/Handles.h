#pragma once
// RAII for Win32 handles: one small template, a deleter per handle kind. GDI objects made
// through these wrappers are counted, so tests can see a leak even where the platform's own
// resource counters are stubs.
#include <windows.h>

#include <utility>

namespace pelorine {

template <typename T, typename Deleter> class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(T h) : h_(h) { Deleter::Adopted(h_); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, T{})) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(std::exchange(o.h_, T{}), false);
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const { return h_; }
    explicit operator bool() const { return h_ != T{}; }
    // Gives the handle away (to a window, the clipboard, a caller): it is no longer ours to free.
    T release() {
        Deleter::Released(h_);
        return std::exchange(h_, T{});
    }
    void reset(T h = T{}, bool adopt = true) {
        if (h_) Deleter::Free(h_);
        h_ = h;
        if (adopt) Deleter::Adopted(h_);
    }

  private:
    T h_{};
};

// Live GDI objects created through the wrappers.
long LiveGdiObjects();

struct GdiDeleter {
    static void Adopted(HGDIOBJ h);
    static void Released(HGDIOBJ h);
    static void Free(HGDIOBJ h);
};
struct NoCount {
    static void Adopted(const void*) {}
    static void Released(const void*) {}
};
struct MemDcDeleter : NoCount {
    static void Free(HDC h) { DeleteDC(h); }
};
struct WindowDeleter : NoCount {
    static void Free(HWND h) { DestroyWindow(h); }
};
struct MenuDeleter : NoCount {
    static void Free(HMENU h) { DestroyMenu(h); }
};
struct FileDeleter : NoCount {
    static void Free(HANDLE h) {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

using UniqueBitmap = UniqueHandle<HBITMAP, GdiDeleter>;
using UniqueFont = UniqueHandle<HFONT, GdiDeleter>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiDeleter>;
using UniquePen = UniqueHandle<HPEN, GdiDeleter>;
using UniquePalette = UniqueHandle<HPALETTE, GdiDeleter>;
using UniqueRgn = UniqueHandle<HRGN, GdiDeleter>;
using UniqueMemDc = UniqueHandle<HDC, MemDcDeleter>;
using UniqueWindow = UniqueHandle<HWND, WindowDeleter>;
using UniqueMenu = UniqueHandle<HMENU, MenuDeleter>;

// A window's device context, released with ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND wnd, bool wholeWindow = false)
        : wnd_(wnd), dc_(wholeWindow ? GetWindowDC(wnd) : GetDC(wnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(wnd_, dc_);
    }
    HDC get() const { return dc_; }

  private:
    HWND wnd_;
    HDC dc_;
};

// BeginPaint and EndPaint: the paint ends, and its DC goes back, however the painting ends.
class PaintDc {
  public:
    explicit PaintDc(HWND wnd) : wnd_(wnd), dc_(BeginPaint(wnd, &ps_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(wnd_, &ps_); }
    HDC get() const { return dc_; }

  private:
    HWND wnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects an object into a DC for a scope and puts the old one back.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_) SelectObject(dc_, old_);
    }

  private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace pelorine
