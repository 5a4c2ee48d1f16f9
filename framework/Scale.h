#pragma once
// The factor by which a window draws its 96-DPI design: its monitor's DPI over 96. Lengths are
// rounded to whole pixels, half away from zero. A rectangle is scaled by its edges, not by its
// left and width, so rectangles that touch or lie apart at 96 DPI still do at any scale.
// Portable.
#include "framework/Geometry.h"

namespace pelorine {

class Scale {
  public:
    static constexpr int kDesignDpi = 96;

    constexpr Scale() = default;
    // A DPI of 0 or less (a platform that could not tell) counts as the design's.
    constexpr explicit Scale(int dpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}

    constexpr int Dpi() const { return dpi_; }
    constexpr double Factor() const { return double(dpi_) / kDesignDpi; }
    constexpr bool IsDesign() const { return dpi_ == kDesignDpi; }

    constexpr int Scaled(int length) const {
        if (length < 0) return -Scaled(-length);
        return int((2LL * length * dpi_ + kDesignDpi) / (2LL * kDesignDpi));
    }
    constexpr Point Scaled(Point p) const { return {Scaled(p.x), Scaled(p.y)}; }
    constexpr Rect Scaled(const Rect& r) const {
        return {Scaled(r.left), Scaled(r.top), Scaled(r.right), Scaled(r.bottom)};
    }
    constexpr Size Scaled(Size s) const { return {Scaled(s.width), Scaled(s.height)}; }

    friend constexpr bool operator==(const Scale&, const Scale&) = default;

  private:
    int dpi_ = kDesignDpi;
};

} // namespace pelorine
