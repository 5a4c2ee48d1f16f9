#include "capture/Winshot.h"

#include "capture/WindowWalk.h"
#include "framework/Bitmap.h"
#include "framework/Error.h"
#include "framework/Wine.h"

#include <dwmapi.h>

#include <algorithm>

namespace pelorine {

namespace {
WindowFacts FactsOf(HWND wnd) {
    DWORD cloaked = 0;
    if (FAILED(DwmGetWindowAttribute(wnd, DWMWA_CLOAKED, &cloaked, sizeof cloaked))) cloaked = 0;
    return {IsWindowVisible(wnd) != FALSE, IsIconic(wnd) != FALSE, cloaked != 0};
}
} // namespace

HWND TWinShot::SourceWindow() const {
    if (!ActiveWindow) return GetDesktopWindow();
    return FirstShownWindow(
        GetForegroundWindow(), [](HWND wnd) { return GetWindow(wnd, GW_HWNDNEXT); }, FactsOf);
}

Rect TWinShot::VisibleBounds(HWND wnd) {
    RECT rc{};
    GetWindowRect(wnd, &rc);
    WindowOnScreen place;
    place.window = FromRECT(rc);
    if (wnd == GetDesktopWindow()) return place.window;
    if (SUCCEEDED(DwmGetWindowAttribute(wnd, DWMWA_EXTENDED_FRAME_BOUNDS, &rc, sizeof rc)))
        place.frame = FromRECT(rc);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (IsZoomed(wnd) && GetMonitorInfoW(MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &monitor))
        place.maximisedIn = FromRECT(monitor.rcWork);
    return pelorine::VisibleBounds(place);
}

Rect TWinShot::ClipRect() const {
    if (!ActiveWindow) return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return Bounds(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                  GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

namespace {
// What the screen shows over the area, from the screen's own device context: a window's own
// surface would miss what lies on top of it, and the compositor leaves it black or stale for
// windows drawn by the GPU.
void CopyScreen(HDC target, const Rect& area) {
    WindowDc screen(nullptr);
    // One read, so that a moving picture cannot tear between reads. Wine reads a blit from the
    // screen through two images of its own as large as the blit (two more screens at the
    // peak), so there the screen is read in bands of about a megabyte.
    const int rows = RowsPerRead(area.Width(), area.Height(), RunningOnWine());
    for (int y = 0; y < area.Height(); y += rows)
        BitBlt(target, 0, y, area.Width(), std::min(rows, area.Height() - y), screen.get(), area.left,
               area.top + y, SRCCOPY | CAPTUREBLT);
}

// The cursor that is on screen now, whichever program it belongs to.
void DrawCursor(HDC dc, const Rect& area) {
    CURSORINFO ci{};
    ci.cbSize = sizeof ci;
    if (!GetCursorInfo(&ci) || !(ci.flags & CURSOR_SHOWING) || !ci.hCursor) return;
    const Point at = CursorPlacement(area, {ci.ptScreenPos.x, ci.ptScreenPos.y});
    DrawIconEx(dc, at.x, at.y, ci.hCursor, 0, 0, 0, nullptr, DI_NORMAL);
}
} // namespace

HBITMAP TWinShot::Capture() {
    HWND wnd = SourceWindow();
    if (!wnd) return nullptr;
    const Rect area = ClipToScreen(VisibleBounds(wnd), ClipRect());
    if (Empty(area)) return nullptr;

    TBitmap bitmap;
    bitmap.SetHandle(NewScreenPicture(area.Width(), area.Height()).release());
    if (bitmap.Empty()) throw Error(L"ビットマップを作成できません");
    {
        BitmapCanvas target(bitmap.Handle());
        CopyScreen(target.Handle(), area);
        if (IncludeMouseCursor) DrawCursor(target.Handle(), area);
    }
    return bitmap.ReleaseHandle();
}

} // namespace pelorine
