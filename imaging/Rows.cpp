#include "imaging/Rows.h"

#include <algorithm>
#include <vector>

namespace pelorine {

std::size_t RowStride(int width, int bitsPerPixel) {
    return (std::size_t(width) * std::size_t(bitsPerPixel) + 31) / 32 * 4;
}

void PutBgrRow(const Pixmap& picture, int y, std::uint8_t* row) {
    for (int x = 0; x < picture.width; ++x, row += 3) {
        const Rgb c = picture.At(x, y);
        row[0] = std::uint8_t(BlueOf(c));
        row[1] = std::uint8_t(GreenOf(c));
        row[2] = std::uint8_t(RedOf(c));
    }
}

void PutIndexRow(const IndexedImage& picture, int y, int bitsPerPixel, std::uint8_t* row) {
    const int perByte = 8 / bitsPerPixel;
    for (int x = 0; x < picture.width; ++x)
        row[x / perByte] |= std::uint8_t(picture.At(x, y) << (8 - bitsPerPixel * (x % perByte + 1)));
}

bool StreamRowBands(int count, std::size_t stride, const RowFill& fill, const ByteSink& out) {
    const int bandRows = int(std::clamp<std::size_t>((256 << 10) / std::max<std::size_t>(stride, 1), 1,
                                                     std::size_t(std::max(count, 1))));
    std::vector<std::uint8_t> band(stride * std::size_t(bandRows));
    for (int done = 0; done < count;) {
        const int rows = std::min(bandRows, count - done);
        std::fill(band.begin(), band.end(), std::uint8_t(0));
        for (int i = 0; i < rows; ++i)
            fill(done + i, band.data() + stride * std::size_t(i));
        if (!out({band.data(), stride * std::size_t(rows)})) return false;
        done += rows;
    }
    return true;
}

} // namespace pelorine
