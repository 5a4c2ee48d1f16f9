#pragma once
// Small geometry types of our own; Win32 files convert them to POINT/RECT at the boundary.

namespace pelorine {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Bounds as the forms give them: left, top, width, height.
constexpr Rect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

} // namespace pelorine
