#pragma once
// Windows bitmap files in portable code: the skin tools write and read them natively, and the
// region scan takes its pixels in the same raw layout as the platform's device-independent
// bitmaps. No platform headers.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace pelorine {

struct Pixmap;
struct IndexedImage;

// A picture at its stored depth: rows top to bottom, each Stride() bytes (padded to four bytes
// as in a bitmap file). `bits` is 1, 4, 8, 15 (5-5-5), 16 (5-6-5), 24 or 32 (B, G, R, unused);
// pictures of up to 8 bits carry a palette of 0x00RRGGBB colours.
struct RasterImage {
    int width = 0;
    int height = 0;
    int bits = 24;
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> bytes;

    RasterImage() = default;
    RasterImage(int w, int h, int depth)
        : width(w), height(h), bits(depth), bytes(Stride() * std::size_t(h)) {}
    std::size_t Stride() const {
        return (std::size_t(width) * std::size_t(bits == 15 ? 16 : bits) + 31) / 32 * 4;
    }
    std::uint8_t* Row(int y) { return bytes.data() + Stride() * std::size_t(y); }
    const std::uint8_t* Row(int y) const { return bytes.data() + Stride() * std::size_t(y); }
};

// The pixels of a bitmap file (BI_RGB at any of the depths above, BI_BITFIELDS for 5-6-5 and
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
using BytesOut = std::function<bool(std::span<const std::uint8_t>)>;
bool StreamBitmapFile(const Pixmap& picture, const BytesOut& out);
bool StreamBitmapFile(const IndexedImage& picture, const BytesOut& out);

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
// Puts rows read as they lie in the file into top-to-bottom order, padding bytes cleared.
void FinishDirectRows(Pixmap& picture, bool bottomUp);

} // namespace pelorine
