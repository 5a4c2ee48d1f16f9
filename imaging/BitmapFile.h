#pragma once
// Windows bitmap files in portable code: the skin tools write and read them natively, and a save
// writes them. No platform headers.
#include "base/Bytes.h"
#include "base/RasterImage.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace pelorine {

struct Pixmap;
struct IndexedImage;

// The pixels of a bitmap file (BI_RGB at any depth a RasterImage holds, BI_BITFIELDS for 5-6-5 and
// 5-5-5), or nothing when the file is not one or is larger than the program ever needs.
std::optional<RasterImage> ReadBitmapFile(std::span<const std::uint8_t> file);

// A bitmap file of an 8-bit (with palette) or 24-bit picture, bottom-up, as the resource
// compiler and every reader take it.
std::vector<std::uint8_t> WriteBitmapFile(const RasterImage& picture);

// The bitmap file a save writes: full colour at 24 bits, a palette picture at its own depth
// (1, 4 or 8 bits, grey as 8 bits with the grey levels), bottom-up, 96 dpi.
std::vector<std::uint8_t> EncodeBitmapFile(const Pixmap& picture);
std::vector<std::uint8_t> EncodeBitmapFile(const IndexedImage& picture);
// The same file handed out in pieces, never all in memory at once; false once `out` refuses.
bool StreamBitmapFile(const Pixmap& picture, const ByteSink& out);
bool StreamBitmapFile(const IndexedImage& picture, const ByteSink& out);

// A 32-bit bitmap file (BI_RGB, or BI_BITFIELDS with the usual masks) holds its rows in the
// layout of a Pixmap, so a reader can take them straight into one: the hand-off file of every
// capture is such a file.
struct DirectRows {
    int width = 0;
    int height = 0;
    bool bottomUp = true;
    std::size_t pixelsAt = 0;
};
// Where those rows lie, from the file's first bytes (at least 66 of them, or the whole file
// when shorter) and its size; nothing when the file is another kind or its rows do not fit.
std::optional<DirectRows> FindDirectRows(std::span<const std::uint8_t> head, std::uint64_t fileSize);
// Copies `count` rows as they lie in the file, the first of them the file's row `firstStored`,
// to their places in the picture (top to bottom), padding bytes cleared.
void PlaceDirectRows(const Rgb* stored, int firstStored, int count, bool bottomUp, Pixmap& picture);

} // namespace pelorine
