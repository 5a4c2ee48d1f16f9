#pragma once
// Where a capture comes from: a window's rectangle clipped to a screen area, and where the
// cursor lands in the captured image. Portable so every edge case is tested natively.
#include "framework/Geometry.h"

namespace pelorine {

struct CaptureArea {
    Point offset;  // where the captured block starts in the window's own device context
    int width = 0; // size of the captured block; zero or less means nothing to capture
    int height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
};

// The window rectangle intersected with the clip rectangle, both in screen coordinates: the
// primary screen for the desktop, the virtual screen (every monitor) for a window. The clip
// rectangle's origin is negative when a monitor lies left of or above the primary one.
CaptureArea ClipToScreen(const Rect& window, const Rect& clip);

// The cursor image's top-left corner in the captured image: the cursor position relative to the
// captured area's top-left corner on the screen (the hot spot is not subtracted).
Point CursorPlacement(const Rect& window, const CaptureArea& area, Point cursor);

} // namespace pelorine
