#pragma once
// Baseline JPEG files written by our own code: YCbCr at 4:2:0, the quantisation tables of the
// JPEG standard scaled by the usual 1-100 quality, its typical Huffman tables. The platform's
// encoder worked on one thread; here bands of block rows are coded on every core, each band a
// restart interval of its own, so that they can be made apart and joined in order.
#include "base/Bytes.h"
#include "base/Pixmap.h"

namespace pelorine {

struct JpegOptions {
    int threads = 0;  // 0: one per core
    int bandRows = 8; // rows of 16-pixel blocks per band
};

// The file of a full-colour picture at a quality of 1 (smallest) to 100 (best); empty when the
// picture cannot be written (no pixels, or a side longer than a JPEG file can hold).
Bytes EncodeJpeg(const Pixmap& picture, int quality, const JpegOptions& options = {});

} // namespace pelorine
