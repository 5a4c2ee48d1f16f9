#pragma once
// The stored outline of a picture: the rectangles of its non-transparent pixels in the layout
// the platform's region description has ("RgnData": a 32-byte header, then 16 bytes per
// rectangle), in the platform's banded order, so a stored blob becomes a region with one call
// and equals what the platform itself would describe. Portable: no platform headers.
#include "base/RasterImage.h"
#include "framework/Error.h"
#include "framework/Geometry.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pelorine {

// A picture that cannot describe a region.
class EInvalidGraphic : public Error {
  public:
    using Error::Error;
};

constexpr std::size_t kRgnDataHeaderSize = 32;

// Brings the picture to the depths the scan compares: 1- and 4-bit pictures to 8-bit palette
// indices, 15-, 16- and 32-bit ones to 24-bit; 8- and 24-bit pictures stay as they are.
void NormalizeForScan(RasterImage& picture);

// Scans the picture row by row for runs of pixels that differ from the bottom-left pixel
// (compared raw: palette index or three colour bytes) and returns the region description of
// their union. The picture is normalised first and keeps its new depth. A row may hold at most
// 101 runs. Raises EInvalidGraphic for an empty or zero-sized picture or too many runs.
std::vector<std::uint8_t> ExtractRgnData(RasterImage& picture);

// The region description of rectangles given in banded order (bounding box computed).
std::vector<std::uint8_t> EncodeRgnData(const std::vector<Rect>& rects);

// The rectangles of a region description, or nothing when the blob is not a well-formed one:
// header size 32, type 1, count × 16 = list size = blob size − 32, and every rectangle
// non-empty.
std::optional<std::vector<Rect>> DecodeRgnData(std::span<const std::uint8_t> blob);

} // namespace pelorine
