#include "imaging/PcxWriter.h"

#include "imaging/ColorReduction.h"
#include "support/PcxRle.h"
#include "support/Bytes.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <tuple>
#include <utility>

namespace pelorine {
namespace {
using testing_support::DecodePcxRle;

int Word(const std::vector<std::uint8_t>& file, std::size_t at) {
    return int(testing_support::Le16(file, at));
}

struct PcxHeader {
    int bitsPerPixel, planes, bytesPerLine, paletteInfo, width, height;
    bool operator==(const PcxHeader&) const = default;
};
void PrintTo(const PcxHeader& h, std::ostream* os) {
    *os << "bits " << h.bitsPerPixel << ", planes " << h.planes << ", line " << h.bytesPerLine << ", palette "
        << h.paletteInfo << ", " << h.width << " x " << h.height;
}

PcxHeader ReadHeader(const std::vector<std::uint8_t>& file) {
    EXPECT_GE(file.size(), kPcxHeaderSize);
    // maker, version, encoding, xmin, ymin
    EXPECT_EQ((std::array{int(file[0]), int(file[1]), int(file[2]), Word(file, 4), Word(file, 6)}),
              (std::array{0x0A, 5, 1, 0, 0}));
    return {file[3], file[65], Word(file, 66), Word(file, 68), Word(file, 8) + 1, Word(file, 10) + 1};
}

// The tiny decoder: the RLE body as one plane line after another.
std::vector<std::uint8_t> Body(const std::vector<std::uint8_t>& file, const PcxHeader& h, std::size_t* used) {
    const std::size_t wanted = std::size_t(h.bytesPerLine) * h.planes * h.height;
    auto body = DecodePcxRle(file.data() + kPcxHeaderSize, file.size() - kPcxHeaderSize, wanted, used);
    EXPECT_TRUE(body.has_value());
    return body.value_or(std::vector<std::uint8_t>(wanted));
}

// A pixel's palette index: one byte a pixel at 8 bits, else one bit of each plane line.
int IndexAt(const std::vector<std::uint8_t>& body, const PcxHeader& h, int x, int y) {
    if (h.bitsPerPixel == 8) return body[std::size_t(y * h.bytesPerLine + x)];
    int index = 0;
    for (int plane = 0; plane < h.planes; ++plane) {
        const std::uint8_t byte = body[std::size_t((y * h.planes + plane) * h.bytesPerLine + x / 8)];
        index |= (byte >> (7 - x % 8) & 1) << plane;
    }
    return index;
}

IndexedImage Pattern(int w, int h, int bits) {
    IndexedImage image{w, h, bits, false, {}, {}};
    for (int i = 0; i < (1 << bits); ++i)
        image.palette.push_back(MakeRgb(i * 3, 255 - i, i * 7 % 256));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.indices.push_back(std::uint8_t(x < w / 2 ? 0 : (x * 7 + y * 3) % (1 << bits)));
    return image;
}

// 2 and 16 colours are bit planes with the palette in the header; 256 colours are a byte a
// pixel with the palette in a trailer after the marker 0x0C.
struct IndexedCase {
    int width, height, bits;
    int bitsPerPixel, planes, bytesPerLine;
    int paletteEntry, channel, value; // one byte of the palette where it belongs
};

class PcxIndexed : public testing::TestWithParam<IndexedCase> {};

TEST_P(PcxIndexed, HeaderPaletteAndEveryPixel) {
    const IndexedCase& c = GetParam();
    const IndexedImage image = Pattern(c.width, c.height, c.bits);
    const auto file = EncodePcx(image);
    const PcxHeader h = ReadHeader(file);
    // Lines rounded up to an even number of bytes.
    EXPECT_EQ(h, (PcxHeader{c.bitsPerPixel, c.planes, c.bytesPerLine, 1, c.width, c.height}));
    std::size_t used = 0;
    const auto body = Body(file, h, &used);
    const std::size_t trailer = c.bits == 8 ? 1 + 768 : 0;
    ASSERT_EQ(file.size(), kPcxHeaderSize + used + trailer);
    const std::size_t palette = c.bits == 8 ? file.size() - 768 : 16;
    if (c.bits == 8) {
        EXPECT_EQ(file[palette - 1], 0x0C);
    }
    EXPECT_EQ(file[palette + std::size_t(3 * c.paletteEntry + c.channel)], c.value);
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            ASSERT_EQ(IndexAt(body, h, x, y), image.At(x, y)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Depths, PcxIndexed,
                         testing::Values(IndexedCase{13, 5, 1, 1, 1, 2, 1, 1, 254},
                                         IndexedCase{17, 4, 4, 1, 4, 4, 15, 0, 45},
                                         IndexedCase{101, 3, 8, 8, 1, 102, 200, 1, 55}));

TEST(PcxWriter, GreyscaleIsEightBitsMarkedGrey) {
    Pixmap ramp(256, 2);
    for (int x = 0; x < 256; ++x)
        ramp.At(x, 0) = ramp.At(x, 1) = MakeRgb(x, x, x);
    const auto file = EncodePcx(ToGreyscale(ramp));
    const PcxHeader h = ReadHeader(file);
    EXPECT_EQ(std::pair(h.bitsPerPixel, h.paletteInfo), std::pair(8, 2));
    const auto body = Body(file, h, nullptr);
    for (int x = 0; x < 256; ++x)
        ASSERT_EQ(body[std::size_t(256 + x)], x);
    EXPECT_EQ(file[file.size() - 768 + 3 * 77], 77);
}

TEST(PcxWriter, FullColourIsThreePlanesRedGreenBlue) {
    Pixmap p(5, 2);
    for (std::size_t i = 0; i < p.pixels.size(); ++i)
        p.pixels[i] = MakeRgb(int(i) * 20 + 200 - 200 * (i % 2), 7, 0xC3);
    const auto file = EncodePcx(p);
    const PcxHeader h = ReadHeader(file);
    EXPECT_EQ(std::tuple(h.bitsPerPixel, h.planes, h.bytesPerLine), std::tuple(8, 3, 6));
    std::size_t used = 0;
    const auto body = Body(file, h, &used);
    EXPECT_EQ(kPcxHeaderSize + used, file.size());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x) {
            const std::size_t at = std::size_t(y * 18 + x);
            ASSERT_EQ((std::array{int(body[at]), int(body[at + 6]), int(body[at + 12])}),
                      (std::array{RedOf(p.At(x, y)), GreenOf(p.At(x, y)), BlueOf(p.At(x, y))}))
                << x << "," << y;
        }
}

TEST(PcxWriter, UnencodablePicturesGiveNoFile) {
    EXPECT_TRUE(EncodePcx(Pixmap()).empty());
    EXPECT_TRUE(EncodePcx(Pixmap(65537, 1)).empty());
    // An 8-bit line of 65,535 or more pixels pads to 65,536 bytes, which the header's word
    // would wrap to 0; one pixel less still fits.
    EXPECT_TRUE(EncodePcx(Pixmap(65535, 1)).empty());
    EXPECT_TRUE(EncodePcx(Pattern(65536, 1, 8)).empty());
    const auto widest = EncodePcx(Pixmap(65534, 1));
    ASSERT_FALSE(widest.empty());
    EXPECT_EQ(ReadHeader(widest).bytesPerLine, 65534);
    // Bit planes are eight pixels a byte: the widest side still fits.
    EXPECT_FALSE(EncodePcx(Pattern(65536, 1, 1)).empty());
}

// A save streams the file to disk in pieces: they must join into the whole file, with the
// palette trailer, and a refused piece must end the stream.
TEST(PcxWriter, StreamedPiecesJoinIntoTheFileAndARefusalStopsThem) {
    const Pixmap noisy = testing_support::NoisyPhotograph(1000, 300, 7); // 300 KB a plane
    for (const bool indexed : {false, true}) {
        const IndexedImage reduced = ReduceColours(noisy, 8);
        const auto stream = [&](const ByteSink& out) {
            return indexed ? StreamPcx(reduced, out) : StreamPcx(noisy, out);
        };
        std::vector<std::uint8_t> joined;
        int pieces = 0;
        EXPECT_TRUE(stream([&](ByteView piece) {
            ++pieces;
            joined.insert(joined.end(), piece.begin(), piece.end());
            return true;
        }));
        EXPECT_GT(pieces, 1) << indexed;
        EXPECT_EQ(joined, indexed ? EncodePcx(reduced) : EncodePcx(noisy));
        const PcxHeader h = ReadHeader(joined);
        std::size_t used = 0;
        const auto body = Body(joined, h, &used);
        EXPECT_EQ(kPcxHeaderSize + used + (indexed ? 769 : 0), joined.size()) << indexed;
        // The last line's blue plane, or its index.
        EXPECT_EQ(body.back(), indexed ? reduced.At(999, 299) : BlueOf(noisy.At(999, 299)));
        int offered = 0;
        EXPECT_FALSE(stream([&](ByteView) { return ++offered < 2; }));
        EXPECT_EQ(offered, 2);
    }
}

TEST(PcxRle, LongRunsSplitAtSixtyThreeAndHighBytesAreEscaped) {
    std::vector<std::uint8_t> line(130, 0x41);
    line.push_back(0xC5);
    line.push_back(0x07);
    std::vector<std::uint8_t> out;
    AppendPcxRun(line.data(), line.size(), out);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0xFF, 0x41, 0xFF, 0x41, 0xC4, 0x41, 0xC1, 0xC5, 0x07}));
    EXPECT_EQ(DecodePcxRle(out.data(), out.size(), line.size()), line);
}

TEST(PcxRle, TruncatedInputIsReportedAndOvershootIsCut) {
    const std::vector<std::uint8_t> truncated{0xC3};
    EXPECT_FALSE(DecodePcxRle(truncated.data(), truncated.size(), 3));
    const std::vector<std::uint8_t> run{0xC5, 0x09, 0x01};
    std::size_t used = 0;
    EXPECT_EQ(DecodePcxRle(run.data(), run.size(), 2, &used), (std::vector<std::uint8_t>{9, 9}));
    EXPECT_EQ(used, 2u);
}

} // namespace
} // namespace pelorine
