#include "imaging/BitmapFile.h"

#include "base/Pixmap.h"
#include "imaging/Rows.h"

#include <algorithm>
#include <functional>
#include <cstdlib>

namespace pelorine {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr int kMaxSide = 32768;
constexpr long long kMaxPixels = 1LL << 26;

std::uint32_t Dword(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

void PutWord(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

// The depth the masks of a BI_BITFIELDS file stand for, or 0 when we do not take them.
int DepthOfMasks(int bits, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    if (bits == 16 && red == 0xF800 && green == 0x07E0 && blue == 0x001F) return 16;
    if (bits == 16 && red == 0x7C00 && green == 0x03E0 && blue == 0x001F) return 15;
    if (bits == 32 && red == 0xFF0000 && green == 0xFF00 && blue == 0xFF) return 32;
    return 0;
}

} // namespace

std::optional<RasterImage> ReadBitmapFile(std::span<const std::uint8_t> file) {
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M') return {};
    const std::size_t pixelsAt = Dword(file, 10), infoSize = Dword(file, 14);
    const auto width = std::int32_t(Dword(file, 18)), rawHeight = std::int32_t(Dword(file, 22));
    const int planes = file[26] | file[27] << 8, bits = file[28] | file[29] << 8;
    const std::uint32_t compression = Dword(file, 30), colorsUsed = Dword(file, 46);
    if (infoSize < kInfoHeaderSize || infoSize > 124 || planes != 1) return {};
    if (rawHeight == INT32_MIN || width < 1 || width > kMaxSide || std::abs(rawHeight) > kMaxSide ||
        rawHeight == 0)
        return {};
    const int height = std::abs(rawHeight);
    if (static_cast<long long>(width) * height > kMaxPixels) return {};

    int depth = 0;
    std::size_t tableAt = kFileHeaderSize + infoSize;
    if (compression == 0 && (bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32)) {
        depth = bits;
    } else if (compression == 0 && bits == 16) {
        depth = 15;
    } else if (compression == 3 && (bits == 16 || bits == 32)) {
        const std::size_t masksAt = kFileHeaderSize + kInfoHeaderSize;
        if (file.size() < masksAt + 12) return {};
        depth = DepthOfMasks(bits, Dword(file, masksAt), Dword(file, masksAt + 4), Dword(file, masksAt + 8));
        if (infoSize == kInfoHeaderSize) tableAt += 12;
    }
    if (depth == 0) return {};

    RasterImage picture(width, height, depth);
    if (depth <= 8) {
        const std::uint32_t entries = colorsUsed ? colorsUsed : 1u << depth;
        if (entries > 1u << depth || tableAt + 4 * std::size_t(entries) > file.size()) return {};
        for (std::uint32_t i = 0; i < entries; ++i)
            picture.palette.push_back(Dword(file, tableAt + 4 * i) & 0xFFFFFF);
    }
    const std::size_t stride = picture.Stride();
    if (pixelsAt > file.size() || stride * std::size_t(height) > file.size() - pixelsAt) return {};
    for (int y = 0; y < height; ++y) {
        const int stored = rawHeight > 0 ? height - 1 - y : y; // bottom-up unless the height is negative
        const auto* from = file.data() + pixelsAt + stride * std::size_t(stored);
        std::copy(from, from + stride, picture.Row(y));
    }
    return picture;
}

std::optional<DirectRows> FindDirectRows(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
    constexpr std::size_t kMasksEnd = kFileHeaderSize + kInfoHeaderSize + 12;
    if (head.size() < kFileHeaderSize + kInfoHeaderSize || head[0] != 'B' || head[1] != 'M') return {};
    const std::uint32_t infoSize = Dword(head, 14), compression = Dword(head, 30);
    const auto width = std::int32_t(Dword(head, 18)), rawHeight = std::int32_t(Dword(head, 22));
    const int planes = head[26] | head[27] << 8, bits = head[28] | head[29] << 8;
    if (infoSize < kInfoHeaderSize || infoSize > 124 || planes != 1 || bits != 32) return {};
    if (compression == 3 && (head.size() < kMasksEnd ||
                             DepthOfMasks(32, Dword(head, 54), Dword(head, 58), Dword(head, 62)) != 32))
        return {};
    if (compression != 0 && compression != 3) return {};
    if (rawHeight == INT32_MIN || width < 1 || width > kMaxSide || rawHeight == 0 ||
        std::abs(rawHeight) > kMaxSide)
        return {};
    if (static_cast<long long>(width) * std::abs(rawHeight) > kMaxPixels) return {};
    DirectRows rows{width, std::abs(rawHeight), rawHeight > 0, Dword(head, 10)};
    const std::uint64_t size = std::uint64_t(width) * std::uint64_t(rows.height) * 4;
    if (rows.pixelsAt < kFileHeaderSize + infoSize || rows.pixelsAt > fileSize ||
        size > fileSize - rows.pixelsAt)
        return {};
    return rows;
}

void PlaceDirectRows(const Rgb* stored, int firstStored, int count, bool bottomUp, Pixmap& picture) {
    const std::size_t w = std::size_t(picture.width);
    for (int k = 0; k < count; ++k) {
        const int fileRow = firstStored + k;
        const int y = bottomUp ? picture.height - 1 - fileRow : fileRow;
        const Rgb* from = stored + std::size_t(k) * w;
        Rgb* to = picture.pixels.data() + std::size_t(y) * w;
        for (std::size_t x = 0; x < w; ++x)
            to[x] = from[x] & 0xFFFFFF; // the fourth byte is padding, not alpha
    }
}

namespace {

// The headers and colour table of a bottom-up BI_RGB file.
std::vector<std::uint8_t> StartBitmapFile(int width, int height, int bits, const std::vector<Rgb>& table,
                                          std::uint32_t pixelsPerMetre) {
    const std::size_t pixelsAt = kFileHeaderSize + kInfoHeaderSize + 4 * table.size();
    const std::size_t imageSize = RowStride(width, bits) * std::size_t(height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    PutWord(out, std::uint32_t(pixelsAt + imageSize), 4);
    PutWord(out, 0, 4);
    PutWord(out, std::uint32_t(pixelsAt), 4);
    PutWord(out, kInfoHeaderSize, 4);
    PutWord(out, std::uint32_t(width), 4);
    PutWord(out, std::uint32_t(height), 4);
    PutWord(out, 1, 2);
    PutWord(out, std::uint32_t(bits), 2);
    PutWord(out, 0, 4); // BI_RGB
    PutWord(out, std::uint32_t(imageSize), 4);
    PutWord(out, pixelsPerMetre, 4);
    PutWord(out, pixelsPerMetre, 4);
    PutWord(out, std::uint32_t(table.size()), 4);
    PutWord(out, 0, 4);
    for (const Rgb colour : table)
        PutWord(out, colour & 0xFFFFFF, 4);
    return out;
}

constexpr std::uint32_t kScreenPixelsPerMetre = 3780; // 96 dpi

} // namespace

std::vector<std::uint8_t> WriteBitmapFile(const RasterImage& picture) {
    const std::vector<Rgb> none;
    std::vector<std::uint8_t> out = StartBitmapFile(picture.width, picture.height, picture.bits,
                                                    picture.bits == 8 ? picture.palette : none,
                                                    2835); // 72 dpi
    out.reserve(out.size() + picture.Stride() * std::size_t(picture.height));
    for (int y = picture.height - 1; y >= 0; --y)
        out.insert(out.end(), picture.Row(y), picture.Row(y) + picture.Stride());
    return out;
}

namespace {

// The headers, then the rows bottom-up, as bitmap files store them.
bool StreamRows(const std::vector<std::uint8_t>& header, int height, std::size_t stride,
                const std::function<void(int y, std::uint8_t* row)>& fill, const ByteSink& out) {
    return out(header) &&
           StreamRowBands(
               height, stride, [&](int i, std::uint8_t* row) { fill(height - 1 - i, row); }, out);
}

} // namespace

bool StreamBitmapFile(const Pixmap& picture, const ByteSink& out) {
    const auto header = StartBitmapFile(picture.width, picture.height, 24, {}, kScreenPixelsPerMetre);
    return StreamRows(
        header, picture.height, RowStride(picture.width, 24),
        [&](int y, std::uint8_t* row) { PutBgrRow(picture, y, row); }, out);
}

bool StreamBitmapFile(const IndexedImage& picture, const ByteSink& out) {
    const auto header =
        StartBitmapFile(picture.width, picture.height, picture.bits, picture.palette, kScreenPixelsPerMetre);
    return StreamRows(
        header, picture.height, RowStride(picture.width, picture.bits),
        [&](int y, std::uint8_t* row) { PutIndexRow(picture, y, picture.bits, row); }, out);
}

std::vector<std::uint8_t> EncodeBitmapFile(const Pixmap& picture) {
    return CollectBytes([&](const ByteSink& out) { return StreamBitmapFile(picture, out); },
                        64 + RowStride(picture.width, 24) * std::size_t(picture.height));
}

std::vector<std::uint8_t> EncodeBitmapFile(const IndexedImage& picture) {
    return CollectBytes([&](const ByteSink& out) { return StreamBitmapFile(picture, out); },
                        64 + 4 * picture.palette.size() +
                            RowStride(picture.width, picture.bits) * std::size_t(picture.height));
}

} // namespace pelorine
