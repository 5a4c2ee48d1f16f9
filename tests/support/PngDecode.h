#pragma once
// A small independent PNG reader for the tests: checks every chunk's CRC and the zlib stream
// (inflate checks its Adler-32), undoes all five filters, and gives one sample a pixel: the
// colour for RGB, the index or grey level otherwise. Portable; used natively and by fuzzing.
#include "base/Colors.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace testing_support {

struct DecodedPng {
    int width = 0, height = 0, bitDepth = 0, colourType = 0;
    std::vector<pelorine::Rgb> palette;
    std::vector<std::uint32_t> samples; // rows top to bottom
    std::vector<int> filters;           // each row's filter type
};

namespace png_detail {
inline std::uint32_t Big(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}
inline int Paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}
} // namespace png_detail

inline std::optional<DecodedPng> DecodePng(std::span<const std::uint8_t> file) {
    using namespace png_detail;
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(kSignature, kSignature + 8, file.begin())) return std::nullopt;
    DecodedPng png;
    std::vector<std::uint8_t> stream;
    bool ended = false;
    for (std::size_t at = 8; at < file.size() && !ended;) {
        if (file.size() - at < 12) return std::nullopt;
        const std::uint32_t length = Big(&file[at]);
        if (length > file.size() - at - 12) return std::nullopt;
        const std::uint8_t* type = &file[at + 4];
        const std::uint8_t* data = type + 4;
        if (crc32(0, type, uInt(length + 4)) != Big(data + length)) return std::nullopt;
        const std::string name(type, type + 4);
        if (name == "IHDR" && length == 13) {
            png.width = int(Big(data));
            png.height = int(Big(data + 4));
            png.bitDepth = data[8];
            png.colourType = data[9];
            if (data[10] || data[11] || data[12]) return std::nullopt;
        } else if (name == "PLTE") {
            for (std::uint32_t i = 0; i + 2 < length; i += 3)
                png.palette.push_back(pelorine::MakeRgb(data[i], data[i + 1], data[i + 2]));
        } else if (name == "IDAT") {
            stream.insert(stream.end(), data, data + length);
        } else if (name == "IEND") {
            ended = true;
        } else {
            return std::nullopt; // the writer makes no other chunk
        }
        at += 12 + length;
    }
    if (!ended || png.width <= 0 || png.height <= 0) return std::nullopt;
    const int channels = png.colourType == 2 ? 3 : 1;
    const std::size_t rowBytes = (std::size_t(png.width) * std::size_t(png.bitDepth * channels) + 7) / 8;
    std::vector<std::uint8_t> raw((rowBytes + 1) * std::size_t(png.height));
    uLongf size = uLongf(raw.size());
    if (uncompress(raw.data(), &size, stream.data(), uLong(stream.size())) != Z_OK || size != raw.size())
        return std::nullopt;
    const int bpp = std::max(1, png.bitDepth * channels / 8);
    std::vector<std::uint8_t> above(rowBytes), row(rowBytes);
    for (int y = 0; y < png.height; ++y) {
        const std::uint8_t* in = &raw[std::size_t(y) * (rowBytes + 1)];
        const int filter = in[0];
        if (filter > 4) return std::nullopt;
        png.filters.push_back(filter);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= std::size_t(bpp) ? row[i - bpp] : 0, b = above[i],
                      c = i >= std::size_t(bpp) ? above[i - bpp] : 0;
            const int predicted = filter == 1   ? a
                                  : filter == 2 ? b
                                  : filter == 3 ? (a + b) / 2
                                  : filter == 4 ? Paeth(a, b, c)
                                                : 0;
            row[i] = std::uint8_t(in[1 + i] + predicted);
        }
        for (int x = 0; x < png.width; ++x) {
            if (channels == 3) {
                png.samples.push_back(pelorine::MakeRgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]));
                continue;
            }
            const int perByte = 8 / png.bitDepth, shift = 8 - png.bitDepth * (x % perByte + 1);
            png.samples.push_back(
                std::uint32_t(row[std::size_t(x / perByte)] >> shift & ((1 << png.bitDepth) - 1)));
        }
        std::swap(row, above);
    }
    return png;
}

} // namespace testing_support
