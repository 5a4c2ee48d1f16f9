#include "imaging/BitmapFile.h"

#include <algorithm>
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

std::vector<std::uint8_t> WriteBitmapFile(const RasterImage& picture) {
    const std::size_t tableSize = picture.bits == 8 ? 4 * picture.palette.size() : 0;
    const std::size_t pixelsAt = kFileHeaderSize + kInfoHeaderSize + tableSize;
    const std::size_t imageSize = picture.Stride() * std::size_t(picture.height);
    std::vector<std::uint8_t> out;
    out.reserve(pixelsAt + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutWord(out, std::uint32_t(pixelsAt + imageSize), 4);
    PutWord(out, 0, 4);
    PutWord(out, std::uint32_t(pixelsAt), 4);
    PutWord(out, kInfoHeaderSize, 4);
    PutWord(out, std::uint32_t(picture.width), 4);
    PutWord(out, std::uint32_t(picture.height), 4);
    PutWord(out, 1, 2);
    PutWord(out, std::uint32_t(picture.bits), 2);
    PutWord(out, 0, 4); // BI_RGB
    PutWord(out, std::uint32_t(imageSize), 4);
    PutWord(out, 2835, 4); // 72 dpi
    PutWord(out, 2835, 4);
    PutWord(out, std::uint32_t(tableSize / 4), 4);
    PutWord(out, 0, 4);
    for (std::size_t i = 0; i < tableSize / 4; ++i)
        PutWord(out, picture.palette[i] & 0xFFFFFF, 4);
    for (int y = picture.height - 1; y >= 0; --y)
        out.insert(out.end(), picture.Row(y), picture.Row(y) + picture.Stride());
    return out;
}

} // namespace pelorine
