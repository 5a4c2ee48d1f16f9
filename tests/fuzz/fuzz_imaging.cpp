// Hostile bytes into the PCX run-length decoder and the 32-bit bitmap header reader, and arbitrary
// pictures through the PCX writer and back: nothing may read or write out of bounds, and every
// encoded line must decode to exactly what was written.
#include "imaging/BitmapFile.h"
#include "imaging/PcxWriter.h"
#include "support/PcxRle.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace pelorine;
using testing_support::DecodePcxRle;

namespace {

void DecodeHostileBytes(const uint8_t* data, size_t size) {
    if (size < 2) return;
    const size_t wanted = size_t(data[0]) << 4 | data[1];
    std::size_t used = 0;
    const auto out = DecodePcxRle(data + 2, size - 2, wanted, &used);
    if (out && (out->size() != wanted || used > size - 2)) std::abort();
}

void RoundTripLine(const uint8_t* data, size_t size) {
    std::vector<uint8_t> encoded;
    AppendPcxRun(data, size, encoded);
    const auto decoded = DecodePcxRle(encoded.data(), encoded.size(), size);
    if (!decoded || !std::equal(decoded->begin(), decoded->end(), data, data + size)) std::abort();
}

// The first bytes choose depth and width; the rest are the indices.
void RoundTripPicture(const uint8_t* data, size_t size) {
    if (size < 3) return;
    const int bits = data[0] % 3 == 0 ? 1 : data[0] % 3 == 1 ? 4 : 8;
    const int width = 1 + data[1] % 40;
    const int height = int((size - 2) / size_t(width));
    if (height == 0) return;
    IndexedImage image{width, height, bits, false, std::vector<Rgb>(size_t(1) << bits, 0), {}};
    for (size_t i = 0; i < size_t(width * height); ++i)
        image.indices.push_back(uint8_t(data[2 + i] & ((1 << bits) - 1)));
    const std::vector<uint8_t> file = EncodePcx(image);
    const size_t planes = file[65], bytesPerLine = size_t(file[66] | file[67] << 8);
    const auto body = DecodePcxRle(file.data() + kPcxHeaderSize, file.size() - kPcxHeaderSize,
                                   planes * bytesPerLine * size_t(height));
    if (!body || bytesPerLine % 2 != 0) std::abort();
}

// A bitmap signature in front of the bytes, so the reader gets past its first check. What it
// accepts must lie inside the file.
void FindRowsInHostileBitmap(const uint8_t* data, size_t size) {
    std::vector<uint8_t> file{'B', 'M'};
    file.insert(file.end(), data, data + size);
    const auto rows = FindDirectRows(file, file.size());
    if (rows && rows->pixelsAt + 4 * size_t(rows->width) * size_t(rows->height) > file.size()) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodeHostileBytes(data, size);
    RoundTripLine(data, size);
    RoundTripPicture(data, size);
    FindRowsInHostileBitmap(data, size);
    return 0;
}
