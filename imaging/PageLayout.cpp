#include "imaging/PageLayout.h"

#include <algorithm>
#include <cmath>

namespace pelorine {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPicturePixelsPerInch = 96.0;

// The margins count from the paper's edges, drawing from the printable area's corner; a
// margin narrower than the printer's unprintable edge is widened to it, or the picture
// would lose its border to the printer.
Rect AreaInsideMargins(const PageMetrics& page, const PageMargins& margins) {
    Rect area;
    area.left = std::max(MillimetresToDevice(margins.left, page.dpiX) - page.offsetX, 0);
    area.top = std::max(MillimetresToDevice(margins.top, page.dpiY) - page.offsetY, 0);
    area.right = std::min(page.paperWidth - MillimetresToDevice(margins.right, page.dpiX) - page.offsetX,
                          page.printableWidth);
    area.bottom = std::min(page.paperHeight - MillimetresToDevice(margins.bottom, page.dpiY) - page.offsetY,
                           page.printableHeight);
    return area;
}

bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

int Scale(int value, double factor) { return static_cast<int>(std::lround(value * factor)); }

// Natural size first; a picture too big for the space keeps its proportions as it shrinks.
Rect PlacePicture(const Rect& space, int naturalWidth, int naturalHeight) {
    int width = naturalWidth;
    int height = naturalHeight;
    if (width > space.Width() || height > space.Height()) {
        const double factor = std::min(static_cast<double>(space.Width()) / naturalWidth,
                                       static_cast<double>(space.Height()) / naturalHeight);
        width = std::clamp(Scale(naturalWidth, factor), 1, space.Width());
        height = std::clamp(Scale(naturalHeight, factor), 1, space.Height());
    }
    const int left = space.left + (space.Width() - width) / 2;
    const int top = space.top + (space.Height() - height) / 2;
    return {left, top, left + width, top + height};
}

} // namespace

int MillimetresToDevice(float millimetres, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(millimetres) * dpi / kMillimetresPerInch));
}

PageLayout LayOutPage(const PageMetrics& page, const PageMargins& margins, int headerHeight, int footerHeight,
                      int pictureWidth, int pictureHeight) {
    PageLayout layout;
    layout.area = AreaInsideMargins(page, margins);
    if (IsEmpty(layout.area) || pictureWidth <= 0 || pictureHeight <= 0) return layout;

    const Rect& area = layout.area;
    layout.header = {area.left, area.top, area.right, area.top + headerHeight};
    layout.footer = {area.left, area.bottom - footerHeight, area.right, area.bottom};
    const Rect space{area.left, layout.header.bottom, area.right, layout.footer.top};
    if (IsEmpty(space)) return layout;

    const int naturalWidth = std::max(Scale(pictureWidth, page.dpiX / kPicturePixelsPerInch), 1);
    const int naturalHeight = std::max(Scale(pictureHeight, page.dpiY / kPicturePixelsPerInch), 1);
    layout.picture = PlacePicture(space, naturalWidth, naturalHeight);
    layout.ok = true;
    return layout;
}

} // namespace pelorine
