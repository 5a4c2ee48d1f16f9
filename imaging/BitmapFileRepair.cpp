#include "imaging/BitmapFileRepair.h"

#include <cstddef>

namespace pelorine {
namespace {

constexpr std::size_t kFileHeaderSize = 14;

std::uint32_t ReadDword(const std::vector<std::uint8_t>& file, std::size_t at) {
    return std::uint32_t(file[at]) | std::uint32_t(file[at + 1]) << 8 | std::uint32_t(file[at + 2]) << 16 |
           std::uint32_t(file[at + 3]) << 24;
}

void WriteDword(std::vector<std::uint8_t>& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        file[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

} // namespace

void RepairBitmapFile(std::vector<std::uint8_t>& file) {
    if (file.size() < kFileHeaderSize + 4 || file.size() > 0xFFFFFFFFu || file[0] != 'B' || file[1] != 'M')
        return;
    const std::size_t pixelsAt = ReadDword(file, 10), infoSize = ReadDword(file, kFileHeaderSize);
    if (infoSize < 40 || pixelsAt > file.size() || kFileHeaderSize + infoSize > pixelsAt) return;
    WriteDword(file, 2, std::uint32_t(file.size()));
    // The colour table sits between the info header and the pixels, four bytes an entry.
    for (std::size_t at = kFileHeaderSize + infoSize + 3; at < pixelsAt; at += 4)
        file[at] = 0;
}

} // namespace pelorine
