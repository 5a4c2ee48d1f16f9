#pragma once
// Where the framework puts a hint window: its top-left corner at the pointer's x, just below the
// pointer's picture, moved back inside the work area where it would stick out. Portable.
#include "framework/Geometry.h"

namespace pelorine {

// `cursorBottom`: how far the pointer's picture reaches below its hot spot.
Point HintPlacement(Point cursor, int cursorBottom, Size hint, const Rect& workArea);

} // namespace pelorine
