#include "capture/Winshot.h"

#include "framework/Bitmap.h"
#include "framework/Error.h"

#include <dwmapi.h>

#include <algorithm>

namespace pelorine {

HWND TWinShot::SourceWindow() const {
    if (!ActiveWindow) return GetDesktopWindow();
    HWND wnd = GetForegroundWindow();
    while (wnd && (!IsWindowVisible(wnd) || IsIconic(wnd)))
        wnd = GetWindow(wnd, GW_HWNDNEXT);
    return wnd;
}

Rect TWinShot::VisibleBounds(HWND wnd) {
    RECT rc{};
    if (wnd != GetDesktopWindow() &&
        SUCCEEDED(DwmGetWindowAttribute(wnd, DWMWA_EXTENDED_FRAME_BOUNDS, &rc, sizeof rc)) &&
        rc.right > rc.left)
        return FromRECT(rc);
    GetWindowRect(wnd, &rc);
    return FromRECT(rc);
}

Rect TWinShot::ClipRect() const {
    if (!ActiveWindow) return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return Bounds(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                  GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

namespace {
constexpr int kBandBytes = 1 << 20;

// The cursor that is on screen now, whichever program it belongs to.
void DrawCursor(HDC dc, const Rect& window, const CaptureArea& area) {
    CURSORINFO ci{};
    ci.cbSize = sizeof ci;
    if (!GetCursorInfo(&ci) || !(ci.flags & CURSOR_SHOWING) || !ci.hCursor) return;
    const Point at = CursorPlacement(window, area, {ci.ptScreenPos.x, ci.ptScreenPos.y});
    DrawIconEx(dc, at.x, at.y, ci.hCursor, 0, 0, 0, nullptr, DI_NORMAL);
}
} // namespace

HBITMAP TWinShot::Capture() {
    HWND wnd = SourceWindow();
    if (!wnd) return nullptr;
    const Rect window = VisibleBounds(wnd);
    const CaptureArea area = ClipToScreen(window, ClipRect());
    if (area.Empty()) return nullptr;

    TBitmap bitmap;
    bitmap.SetHandle(NewScreenPicture(area.width, area.height).release());
    if (bitmap.Empty()) throw Error(L"ビットマップを作成できません");
    {
        BitmapCanvas target(bitmap.Handle());
        RECT whole{};
        GetWindowRect(wnd, &whole);
        // The window DC starts at the whole window's corner, which may lie outside the visible frame.
        const int dx = window.left - whole.left + area.offset.x, dy = window.top - whole.top + area.offset.y;
        {
            WindowDc source(wnd, true);
            // In bands of about a megabyte: Wine reads a blit from the screen through two
            // images of its own as large as the blit, two more whole screens at the peak.
            const int rows = std::max(1, kBandBytes / std::max(1, area.width * 4));
            for (int y = 0; y < area.height; y += rows)
                BitBlt(target.Handle(), 0, y, area.width, std::min(rows, area.height - y), source.get(), dx,
                       dy + y, SRCCOPY | CAPTUREBLT);
        }
        if (IncludeMouseCursor) DrawCursor(target.Handle(), window, area);
    }
    return bitmap.ReleaseHandle();
}

} // namespace pelorine
