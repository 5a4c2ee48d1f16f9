#pragma once
// Rows in the layouts that bitmap files and the platform's encoders take: blue-green-red
// triples, or indices packed most significant bits first, each row padded to four bytes.
// They are handed out a band at a time from one small buffer: a whole converted copy of a
// screen, in fresh memory, cost more than the conversion.
#include "base/Bytes.h"
#include "base/Pixmap.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace pelorine {

std::size_t RowStride(int width, int bitsPerPixel);

// One row of the picture into `row`, which arrives zeroed.
void PutBgrRow(const Pixmap& picture, int y, std::uint8_t* row);
void PutIndexRow(const IndexedImage& picture, int y, int bitsPerPixel, std::uint8_t* row);

// Hands rows 0 to count - 1 out in bands of about 256 KB, each a whole number of rows of
// `stride` bytes: `fill` writes row i of the band's rows. False once `out` refuses.
using RowFill = std::function<void(int i, std::uint8_t* row)>;
bool StreamRowBands(int count, std::size_t stride, const RowFill& fill, const ByteSink& out);

} // namespace pelorine
