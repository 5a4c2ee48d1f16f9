#include "controls/HintShape.h"

namespace pelorine {

namespace {
// A speech balloon: the body from y = kTailHeight down, a tail at the top left pointing up at
// the pointer. The outline runs one pixel inside the region's right and bottom edges, where the
// pen still lands on the window.
HintLayout Balloon(Rect r, const Scale& s) {
    const int t = s.Scaled(kTailHeight), tip = s.Scaled(kTailTip);
    r.bottom += t;
    const int w = r.Width(), h = r.Height();
    HintLayout l;
    l.window = r;
    l.region = {
        ShapeKind::Polygon, {{tip, 0}, {s.Scaled(8), t}, {0, t}, {0, h}, {w, h}, {w, t}, {tip, t}}, {}, 0};
    l.outline = {ShapeKind::Polygon,
                 {{tip, 0},
                  {s.Scaled(9), t},
                  {0, t},
                  {0, h - 1},
                  {w - 1, h - 1},
                  {w - 1, t},
                  {tip - 1, t},
                  {tip - 1, 0}},
                 {},
                 0};
    l.fillsBackground = true;
    l.shadowOffsets = {s.Scaled(Point{4, 10})};
    l.textOffset = s.Scaled(Point{3, 9});
    return l;
}

// One pixel wider and taller than asked, so the outline drawn on the asked size stays inside the
// rounded region.
HintLayout Rounded(Rect r, const Scale& s) {
    const int w = r.Width() + 1, h = r.Height() + 1;
    HintLayout l;
    l.window = Rect{r.left, r.top, r.left + w, r.top + h};
    l.region = {ShapeKind::RoundRect, {}, Rect{0, 0, w, h}, s.Scaled(kHintCorner)};
    l.outline = {ShapeKind::RoundRect, {}, Rect{0, 0, r.Width(), r.Height()}, s.Scaled(kHintCorner)};
    l.fillsBackground = true;
    l.shadowOffsets = {s.Scaled(Point{2, 2})};
    l.textOffset = s.Scaled(Point{1, 1});
    return l;
}

// Floating text with a line from the window's corner under it; the text's shadow surrounds it.
HintLayout LeaderLine(Rect r, const Scale& s) {
    r.right += s.Scaled(21);
    r.bottom += s.Scaled(12);
    const int w = r.Width(), h = r.Height();
    HintLayout l;
    l.window = r;
    l.region = {ShapeKind::Rectangle, {}, Rect{1, 1, w - 1, h - 1}, 0};
    l.outline = {ShapeKind::Polyline, {{1, 1}, {s.Scaled(17), h - 2}, {w, h - 2}}, {}, 0};
    const int x = s.Scaled(19), y = s.Scaled(11), d = s.Scaled(1);
    l.shadowOffsets = {{x, y - d}, {x, y + d}, {x - d, y}, {x + d, y}};
    l.textOffset = Point{x, y};
    return l;
}
} // namespace

HintLayout LayoutHint(THintStyle style, const Rect& asked, const Scale& scale) {
    HintLayout l;
    switch (style) {
    case THintStyle::Fukidashi:
        l = Balloon(asked, scale);
        break;
    case THintStyle::RoundRect:
        l = Rounded(asked, scale);
        break;
    case THintStyle::LineString:
        l = LeaderLine(asked, scale);
        break;
    case THintStyle::OwnerDraw:
        l.window = asked;
        break;
    }
    l.style = style;
    return l;
}

} // namespace pelorine
