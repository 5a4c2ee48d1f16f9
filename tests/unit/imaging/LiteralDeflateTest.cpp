#include "imaging/LiteralDeflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

namespace pelorine {
namespace {

// What zlib's inflate makes of a raw deflate stream; nullopt unless it ends the stream exactly.
std::optional<Bytes> Inflate(const Bytes& stream, std::size_t expected) {
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) return std::nullopt;
    Bytes out(expected + 1);
    z.next_in = const_cast<Bytef*>(stream.data());
    z.avail_in = uInt(stream.size());
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    const int result = inflate(&z, Z_FINISH);
    const bool whole = result == Z_STREAM_END && z.avail_in == 0;
    out.resize(z.total_out);
    inflateEnd(&z);
    if (!whole) return std::nullopt;
    return out;
}

Bytes Noise(std::size_t n, int spread, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> around(0.0, spread);
    Bytes bytes(n);
    for (auto& b : bytes)
        b = std::uint8_t(int(around(random)));
    return bytes;
}

// The Kraft sum of a code in units of 2^-limit: exactly 2^limit for a complete code.
std::uint64_t Kraft(const std::vector<std::uint8_t>& lengths, int limit) {
    std::uint64_t sum = 0;
    for (const std::uint8_t l : lengths) {
        EXPECT_LE(l, limit);
        if (l) sum += std::uint64_t(1) << (limit - l);
    }
    return sum;
}

TEST(LiteralDeflate, CodesStayWithinTheirLimitAndComplete) {
    // Fibonacci weights make the deepest unlimited Huffman code: 29 bits for 30 symbols.
    std::vector<std::uint32_t> fibonacci(30);
    fibonacci[0] = fibonacci[1] = 1;
    for (std::size_t i = 2; i < fibonacci.size(); ++i)
        fibonacci[i] = fibonacci[i - 1] + fibonacci[i - 2];
    EXPECT_EQ(Kraft(LimitedCodeLengths(fibonacci, 15), 15), 1u << 15);
    std::vector<std::uint32_t> lengthCodes(fibonacci.begin(), fibonacci.begin() + 19);
    EXPECT_EQ(Kraft(LimitedCodeLengths(lengthCodes, 7), 7), 1u << 7);
    // The unused get no code; a lone symbol gets one bit.
    EXPECT_EQ(LimitedCodeLengths({0, 5, 0, 5}, 15), (std::vector<std::uint8_t>{0, 1, 0, 1}));
    EXPECT_EQ(LimitedCodeLengths({0, 7, 0}, 15), (std::vector<std::uint8_t>{0, 1, 0}));
}

TEST(LiteralDeflate, ZlibInflatesEveryKindOfPieceAndPiecesJoined) {
    const struct {
        const char* name;
        Bytes data;
    } cases[] = {
        {"filtered photograph", Noise(300000, 6, 1)},
        {"random, stored in several blocks", Noise(200000, 100000, 2)},
        {"one byte value", Bytes(70000, 42)},
        {"one byte", Bytes(1, 7)},
        {"nothing", Bytes{}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes whole;
        DeflateLiterals(c.data, true, whole);
        EXPECT_EQ(Inflate(whole, c.data.size()), c.data);
        // A piece that is not the last, then another: one stream, as the PNG bands make it.
        Bytes joined;
        DeflateLiterals(c.data, false, joined);
        const Bytes tail = Noise(5000, 3, 3);
        DeflateLiterals(tail, true, joined);
        Bytes expected = c.data;
        expected.insert(expected.end(), tail.begin(), tail.end());
        EXPECT_EQ(Inflate(joined, expected.size()), expected);
    }
    // Skewed data shrinks; data that cannot is stored with little overhead.
    Bytes photo, random;
    DeflateLiterals(cases[0].data, true, photo);
    DeflateLiterals(cases[1].data, true, random);
    EXPECT_LT(photo.size(), cases[0].data.size() * 6 / 10);
    EXPECT_LE(random.size(), cases[1].data.size() + 5 * 4);
}

} // namespace
} // namespace pelorine
