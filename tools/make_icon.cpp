// Writes the application icon with an image for each size the system asks for at the usual
// scales: 16, 20, 24, 40, 48 and 64 pixels (32 bits with alpha) and 256 (stored as PNG), beside
// the 32 x 32, 256-colour image that make-icon.sh drew, which is carried over unchanged from
// the file being replaced. Each size is drawn for its pixels, never scaled from another: the
// same sphere as the 32 x 32 image, lit at its centre, with smooth edges. Deterministic.
//
//   make_icon <Pelorine.ico>           rewrites the icon in place
//   make_icon --check <Pelorine.ico>   fails unless the file is exactly what it would write
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::array kDrawnSizes{16, 20, 24, 40, 48, 64, 256};
constexpr int kKeptSize = 32; // the 256-colour image

void Put16(Bytes& b, unsigned v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void PutBig32(Bytes& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        b.push_back(std::uint8_t(v >> shift));
}
unsigned Get16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t Get32(const Bytes& b, std::size_t at) {
    return Get16(b, at) | std::uint32_t(Get16(b, at + 2)) << 16;
}

struct Pixel {
    std::uint8_t r, g, b, a;
};

// The sphere of the 32 x 32 image at any size: a disc of 15/16 of the square, from light cyan at
// its centre to teal at its rim, each pixel's colour and cover averaged over 8 x 8 samples.
std::vector<Pixel> DrawSphere(int size) {
    constexpr int n = 8;
    const double centre = size / 2.0, radius = size * 15.0 / 32;
    std::vector<Pixel> pixels(std::size_t(size) * std::size_t(size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0;
            int covered = 0;
            for (int sy = 0; sy < n; ++sy)
                for (int sx = 0; sx < n; ++sx) {
                    const double d = std::hypot(x + (sx + 0.5) / n - centre, y + (sy + 0.5) / n - centre);
                    if (d > radius) continue;
                    const double t = d / radius;
                    r += 0xB0 * (1 - t);
                    g += 0xFF + (0x80 - 0xFF) * t;
                    b += 0xFF + (0x80 - 0xFF) * t;
                    ++covered;
                }
            if (covered)
                pixels[std::size_t(y) * std::size_t(size) + std::size_t(x)] = {
                    std::uint8_t(std::lround(r / covered)), std::uint8_t(std::lround(g / covered)),
                    std::uint8_t(std::lround(b / covered)),
                    std::uint8_t(std::lround(255.0 * covered / (n * n)))};
        }
    return pixels;
}

// An icon image as the system stores it: a bitmap header of twice the height, the colour rows
// bottom up (blue, green, red, alpha), then the mask rows (1 where the pixel is transparent).
Bytes BitmapImage(int size, const std::vector<Pixel>& pixels) {
    const std::size_t maskStride = (std::size_t(size) + 31) / 32 * 4;
    Bytes b;
    Put32(b, 40);
    Put32(b, std::uint32_t(size));
    Put32(b, std::uint32_t(2 * size));
    Put16(b, 1);
    Put16(b, 32);
    Put32(b, 0); // no compression
    Put32(b, std::uint32_t((4 * std::size_t(size) + maskStride) * std::size_t(size)));
    for (int i = 0; i < 4; ++i)
        Put32(b, 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const Pixel& p = pixels[std::size_t(y) * std::size_t(size) + std::size_t(x)];
            b.insert(b.end(), {p.b, p.g, p.r, p.a});
        }
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(maskStride);
        for (int x = 0; x < size; ++x)
            if (pixels[std::size_t(y) * std::size_t(size) + std::size_t(x)].a == 0)
                row[std::size_t(x) / 8] |= std::uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

void PutChunk(Bytes& png, const char* type, const Bytes& data) {
    PutBig32(png, std::uint32_t(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    PutBig32(png, std::uint32_t(crc32(0, body.data(), uInt(body.size()))));
}

// The large image as PNG (RGBA, each row filtered by its left neighbour), as icons have held it
// since Windows Vista: a 256-pixel bitmap would weigh 260 KiB.
Bytes PngImage(int size, const std::vector<Pixel>& pixels) {
    Bytes raw;
    for (int y = 0; y < size; ++y) {
        raw.push_back(1); // Sub
        for (int x = 0; x < size; ++x) {
            const Pixel& p = pixels[std::size_t(y) * std::size_t(size) + std::size_t(x)];
            const Pixel left = x ? pixels[std::size_t(y) * std::size_t(size) + std::size_t(x) - 1] : Pixel{};
            raw.insert(raw.end(), {std::uint8_t(p.r - left.r), std::uint8_t(p.g - left.g),
                                   std::uint8_t(p.b - left.b), std::uint8_t(p.a - left.a)});
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    Bytes packed(packedSize);
    compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9);
    packed.resize(packedSize);
    Bytes header;
    PutBig32(header, std::uint32_t(size));
    PutBig32(header, std::uint32_t(size));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no interlace
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    return png;
}

struct Entry {
    int size, colours, bits;
    Bytes image;
};

// The 32 x 32 image of 8 bits in the icon file `file`; empty when it holds none.
Entry KeptImage(const Bytes& file) {
    if (file.size() < 6 || Get16(file, 2) != 1) return {};
    for (unsigned i = 0; i < Get16(file, 4); ++i) {
        const std::size_t at = 6 + 16 * std::size_t(i);
        if (at + 16 > file.size()) break;
        const std::uint32_t length = Get32(file, at + 8), offset = Get32(file, at + 12);
        if (file[at] == kKeptSize && file[at + 1] == kKeptSize && Get16(file, at + 6) == 8 &&
            std::size_t(offset) + length <= file.size())
            return {kKeptSize, file[at + 2], 8, Bytes(file.begin() + offset, file.begin() + offset + length)};
    }
    return {};
}

Bytes IconFile(std::vector<Entry> entries) {
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.size < b.size; });
    Bytes file;
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, unsigned(entries.size()));
    std::uint32_t offset = std::uint32_t(6 + 16 * entries.size());
    for (const Entry& e : entries) {
        file.push_back(std::uint8_t(e.size % 256)); // 0 stands for 256
        file.push_back(std::uint8_t(e.size % 256));
        file.push_back(std::uint8_t(e.colours));
        file.push_back(0);
        Put16(file, 1);
        Put16(file, unsigned(e.bits));
        Put32(file, std::uint32_t(e.image.size()));
        Put32(file, offset);
        offset += std::uint32_t(e.image.size());
    }
    for (const Entry& e : entries)
        file.insert(file.end(), e.image.begin(), e.image.end());
    return file;
}

Bytes ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: make_icon <Pelorine.ico> | make_icon --check <Pelorine.ico>\n");
        return 2;
    }
    const char* path = argv[argc - 1];
    const Bytes old = ReadFile(path);
    std::vector<Entry> entries{KeptImage(old)};
    if (entries.front().image.empty()) {
        std::fprintf(stderr, "%s holds no 32 x 32 image of 256 colours to keep\n", path);
        return 1;
    }
    for (int size : kDrawnSizes) {
        const std::vector<Pixel> sphere = DrawSphere(size);
        entries.push_back({size, 0, 32, size == 256 ? PngImage(size, sphere) : BitmapImage(size, sphere)});
    }
    const Bytes file = IconFile(entries);
    if (check) {
        if (old == file) return 0;
        std::fprintf(stderr, "%s is not what make_icon draws: run make_icon to refresh it\n", path);
        return 1;
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    return out ? 0 : 1;
}
