#pragma once
// PCX files (version 5, run-length encoded), which the platform's codecs do not write.
//   1 bit:      one plane of 1 bit, the two colours in the header palette
//   4 bits:     four planes of 1 bit (the classic 16-colour layout), header palette
//   8 bits:     one plane of 8 bits, 256-entry palette after a 0x0C byte at the end
//   full colour: three planes of 8 bits (red, green, blue lines)
// Scan lines are padded to an even byte count; runs never cross a plane's line.
#include "base/Bytes.h"
#include "base/Pixmap.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelorine {

constexpr std::size_t kPcxHeaderSize = 128;

// Empty when the picture cannot be held: empty, a side above 65536 pixels, or a plane's line
// longer than the 65,535 bytes the header can state.
std::vector<std::uint8_t> EncodePcx(const Pixmap& picture);
std::vector<std::uint8_t> EncodePcx(const IndexedImage& picture);
// The same file handed to `out` a few lines at a time; false when the picture cannot be held
// or once `out` refuses.
bool StreamPcx(const Pixmap& picture, const ByteSink& out);
bool StreamPcx(const IndexedImage& picture, const ByteSink& out);

// Appends one plane's scan line run-length encoded: runs of up to 63 equal bytes as
// (0xC0 | count, byte); a single byte below 0xC0 stands for itself.
void AppendPcxRun(const std::uint8_t* line, std::size_t size, std::vector<std::uint8_t>& out);

} // namespace pelorine
