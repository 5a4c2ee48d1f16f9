#pragma once
// The box round the pixels of a painting that a test looks for. Portable.
#include "framework/Geometry.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

namespace testing_support {

// The smallest rectangle within `where` that holds every pixel for which match(at(x, y)) holds;
// nothing when no pixel does.
template <typename At, typename Match>
std::optional<pelorine::Rect> BoxOf(const pelorine::Rect& where, At at, Match match) {
    std::optional<pelorine::Rect> found;
    for (int y = where.top; y < where.bottom; ++y)
        for (int x = where.left; x < where.right; ++x)
            if (match(at(x, y)))
                found = found ? pelorine::Rect{std::min(found->left, x), std::min(found->top, y),
                                               std::max(found->right, x + 1), std::max(found->bottom, y + 1)}
                              : pelorine::Rect{x, y, x + 1, y + 1};
    return found;
}

// The same over the whole of a painting `width` pixels wide, top row first.
template <typename Pixel, typename Match>
std::optional<pelorine::Rect> BoxOf(const std::vector<Pixel>& pixels, int width, Match match) {
    return BoxOf(
        pelorine::Rect{0, 0, width, int(pixels.size()) / width},
        [&](int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }, match);
}

} // namespace testing_support
