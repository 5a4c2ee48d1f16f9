#pragma once
// Where the header, the footer and the picture go on a printed page. Portable: all values
// are device units of the printer (its printable area starts at 0, 0) unless named otherwise.
#include "framework/Geometry.h"

namespace pelorine {

// What a printer reports of its page (GetDeviceCaps: PHYSICALWIDTH/HEIGHT,
// PHYSICALOFFSETX/Y, HORZRES/VERTRES, LOGPIXELSX/Y).
struct PageMetrics {
    int paperWidth = 0;
    int paperHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    int dpiX = 0;
    int dpiY = 0;
};

// Margins in millimetres from the paper's edges.
struct PageMargins {
    float top = 0;
    float bottom = 0;
    float left = 0;
    float right = 0;
};

struct PageLayout {
    bool ok = false; // false: the margins (or the header and footer) leave no room
    Rect area;       // inside the margins
    Rect header;     // top band of the area; empty height when there is no header
    Rect footer;     // bottom band of the area; empty height when there is no footer
    Rect picture;
};

int MillimetresToDevice(float millimetres, int dpi);

// The picture is printed at 96 pixels per inch, centred between header and footer, and
// shrunk with its proportions kept when that does not fit. Line heights are 0 for no text.
PageLayout LayOutPage(const PageMetrics& page, const PageMargins& margins, int headerHeight, int footerHeight,
                      int pictureWidth, int pictureHeight);

} // namespace pelorine
