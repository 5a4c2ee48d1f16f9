#pragma once
// Where a capture comes from: a window's rectangle clipped to the primary screen, and where
// the cursor lands in the captured image. Portable so every edge case is tested natively.
#include "framework/Geometry.h"

namespace pelorine {

struct CaptureArea {
    Point offset;  // where the captured block starts in the window's own device context
    int width = 0; // size of the captured block; zero or less means nothing to capture
    int height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
};

// The window rectangle (screen coordinates) intersected with the primary screen (0, 0, sw, sh).
CaptureArea ClipToPrimaryScreen(const Rect& window, int screenWidth, int screenHeight);

// The cursor image's top-left corner in the captured image: the cursor position relative to the
// captured area's top-left corner on the screen (the hot spot is not subtracted).
Point CursorPlacement(const Rect& window, const CaptureArea& area, Point cursor);

} // namespace pelorine
