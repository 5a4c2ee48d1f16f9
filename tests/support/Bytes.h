#pragma once
// Numbers read from a file's bytes, held as bytes or as a string. Portable.
#include <cstddef>
#include <cstdint>

namespace testing_support {

// The little-endian number of `count` bytes (up to four) at `at`; bytes past the end read as 0.
template <typename Bytes> std::uint32_t LittleEndian(const Bytes& b, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | (at + std::size_t(i) < b.size() ? std::uint8_t(b[at + std::size_t(i)]) : 0u);
    return value;
}
template <typename Bytes> std::uint32_t Le16(const Bytes& b, std::size_t at) {
    return LittleEndian(b, at, 2);
}
template <typename Bytes> std::uint32_t Le32(const Bytes& b, std::size_t at) {
    return LittleEndian(b, at, 4);
}

} // namespace testing_support
