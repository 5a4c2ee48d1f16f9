#pragma once
// Bytes in memory and bytes handed on piece by piece: one buffer type and one sink for the
// files, the encoders and the platform's writers alike.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace pelorine {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;
// Takes the next piece; false to give up (a write failed), and the producer stops.
using ByteSink = std::function<bool(ByteView)>;

// The pieces a producer hands to its sink, joined into one buffer, with `expected` bytes
// reserved first where the size is known; empty when the producer gives up.
inline Bytes CollectBytes(const std::function<bool(const ByteSink&)>& produce, std::size_t expected = 0) {
    Bytes all;
    all.reserve(expected);
    const bool ok = produce([&](ByteView piece) {
        all.insert(all.end(), piece.begin(), piece.end());
        return true;
    });
    if (!ok) all.clear();
    return all;
}

} // namespace pelorine
