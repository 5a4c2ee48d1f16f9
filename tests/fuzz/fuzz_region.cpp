// Feeds the stored-outline reader and the bitmap file reader with hostile bytes. The first
// byte picks the shape: raw bytes, or the rest wrapped in a well-formed blob header or bitmap
// file header (so random input gets past the headers). A blob the reader takes must give its
// rectangles back unchanged when written again; a bitmap the file reader takes must scan to a
// blob the reader takes, or be refused with the scan's own error.
#include "controls/RegionData.h"
#include "imaging/BitmapFile.h"
#include "support/BitmapFiles.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void Put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes = 4) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(v >> (8 * i)));
}

std::vector<std::uint8_t> Wrap(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> out;
    if (size == 0) return out;
    const int mode = data[0] % 3;
    ++data, --size;
    if (mode == 1) {
        const std::uint32_t count = std::uint32_t(size / 16);
        for (const std::uint32_t v : {32u, 1u, count, 16 * count, 0u, 0u, 0u, 0u})
            Put(out, v);
        out.insert(out.end(), data, data + 16 * std::size_t(count));
    } else if (mode == 2 && size >= 3) {
        static const int kDepths[] = {1, 4, 8, 16, 24, 32};
        const int width = 1 + data[0] % 40, height = 1 + data[1] % 40, bits = kDepths[data[2] % 6];
        const std::uint32_t colours = bits <= 8 ? 1u << bits : 0;
        const std::uint32_t pixelsAt = 54 + 4 * colours;
        out = testing_support::BitmapHeader(width, height, bits, 0, 0, pixelsAt);
        out.resize(pixelsAt, 0x5A);
        out.insert(out.end(), data + 3, data + size);
    } else {
        out.assign(data, data + size);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::uint8_t> bytes = Wrap(data, size);
    if (auto rects = pelorine::DecodeRgnData(bytes)) {
        const auto again = pelorine::EncodeRgnData(*rects);
        if (again.size() != bytes.size() ||
            std::memcmp(again.data() + 32, bytes.data() + 32, bytes.size() - 32) != 0)
            std::abort();
    }
    if (auto picture = pelorine::ReadBitmapFile(bytes)) {
        if (std::size_t(picture->width) * std::size_t(picture->height) > 1u << 20) return 0;
        try {
            if (!pelorine::DecodeRgnData(pelorine::ExtractRgnData(*picture))) std::abort();
        } catch (const pelorine::EInvalidGraphic&) {
        }
    }
    return 0;
}
