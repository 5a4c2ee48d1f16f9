#pragma once
// Copies what the screen shows over the active window (frame included) or over the whole
// desktop into a new bitmap, optionally with the mouse cursor painted in. The desktop is the
// primary screen; a window is taken wherever it shows, on any monitor.
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
    // window lies wholly off the screens.
    HBITMAP Capture();
    // What a capture is clipped to: the primary screen for the desktop, the virtual screen
    // (the bounds of every monitor) for a window.
    Rect ClipRect() const;

    // The window a capture takes: the foreground window, or the first one below it in the Z
    // order that shows on screen (visible, not minimised, not cloaked); or the desktop.
    HWND SourceWindow() const;
    // The part of the window that shows on screen, in screen coordinates: the visible frame
    // where the platform reports one (without the invisible resize borders), else the whole
    // window rectangle; of a maximised window, only what lies on its monitor's work area.
    static Rect VisibleBounds(HWND wnd);
};

} // namespace pelorine
