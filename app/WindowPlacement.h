#pragma once
// Where a window stored in the settings opens. Portable: the monitors' work areas come in.
#include "framework/Geometry.h"

#include <vector>

namespace pelorine {

// The window's top-left corner for a stored one of the given size. A window that shows whole on
// the work areas stays exactly where it was stored. Otherwise it moves onto the work area it
// overlaps most (or, overlapping none, the nearest), each axis on its own:
// - where the window fits along the axis, the shortest way until it lies wholly inside;
// - where it does not (a small screen at a large scale), it starts at the area's start, so that
//   its title area (in window coordinates: the part it is dragged by) and as much of the rest
//   as the area holds show; a window that already spans the whole area along that axis with
//   its title area showing stays, as the user may have put it there to see its far end.
Point PlaceOnScreen(Point stored, Size window, const Rect& titleArea, const std::vector<Rect>& workAreas);

} // namespace pelorine
