#pragma once
// PNG files written by our own code over zlib. The platform's encoder ran zlib at its default
// level on one thread, which made a PNG save of a large screen take seconds. Here the rows are
// filtered and deflated in bands on every core, each band an independent raw deflate stream
// that ends on a byte boundary, and the bands are joined into one zlib stream.
#include "base/Pixmap.h"
#include "base/Bytes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelorine {

// Rows firstRow to firstRow + rows - 1, deflated on their own.
struct RowBand {
    int firstRow = 0;
    int rows = 0;
};

// Consecutive bands covering rows 0 to height - 1, each as many whole rows of rowBytes as fit in
// bandBytes (at least one row); none for a picture without rows.
std::vector<RowBand> SplitIntoBands(int height, std::size_t rowBytes, std::size_t bandBytes);

struct PngOptions {
    int threads = 0;                 // 0: one per core
    std::size_t bandBytes = 1 << 20; // filtered rows per band
};

// The file a save writes: full colour as 8-bit RGB, a palette picture at its own depth (1, 4 or
// 8 bits, with its palette), grey as 8-bit grey levels. Handed out in pieces, never all in
// memory at once; false once `out` refuses or the picture cannot be written.
bool StreamPng(const Pixmap& picture, const ByteSink& out, const PngOptions& options = {});
bool StreamPng(const IndexedImage& picture, const ByteSink& out, const PngOptions& options = {});
// The same file whole; empty on failure.
Bytes EncodePng(const Pixmap& picture, const PngOptions& options = {});
Bytes EncodePng(const IndexedImage& picture, const PngOptions& options = {});

} // namespace pelorine
