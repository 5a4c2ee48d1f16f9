#pragma once
// Where a capture comes from: the part of a window that shows, cut to the screens, and where the
// cursor lands in the captured image. Portable so every edge case is tested natively.
#include "framework/Geometry.h"

#include <optional>

namespace pelorine {

// What the platform tells of a window's place, in screen coordinates.
struct WindowOnScreen {
    Rect window;                     // the window rectangle, which may hold invisible resize borders
    std::optional<Rect> frame;       // the visible frame, where the compositor reports one
    std::optional<Rect> maximisedIn; // the work area a maximised window fills
};

// The part of the window that shows: its visible frame (else its rectangle), and of a maximised
// window only what lies in the work area it fills, not the borders that reach past it.
Rect VisibleBounds(const WindowOnScreen& place);

// The area a capture copies from the screen: the bounds intersected with the clip rectangle,
// both in screen coordinates (the primary screen for the desktop, the virtual screen for a
// window). The clip's origin is negative when a monitor lies left of or above the primary one.
Rect ClipToScreen(const Rect& bounds, const Rect& clip);
inline bool Empty(const Rect& area) { return area.Width() <= 0 || area.Height() <= 0; }

// The cursor image's top-left corner in the captured image: the cursor position relative to the
// captured area's top-left corner (the hot spot is not subtracted).
inline Point CursorPlacement(const Rect& area, Point cursor) {
    return {cursor.x - area.left, cursor.y - area.top};
}

// How many rows of the area one screen read copies: all of them, or bands of about a megabyte.
int RowsPerRead(int width, int height, bool banded);

} // namespace pelorine
