#pragma once
// Where a window stored in the settings opens. Portable: the monitors' work areas come in.
#include "framework/Geometry.h"

#include <vector>

namespace pelorine {

// The window's top-left corner for a stored one. A window whose title area (in window
// coordinates: the part it is dragged by) would show on no work area could never be dragged
// back, so it moves the shortest way until that area lies on the nearest work area. A window
// whose title area shows at least in part stays where it was stored.
Point PlaceOnScreen(Point stored, const Rect& titleArea, const std::vector<Rect>& workAreas);

} // namespace pelorine
