#pragma once
// The reading side of PCX run-length lines, for checking what the writer made: the program
// itself never reads PCX.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace testing_support {

// Decodes `wanted` bytes from the start of data; nullopt when data ends first. A run that
// overshoots is cut at `wanted`. `consumed` receives the number of input bytes read.
inline std::optional<std::vector<std::uint8_t>> DecodePcxRle(const std::uint8_t* data, std::size_t size,
                                                             std::size_t wanted,
                                                             std::size_t* consumed = nullptr) {
    std::vector<std::uint8_t> out;
    out.reserve(std::min(wanted, size * 63));
    std::size_t i = 0;
    while (out.size() < wanted) {
        if (i >= size) return std::nullopt;
        std::size_t count = 1;
        if ((data[i] & 0xC0) == 0xC0) {
            count = data[i] & 0x3F;
            if (++i >= size) return std::nullopt;
        }
        out.insert(out.end(), std::min(count, wanted - out.size()), data[i++]);
    }
    if (consumed) *consumed = i;
    return out;
}

} // namespace testing_support
