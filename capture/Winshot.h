#pragma once
// Copies the active window (frame included) or the whole desktop into a new bitmap, clipped to
// the primary screen, optionally with the mouse cursor painted in.
#include "capture/CaptureGeometry.h"
#include "framework/Component.h"

#include <windows.h>

namespace pelorine {

class TWinShot : public TComponent {
  public:
    explicit TWinShot(TComponent* owner) : TComponent(owner) {}
    bool ActiveWindow = false;
    bool IncludeMouseCursor = true;
    // A new bitmap that belongs to the caller, or null when no window qualifies or the
    // window lies wholly outside the primary screen.
    HBITMAP Capture();

    // The window a capture takes: the foreground window, or the first visible, non-minimised
    // one below it in the Z order; or the desktop.
    HWND SourceWindow() const;
    // The part of the window that shows on screen: the visible frame where the platform
    // reports one (without the invisible resize border), else the whole window rectangle.
    static Rect VisibleBounds(HWND wnd);
};

} // namespace pelorine
