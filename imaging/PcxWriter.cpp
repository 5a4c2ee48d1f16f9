#include "imaging/PcxWriter.h"

#include <algorithm>

namespace pelorine {
namespace {

constexpr int kMaxSide = 65536;

void PutWord(std::vector<std::uint8_t>& out, std::size_t at, int value) {
    out[at] = std::uint8_t(value & 0xFF);
    out[at + 1] = std::uint8_t(value >> 8 & 0xFF);
}

int BytesPerLine(int width, int bitsPerPixel) {
    const int bytes = (width * bitsPerPixel + 7) / 8;
    return bytes + (bytes & 1);
}

struct Layout {
    int bitsPerPixel;
    int planes;
    bool grey;
};

std::vector<std::uint8_t> Header(int width, int height, Layout layout, const std::vector<Rgb>& palette) {
    std::vector<std::uint8_t> out(kPcxHeaderSize, 0);
    out[0] = 0x0A; // manufacturer
    out[1] = 5;    // version 3.0 and later: palette present
    out[2] = 1;    // run-length encoded
    out[3] = std::uint8_t(layout.bitsPerPixel);
    PutWord(out, 8, width - 1);
    PutWord(out, 10, height - 1);
    PutWord(out, 12, 96);
    PutWord(out, 14, 96);
    for (std::size_t i = 0; i < std::min<std::size_t>(palette.size(), 16); ++i) {
        out[16 + 3 * i] = std::uint8_t(RedOf(palette[i]));
        out[17 + 3 * i] = std::uint8_t(GreenOf(palette[i]));
        out[18 + 3 * i] = std::uint8_t(BlueOf(palette[i]));
    }
    out[65] = std::uint8_t(layout.planes);
    PutWord(out, 66, BytesPerLine(width, layout.bitsPerPixel));
    PutWord(out, 68, layout.grey ? 2 : 1);
    return out;
}

// The header holds the last column and row and the padded bytes of a plane's line in 16-bit
// words; a picture whose line does not fit would be written with a wrapped, wrong length.
bool Encodable(int width, int height, int bitsPerPixel) {
    return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide &&
           BytesPerLine(width, bitsPerPixel) <= 0xFFFF;
}

// One plane of one scan line: bit `plane` of each index, most significant bit first.
void PackBitPlane(const IndexedImage& picture, int y, int plane, std::vector<std::uint8_t>& line) {
    std::fill(line.begin(), line.end(), std::uint8_t(0));
    for (int x = 0; x < picture.width; ++x)
        if (picture.At(x, y) >> plane & 1) line[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
}

} // namespace

void AppendPcxRun(const std::uint8_t* line, std::size_t size, std::vector<std::uint8_t>& out) {
    const std::size_t start = out.size();
    out.resize(start + 2 * size); // at worst every byte takes a count byte
    std::uint8_t* to = out.data() + start;
    for (std::size_t i = 0; i < size;) {
        const std::uint8_t value = line[i];
        const std::size_t most = std::min<std::size_t>(63, size - i);
        std::size_t run = 1;
        while (run < most && line[i + run] == value)
            ++run;
        if (run > 1 || value >= 0xC0) *to++ = std::uint8_t(0xC0 | run);
        *to++ = value;
        i += run;
    }
    out.resize(std::size_t(to - out.data()));
}

namespace {

// Coded lines gather in a buffer that goes out whenever it holds about 256 KB: one vector
// growing to a whole noisy screen's file cost more than the run-length coding itself.
class LineBuffer {
  public:
    explicit LineBuffer(const ByteSink& out, std::vector<std::uint8_t> head)
        : out_(out), bytes_(std::move(head)) {
        bytes_.reserve(kFlushBytes + 2 * std::size_t(0xFFFF));
    }
    std::vector<std::uint8_t>& Bytes() { return bytes_; }
    // Hands the buffer on when full, or always when `last`; false once `out` refuses.
    bool Flush(bool last = false) {
        if (bytes_.empty() || (!last && bytes_.size() < kFlushBytes)) return true;
        const bool ok = out_(bytes_);
        bytes_.clear();
        return ok;
    }

  private:
    static constexpr std::size_t kFlushBytes = 256 << 10;
    const ByteSink& out_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace

bool StreamPcx(const Pixmap& picture, const ByteSink& out) {
    if (!Encodable(picture.width, picture.height, 8)) return false;
    LineBuffer buffer(out, Header(picture.width, picture.height, {8, 3, false}, {}));
    std::vector<std::uint8_t> line(std::size_t(BytesPerLine(picture.width, 8)), 0);
    for (int y = 0; y < picture.height; ++y) {
        for (int plane = 0; plane < 3; ++plane) {
            const int shift = 16 - 8 * plane; // red, then green, then blue
            for (int x = 0; x < picture.width; ++x)
                line[std::size_t(x)] = std::uint8_t(picture.At(x, y) >> shift);
            AppendPcxRun(line.data(), line.size(), buffer.Bytes());
        }
        if (!buffer.Flush()) return false;
    }
    return buffer.Flush(true);
}

bool StreamPcx(const IndexedImage& picture, const ByteSink& out) {
    const bool bytePixels = picture.bits == 8;
    const Layout layout =
        bytePixels ? Layout{8, 1, picture.grey} : Layout{1, picture.bits == 4 ? 4 : 1, false};
    if (!Encodable(picture.width, picture.height, layout.bitsPerPixel)) return false;
    LineBuffer buffer(out, Header(picture.width, picture.height, layout, picture.palette));
    std::vector<std::uint8_t> line(std::size_t(BytesPerLine(picture.width, layout.bitsPerPixel)), 0);
    for (int y = 0; y < picture.height; ++y) {
        for (int plane = 0; plane < layout.planes; ++plane) {
            if (bytePixels)
                std::copy_n(picture.indices.begin() + std::ptrdiff_t(y) * picture.width, picture.width,
                            line.begin());
            else
                PackBitPlane(picture, y, plane, line);
            AppendPcxRun(line.data(), line.size(), buffer.Bytes());
        }
        if (!buffer.Flush()) return false;
    }
    if (bytePixels) {
        std::vector<std::uint8_t>& tail = buffer.Bytes();
        tail.push_back(0x0C);
        for (std::size_t i = 0; i < 256; ++i) {
            const Rgb c = i < picture.palette.size() ? picture.palette[i] : 0;
            tail.insert(tail.end(),
                        {std::uint8_t(RedOf(c)), std::uint8_t(GreenOf(c)), std::uint8_t(BlueOf(c))});
        }
    }
    return buffer.Flush(true);
}

std::vector<std::uint8_t> EncodePcx(const Pixmap& picture) {
    return CollectBytes([&](const ByteSink& out) { return StreamPcx(picture, out); });
}

std::vector<std::uint8_t> EncodePcx(const IndexedImage& picture) {
    return CollectBytes([&](const ByteSink& out) { return StreamPcx(picture, out); });
}

} // namespace pelorine
