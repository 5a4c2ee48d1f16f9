// Picture sizes, band sizes and thread counts from the bytes, into the PNG writer's band
// splitter and through the writer: the bands must cover every row once, in order, and every
// file must decode to the very pixels it was given.
#include "imaging/PngWriter.h"
#include "support/PngDecode.h"

#include <algorithm>
#include <cstdlib>

using namespace pelorine;

namespace {

std::size_t Take(const uint8_t*& data, size_t& size, int bytes) {
    std::size_t value = 0;
    for (int i = 0; i < bytes && size > 0; ++i, ++data, --size)
        value = value << 8 | *data;
    return value;
}

// Any height and row length, up to the largest picture a save takes.
void SplitHostileSizes(const uint8_t* data, size_t size) {
    const int height = int(Take(data, size, 4) % (1u << 27)) - 2;
    const std::size_t rowBytes = Take(data, size, 4), bandBytes = Take(data, size, 4);
    const std::size_t rowsPerBand = std::max<std::size_t>(1, bandBytes / std::max<std::size_t>(rowBytes, 1));
    if (std::size_t(std::max(height, 0)) / rowsPerBand > 1 << 16)
        return; // millions of bands: slow, not telling
    const std::vector<RowBand> bands = SplitIntoBands(height, rowBytes, bandBytes);
    int next = 0;
    for (const RowBand& band : bands) {
        if (band.firstRow != next || band.rows < 1) std::abort();
        next += band.rows;
    }
    if (next != std::max(height, 0)) std::abort();
}

// A small picture of the bytes, written with a band size and thread count of the bytes.
void RoundTrip(const uint8_t* data, size_t size) {
    if (size < 4) return;
    // Helper threads on one input in eight: starting them costs more than the rest of a run.
    const int width = 1 + data[0] % 23, threads = data[1] % 8 ? 1 : 2 + data[1] / 8 % 2, kind = data[2] % 4;
    const std::size_t bandBytes = 1 + std::size_t(data[3]) * 64; // from one row a band to a few bands
    data += 4;
    size -= 4;
    const int height = int(size / std::size_t(width));
    if (height == 0) return;
    std::vector<uint32_t> expected;
    std::vector<uint8_t> file;
    if (kind == 0) {
        Pixmap picture(width, height);
        for (std::size_t i = 0; i < picture.pixels.size(); ++i)
            picture.pixels[i] = MakeRgb(data[i], data[i] * 7 & 255, data[i] ^ 0x5A);
        file = EncodePng(picture, {threads, bandBytes});
        expected = picture.pixels;
    } else {
        const int bits = kind == 1 ? 1 : kind == 2 ? 4 : 8;
        IndexedImage picture{
            width, height, bits, bits == 8 && data[0] % 2, std::vector<Rgb>(std::size_t(1) << bits), {}};
        for (std::size_t i = 0; i < std::size_t(width * height); ++i)
            picture.indices.push_back(uint8_t(data[i] & ((1 << bits) - 1)));
        file = EncodePng(picture, {threads, bandBytes});
        expected.assign(picture.indices.begin(), picture.indices.end());
    }
    const auto png = testing_support::DecodePng(file);
    if (!png || png->width != width || png->height != height || png->samples != expected) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SplitHostileSizes(data, size);
    RoundTrip(data, size);
    return 0;
}
