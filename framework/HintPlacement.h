#pragma once
// Where the framework puts a hint window: its top-left corner at the pointer's x, just below the
// pointer's picture, moved back inside the work area where it would stick out. Portable.
#include "framework/Geometry.h"

namespace pelorine {

// `cursorBottom`: how far the pointer's picture reaches below its hot spot.
Point HintPlacement(Point cursor, int cursorBottom, Size hint, const Rect& workArea);
// The top-left corner moved back inside the work area where the hint would stick out; one wider
// or taller than the work area keeps its left or top edge on the screen.
Point KeepInWorkArea(Point topLeft, Size hint, const Rect& workArea);

} // namespace pelorine
