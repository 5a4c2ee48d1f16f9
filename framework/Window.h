#pragma once
// A window of ours and the object that handles its messages. Every window the program registers
// has the one window procedure below: the object is bound to its window while the window is
// being created (WM_NCCREATE) and let go when the window is destroyed (WM_NCDESTROY), so it sees
// every message in between. No exception leaves the procedure: the application reports it.
#include "framework/Geometry.h"
#include "framework/Handles.h"
#include "framework/MonitorScale.h"
#include "framework/Scale.h"

#include <string>
#include <vector>

namespace pelorine {

// The window class of the program's own windows.
extern const wchar_t* const kWindowClass;

class TWindow {
  public:
    TWindow() = default;
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;
    virtual ~TWindow();

    HWND Handle() const { return wnd_.get(); }
    // The object of a window of ours, or of a window bound to an object with Bind.
    static TWindow* FromHandle(HWND wnd);
    // Messages nobody handles get the system's default.
    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);

  protected:
    // Makes this object's window, of the program's own class or of another class name that
    // shares its window procedure (so tests and tools can tell such windows apart).
    void CreateHandle(DWORD exStyle, const std::wstring& text, DWORD style, const Rect& bounds, HWND parent,
                      HMENU id = nullptr, const wchar_t* className = nullptr);
    // Takes a window of another class as this object's own; it is bound at once.
    void AdoptHandle(HWND wnd);
    // Lets a window's messages reach this object through FromHandle, and stops it again.
    void Bind(HWND wnd);
    static void Unbind(HWND wnd);
    // Calls WndProc; an exception goes to the application's error box.
    LRESULT Deliver(UINT msg, WPARAM wp, LPARAM lp) noexcept;
    // Forgets the window, which the system is destroying.
    void Detach();

  private:
    static LRESULT CALLBACK Procedure(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    UniqueWindow wnd_;
};

// The scale of the monitor the window is on: its DPI where the system tells it per window
// (GetDpiForWindow, looked up at run time as older systems lack it), else the system's DPI.
Scale WindowScale(HWND wnd);

// The window's outer size for a client area of `client` at `scale`, with the window's own styles
// (AdjustWindowRectExForDpi; where the system lacks it, AdjustWindowRectEx at the system's DPI).
Size FrameSize(HWND wnd, Size client, const Scale& scale);

// A system metric at a scale (GetSystemMetricsForDpi; where the system lacks it, the metric at
// the system's DPI, scaled).
int SystemMetric(int index, const Scale& scale);

// An icon of the program's resources at a size in pixels: the image of that size where the
// icon holds one, else the system's scaling of the nearest.
UniqueIcon LoadIconAtSize(int resource, int size);

// Every monitor with its DPI (GetDpiForMonitor; where the system lacks it, the system's DPI).
std::vector<MonitorDpi> MonitorsWithDpi();

// CreateWindowExW that raises the error "ウィンドウを作成できません" instead of returning null.
HWND CreateWindowOrThrow(DWORD exStyle, const wchar_t* className, const std::wstring& text, DWORD style,
                         const Rect& bounds, HWND parent, HMENU id = nullptr, void* param = nullptr);

} // namespace pelorine
