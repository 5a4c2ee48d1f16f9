// Pictures of hostile sizes through the PCX writer, and hostile bytes into the 32-bit bitmap
// header reader: nothing may read or write out of bounds, a size the header cannot state gives
// no file, and every file decodes to exactly the indices (or colours) that were written.
#include "imaging/BitmapFile.h"
#include "imaging/PcxWriter.h"
#include "support/PcxRle.h"

#include <cstdlib>
#include <vector>

using namespace pelorine;
using testing_support::DecodePcxRle;

namespace {

// Whether a side and a plane's line, padded to an even byte count, fit the header's words.
bool Fits(int width, int height, int bitsPerPlane) {
    const long long bytes = (static_cast<long long>(width) * bitsPerPlane + 7) / 8;
    return width >= 1 && height >= 1 && width <= 65536 && height <= 65536 && bytes + bytes % 2 <= 0xFFFF;
}

// The file's pixels read back plane by plane: for 1-bit planes, plane p is bit p of the index;
// for 8-bit planes, the planes are the bytes from the most significant down.
std::vector<std::uint32_t> Decoded(const std::vector<std::uint8_t>& file, int width, int height) {
    const int bitsPerPlane = file[3], planes = file[65];
    const std::size_t bytesPerLine = std::size_t(file[66] | file[67] << 8);
    const auto body = DecodePcxRle(file.data() + kPcxHeaderSize, file.size() - kPcxHeaderSize,
                                   std::size_t(planes) * bytesPerLine * std::size_t(height));
    if (!body || bytesPerLine % 2 != 0) std::abort();
    std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (int p = 0; p < planes; ++p) {
            const std::uint8_t* line = body->data() + (std::size_t(y) * planes + p) * bytesPerLine;
            for (int x = 0; x < width; ++x) {
                std::uint32_t& pixel = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
                if (bitsPerPlane == 1)
                    pixel |= std::uint32_t(line[x / 8] >> (7 - x % 8) & 1) << p;
                else
                    pixel = pixel << 8 | line[x];
            }
        }
    return pixels;
}

// The first bytes choose the depth and the size: mostly small; one input in sixty-four has a side
// just around a limit of the header (a side of 65536, a padded line of 65535 bytes) or 0.
void RoundTripPicture(const uint8_t* data, size_t size) {
    if (size < 5) return;
    const int depth = data[0] % 4, bits = depth == 0 ? 1 : depth == 1 ? 4 : 8;
    const int edges[] = {1, 65534, 65536};
    const int edge = edges[data[1] % 3] + data[2] % 3 - 1;
    const bool hostile = data[0] % 8 == 0 && data[1] % 8 == 0, tall = data[3] & 1;
    const int width = !hostile ? data[1] % 41 : tall ? 1 : edge;
    const int height = !hostile ? data[4] % 9 : tall ? edge : 1;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    auto value = [&](std::size_t i) { return size > 5 ? data[5 + i % (size - 5)] : uint8_t(0); };

    std::vector<std::uint32_t> written(count);
    std::vector<std::uint8_t> file;
    if (depth == 3) {
        Pixmap picture(width, height);
        for (std::size_t i = 0; i < count; ++i)
            picture.pixels[i] = written[i] = MakeRgb(value(i), value(i + 1), value(i + 2));
        file = EncodePcx(picture);
    } else {
        IndexedImage image{width, height, bits, false, std::vector<Rgb>(std::size_t(1) << bits, 0), {}};
        for (std::size_t i = 0; i < count; ++i)
            image.indices.push_back(uint8_t(written[i] = value(i) & ((1u << bits) - 1)));
        file = EncodePcx(image);
    }
    const bool fits = Fits(width, height, bits == 8 ? 8 : 1);
    if (file.empty() != !fits) std::abort();
    if (fits && Decoded(file, width, height) != written) std::abort();
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
    RoundTripPicture(data, size);
    FindRowsInHostileBitmap(data, size);
    return 0;
}
