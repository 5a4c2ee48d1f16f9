#pragma once
// The shapes of a hint window, one per hint style: the rectangle the window takes for the one the
// framework asked for, the region that cuts it, the outline drawn with the pen and where the text
// and its shadow land. Portable: no platform headers.
#include "framework/Geometry.h"
#include "framework/Scale.h"

#include <optional>
#include <vector>

namespace pelorine {

enum class THintStyle { Fukidashi, RoundRect, LineString, OwnerDraw };

enum class ShapeKind { None, Polygon, RoundRect, Rectangle, Polyline };

// A figure in the window's own coordinates: a polygon or polyline through `points`, or a
// (rounded) rectangle `rect` with corners of `corner` x `corner`.
struct Shape {
    ShapeKind kind = ShapeKind::None;
    std::vector<Point> points;
    Rect rect;
    int corner = 0;
};

struct HintLayout {
    THintStyle style = THintStyle::Fukidashi;
    Rect window;                      // on the screen
    Shape region;                     // None: the whole window
    Shape outline;                    // drawn with the pen, nothing filled
    bool fillsBackground = false;     // the brush fills the window before the text
    std::vector<Point> shadowOffsets; // where copies of the text in the shadow colour go
    std::optional<Point> textOffset;  // none: the owner paints
};

// The corner ellipse of the rounded style, and the balloon's tail: its tip is at (kTailTip, 0) and
// the body starts kTailHeight pixels below the window's top.
constexpr int kHintCorner = 8;
constexpr int kTailTip = 14;
constexpr int kTailHeight = 9;

// The lengths of the shapes are those of the 96-DPI design, drawn at the scale.
HintLayout LayoutHint(THintStyle style, const Rect& asked, const Scale& scale = Scale());

} // namespace pelorine
