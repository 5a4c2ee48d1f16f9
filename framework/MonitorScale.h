#pragma once
// Which monitor's scale a window takes before it is shown. Portable: the monitors come in.
#include "framework/Geometry.h"
#include "framework/Scale.h"

#include <vector>

namespace pelorine {

struct MonitorDpi {
    Rect bounds; // in virtual-screen coordinates
    int dpi = Scale::kDesignDpi;
};

// The scale for a window whose 96-DPI design of `design` size opens with its top-left corner at
// `topLeft`. The system gives a window the DPI of the monitor it overlaps most, and the window's
// size depends on that DPI: so each monitor is tried with the window drawn at its own scale, and
// the one overlapped most wins (the first, on a tie). A window on no monitor takes the scale of
// the monitor nearest its corner, where it will be brought back. No monitors: the design's.
Scale ScaleAtPlace(Point topLeft, Size design, const std::vector<MonitorDpi>& monitors);

} // namespace pelorine
