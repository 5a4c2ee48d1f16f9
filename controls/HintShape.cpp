#include "controls/HintShape.h"

namespace pelorine {

namespace {
// A speech balloon: the body from y = kTailHeight down, a tail at the top left pointing up at
// the pointer. The outline runs one pixel inside the region's right and bottom edges, where the
// pen still lands on the window.
HintLayout Balloon(Rect r) {
    r.bottom += kTailHeight;
    const int w = r.Width(), h = r.Height(), t = kTailHeight;
    HintLayout l;
    l.window = r;
    l.region = {
        ShapeKind::Polygon, {{kTailTip, 0}, {8, t}, {0, t}, {0, h}, {w, h}, {w, t}, {kTailTip, t}}, {}, 0};
    l.outline = {ShapeKind::Polygon,
                 {{kTailTip, 0}, {9, t}, {0, t}, {0, h - 1}, {w - 1, h - 1}, {w - 1, t}, {13, t}, {13, 0}},
                 {},
                 0};
    l.fillsBackground = true;
    l.shadowOffsets = {{4, 10}};
    l.textOffset = Point{3, 9};
    return l;
}

// One pixel wider and taller than asked, so the outline drawn on the asked size stays inside the
// rounded region.
HintLayout Rounded(Rect r) {
    const int w = r.Width() + 1, h = r.Height() + 1;
    HintLayout l;
    l.window = Rect{r.left, r.top, r.left + w, r.top + h};
    l.region = {ShapeKind::RoundRect, {}, Rect{0, 0, w, h}, kHintCorner};
    l.outline = {ShapeKind::RoundRect, {}, Rect{0, 0, r.Width(), r.Height()}, kHintCorner};
    l.fillsBackground = true;
    l.shadowOffsets = {{2, 2}};
    l.textOffset = Point{1, 1};
    return l;
}

// Floating text with a line from the window's corner under it; the text's shadow surrounds it.
HintLayout LeaderLine(Rect r) {
    r.right += 21;
    r.bottom += 12;
    const int w = r.Width(), h = r.Height();
    HintLayout l;
    l.window = r;
    l.region = {ShapeKind::Rectangle, {}, Rect{1, 1, w - 1, h - 1}, 0};
    l.outline = {ShapeKind::Polyline, {{1, 1}, {17, h - 2}, {w, h - 2}}, {}, 0};
    l.shadowOffsets = {{19, 10}, {19, 12}, {18, 11}, {20, 11}};
    l.textOffset = Point{19, 11};
    return l;
}
} // namespace

HintLayout LayoutHint(THintStyle style, const Rect& asked) {
    HintLayout l;
    switch (style) {
    case THintStyle::Fukidashi:
        l = Balloon(asked);
        break;
    case THintStyle::RoundRect:
        l = Rounded(asked);
        break;
    case THintStyle::LineString:
        l = LeaderLine(asked);
        break;
    case THintStyle::OwnerDraw:
        l.window = asked;
        break;
    }
    l.style = style;
    return l;
}

} // namespace pelorine
