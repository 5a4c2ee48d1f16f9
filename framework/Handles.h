#pragma once
// RAII for Win32 handles: one owning template. A kind names the handle type, the value that
// means "no handle" (null for most, INVALID_HANDLE_VALUE for files) and how a handle is freed.
#include "framework/GdiCount.h"

#include <windows.h>

#include <utility>

namespace pelorine {

template <typename Kind> class UniqueHandle {
  public:
    using Handle = typename Kind::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) { Kind::Adopted(h_); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Kind::None())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) {
            Free();
            h_ = std::exchange(o.h_, Kind::None());
        }
        return *this;
    }
    ~UniqueHandle() { Free(); }

    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != Kind::None(); }
    // Gives the handle away (to a window, the clipboard, a caller): it is no longer ours to free.
    Handle release() {
        Kind::Released(h_);
        return std::exchange(h_, Kind::None());
    }
    void reset(Handle h = Kind::None()) {
        Free();
        h_ = h;
        Kind::Adopted(h_);
    }

  private:
    void Free() {
        if (*this) Kind::Free(h_);
        h_ = Kind::None();
    }
    Handle h_ = Kind::None();
};

// Kinds whose handles are not counted; null means no handle.
template <typename T> struct NullHandle {
    using Handle = T;
    static T None() { return nullptr; }
    static void Adopted(T) {}
    static void Released(T) {}
};

// GDI objects are counted (GdiCount.h). One the system would not delete is still there: it
// stays counted, as the leak it is.
template <typename T> struct GdiObject : NullHandle<T> {
    static void Adopted(T h) { CountGdiAdopted(h); }
    static void Released(T h) { CountGdiGone(h); }
    static void Free(T h) {
        if (DeleteObject(h)) CountGdiGone(h);
    }
};
struct MemDcKind : NullHandle<HDC> {
    static void Free(HDC h) { DeleteDC(h); }
};
struct WindowKind : NullHandle<HWND> {
    static void Free(HWND h) { DestroyWindow(h); }
};
struct MenuKind : NullHandle<HMENU> {
    static void Free(HMENU h) { DestroyMenu(h); }
};
struct IconKind : NullHandle<HICON> {
    static void Free(HICON h) { DestroyIcon(h); }
};
struct HookKind : NullHandle<HHOOK> {
    static void Free(HHOOK h) { UnhookWindowsHookEx(h); }
};
// Mutexes, events, processes: null when not made.
struct KernelKind : NullHandle<HANDLE> {
    static void Free(HANDLE h) { CloseHandle(h); }
};
// CreateFileW tells a failure by INVALID_HANDLE_VALUE, not null.
struct FileKind : KernelKind {
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
};

using UniqueBitmap = UniqueHandle<GdiObject<HBITMAP>>;
using UniqueFont = UniqueHandle<GdiObject<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObject<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObject<HPEN>>;
using UniquePalette = UniqueHandle<GdiObject<HPALETTE>>;
using UniqueRgn = UniqueHandle<GdiObject<HRGN>>;
using UniqueMemDc = UniqueHandle<MemDcKind>;
using UniqueWindow = UniqueHandle<WindowKind>;
using UniqueMenu = UniqueHandle<MenuKind>;
using UniqueIcon = UniqueHandle<IconKind>;
using UniqueHook = UniqueHandle<HookKind>;
using UniqueKernelHandle = UniqueHandle<KernelKind>;
using UniqueFile = UniqueHandle<FileKind>;

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
