#pragma once
// Bytes in memory and bytes handed on piece by piece: one buffer type and one sink for the
// files, the encoders and the platform's writers alike.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace pelorine {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;
// Takes the next piece; false to give up (a write failed), and the producer stops.
using ByteSink = std::function<bool(ByteView)>;

} // namespace pelorine
