#include "imaging/JpegWriter.h"

#include "base/Colors.h"
#include "imaging/Bands.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <initializer_list>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pelorine {

namespace {

using Block = std::array<float, 64>;
using Table64 = std::array<std::uint8_t, 64>;

// Where the k-th coefficient sent lies in the block, rows of eight (T.81 Figure A.6).
constexpr Table64 kZigzag = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The example tables of T.81 Annex K (Tables K.1 and K.2), which quality 50 uses as they stand.
constexpr Table64 kLuminance = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                                14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                                18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                                49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr Table64 kChrominance = {17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
                                  24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
                                  99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                                  99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

Table64 Scaled(const Table64& base, int quality) {
    quality = std::clamp(quality, 1, 100);
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    Table64 table{};
    for (std::size_t i = 0; i < 64; ++i)
        table[i] = std::uint8_t(std::clamp((base[i] * scale + 50) / 100, 1, 255));
    return table;
}

// A Huffman table as the file states it (code counts by length, symbols in code order: T.81
// B.2.4.2) and as the coder uses it, its codes made from the counts as T.81 Annex C makes them.
struct Huffman {
    std::array<std::uint8_t, 16> counts{};
    std::vector<std::uint8_t> symbols;
    std::array<std::uint16_t, 256> code{};
    std::array<std::uint8_t, 256> length{};

    Huffman(std::initializer_list<std::uint8_t> countsByLength, std::vector<std::uint8_t> inOrder)
        : symbols(std::move(inOrder)) {
        std::copy(countsByLength.begin(), countsByLength.end(), counts.begin());
        unsigned next = 0;
        std::size_t k = 0;
        for (int bits = 1; bits <= 16; ++bits, next <<= 1)
            for (int i = 0; i < counts[std::size_t(bits - 1)] && k < symbols.size(); ++i, ++k) {
                code[symbols[k]] = std::uint16_t(next++);
                length[symbols[k]] = std::uint8_t(bits);
            }
    }
};

std::vector<std::uint8_t> Categories() {
    std::vector<std::uint8_t> s(12);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = std::uint8_t(i);
    return s;
}

// The run/size symbols with the shortest codes first, then every other one in order: the
// typical tables of T.81 K.3 (Tables K.5 and K.6) list their longest codes that way.
std::vector<std::uint8_t> RunSizes(std::initializer_list<std::uint8_t> shortest) {
    std::vector<std::uint8_t> s(shortest);
    for (int v = 0; v < 256; ++v) {
        const bool valid = v == 0x00 || v == 0xF0 || ((v & 15) >= 1 && (v & 15) <= 10);
        if (valid && std::find(s.begin(), s.end(), std::uint8_t(v)) == s.end()) s.push_back(std::uint8_t(v));
    }
    return s;
}

// The DC tables are T.81 Tables K.3 and K.4, the AC tables K.5 and K.6.
struct Tables {
    Table64 quant[2];
    Block reciprocal[2]; // by natural index
    Huffman dc[2] = {{{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}, Categories()},
                     {{0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}, Categories()}};
    Huffman ac[2] = {
        {{0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 125},
         RunSizes({0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13,
                   0x51, 0x61, 0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42,
                   0xB1, 0xC1, 0x15, 0x52, 0xD1, 0xF0, 0x24, 0x33, 0x62, 0x72, 0x82})},
        {{0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 119},
         RunSizes({0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61,
                   0x71, 0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xA1, 0xB1, 0xC1, 0x09, 0x23, 0x33,
                   0x52, 0xF0, 0x15, 0x62, 0x72, 0xD1, 0x0A, 0x16, 0x24, 0x34, 0xE1, 0x25, 0xF1})}};

    explicit Tables(int quality) : quant{Scaled(kLuminance, quality), Scaled(kChrominance, quality)} {
        for (int t = 0; t < 2; ++t)
            for (std::size_t i = 0; i < 64; ++i)
                reciprocal[t][i] = 1.0f / float(quant[t][i]);
    }
};

// The forward DCT of T.81 A.3.3 as two passes of eight 8-point transforms. The cosines are symmetric about
// the middle, so the even outputs need only the sums of mirrored inputs and the odd ones their differences:
// four products per output, summed in rows of four the compiler vectorises.
struct Dct {
    float even[4][4]{}, odd[4][4]{}; // [i][k]: input pair i's weight in output 2k or 2k + 1
    Dct() {
        const double pi = std::acos(-1.0);
        const auto weight = [&](int u, int x) {
            return float(0.5 * (u == 0 ? std::sqrt(0.5) : 1.0) * std::cos(double(2 * x + 1) * u * pi / 16));
        };
        for (int i = 0; i < 4; ++i)
            for (int k = 0; k < 4; ++k) {
                even[i][k] = weight(2 * k, i);
                odd[i][k] = weight(2 * k + 1, i);
            }
    }
    // The transform of each of the eight columns, all eight at once: every step works on a row
    // of eight, which the compiler turns into vector operations.
    void Columns(Block& b) const {
        float sums[4][8], differences[4][8], out[8][8] = {};
        for (std::size_t i = 0; i < 4; ++i)
            for (std::size_t c = 0; c < 8; ++c) {
                sums[i][c] = b[i * 8 + c] + b[(7 - i) * 8 + c];
                differences[i][c] = b[i * 8 + c] - b[(7 - i) * 8 + c];
            }
        for (std::size_t k = 0; k < 4; ++k)
            for (std::size_t i = 0; i < 4; ++i)
                for (std::size_t c = 0; c < 8; ++c) {
                    out[2 * k][c] += sums[i][c] * even[i][k];
                    out[2 * k + 1][c] += differences[i][c] * odd[i][k];
                }
        for (std::size_t r = 0; r < 8; ++r)
            for (std::size_t c = 0; c < 8; ++c)
                b[r * 8 + c] = out[r][c];
    }
    static void Transpose(Block& b) {
        for (std::size_t r = 0; r < 8; ++r)
            for (std::size_t c = r + 1; c < 8; ++c)
                std::swap(b[r * 8 + c], b[c * 8 + r]);
    }
    void Apply(Block& b) const {
        Columns(b);
        Transpose(b);
        Columns(b);
        Transpose(b);
    }
};

// Bits high first, a zero byte after every 0xFF so that no marker appears by chance (T.81
// F.1.2.3). The bits gather in a 64-bit word that leaves whole: a code and its value come
// together (at most 16 + 11 bits), and only a word that holds a 0xFF byte goes out byte by
// byte. Writes to memory sized ahead, grown by doubling.
class EntropyBits {
  public:
    explicit EntropyBits(Bytes& out) : out_(out), at_(out.size()) {}
    ~EntropyBits() { out_.resize(at_); }
    EntropyBits(const EntropyBits&) = delete;
    EntropyBits& operator=(const EntropyBits&) = delete;

    void Put(std::uint32_t value, int bits) {
        if (bits < free_) {
            word_ = word_ << bits | value;
            free_ -= bits;
            return;
        }
        // The word's last `free_` bits are the value's first; the bits left over above the
        // rest of the value leave the word before it is next full.
        const int rest = bits - free_;
        Flush(word_ << free_ | std::uint64_t(value) >> rest);
        word_ = value;
        free_ = 64 - rest;
    }
    void PadWithOnes() {
        const int used = 64 - free_;
        if (used % 8) Put((1u << (8 - used % 8)) - 1, 8 - used % 8);
        for (int shift = 64 - free_ - 8; shift >= 0; shift -= 8) {
            Room();
            PutByte(std::uint8_t(word_ >> shift));
        }
        word_ = 0;
        free_ = 64;
    }

  private:
    void Flush(std::uint64_t word) {
        Room();
        // A byte of all ones in the word shows as a zero byte of its complement.
        constexpr std::uint64_t kLow = 0x0101010101010101, kHigh = 0x8080808080808080;
        if (((~word - kLow) & word & kHigh) == 0) {
            for (int i = 0; i < 8; ++i)
                out_[at_ + std::size_t(i)] = std::uint8_t(word >> (56 - 8 * i));
            at_ += 8;
            return;
        }
        for (int shift = 56; shift >= 0; shift -= 8)
            PutByte(std::uint8_t(word >> shift));
    }
    void PutByte(std::uint8_t byte) {
        out_[at_++] = byte;
        if (byte == 0xFF) out_[at_++] = 0;
    }
    // Room for a word whose every byte is stuffed.
    void Room() {
        if (out_.size() < at_ + 16) out_.resize(std::max<std::size_t>(out_.size() * 2, at_ + 4096));
    }

    Bytes& out_;
    std::size_t at_;
    std::uint64_t word_ = 0;
    int free_ = 64;
};

int BitLength(int magnitude) { return int(std::bit_width(unsigned(magnitude))); }

// Bit k set where coefficient k is not zero: sixteen at a time, packed to bytes (saturating,
// which keeps them apart from zero) and compared at once.
std::uint64_t NonZero(const std::array<int, 64>& q) {
    std::uint64_t mask = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (std::size_t k = 0; k < 64; k += 16) {
        const auto* at = reinterpret_cast<const __m128i*>(q.data() + k);
        const __m128i low = _mm_packs_epi32(_mm_loadu_si128(at), _mm_loadu_si128(at + 1));
        const __m128i high = _mm_packs_epi32(_mm_loadu_si128(at + 2), _mm_loadu_si128(at + 3));
        const __m128i zeros = _mm_cmpeq_epi8(_mm_packs_epi16(low, high), zero);
        mask |= std::uint64_t(~unsigned(_mm_movemask_epi8(zeros)) & 0xFFFF) << k;
    }
#else
    for (std::size_t k = 0; k < 64; ++k)
        mask |= std::uint64_t(q[k] != 0) << k;
#endif
    return mask;
}

class BandCoder {
  public:
    BandCoder(const Pixmap& picture, const Tables& tables, const Dct& dct, Bytes& out)
        : picture_(picture), tables_(tables), dct_(dct), bits_(out) {}

    void Code(int firstMcuRow, int mcuRows) {
        const int mcusPerRow = (picture_.width + 15) / 16;
        for (int row = firstMcuRow; row < firstMcuRow + mcuRows; ++row)
            for (int mcu = 0; mcu < mcusPerRow; ++mcu)
                CodeMcu(mcu * 16, row * 16);
        bits_.PadWithOnes();
    }

  private:
    // Sixteen by sixteen pixels, the edges repeated past the picture: four luminance blocks and
    // one of each colour difference, averaged over two by two pixels.
    void CodeMcu(int left, int top) {
        std::array<Block, 4> y;
        Block cb{}, cr{};
        for (int dy = 0; dy < 16; ++dy) {
            const int sy = std::min(top + dy, picture_.height - 1);
            const Rgb* row = picture_.pixels.data() + std::size_t(sy) * std::size_t(picture_.width);
            float r[16], g[16], b[16];
            for (int dx = 0; dx < 16; ++dx) {
                const Rgb c = row[std::min(left + dx, picture_.width - 1)];
                r[dx] = float(RedOf(c));
                g[dx] = float(GreenOf(c));
                b[dx] = float(BlueOf(c));
            }
            for (int half = 0; half < 2; ++half) {
                float* out = y[std::size_t((dy / 8) * 2 + half)].data() + (dy % 8) * 8;
                for (int dx = 0; dx < 8; ++dx) {
                    const int i = half * 8 + dx;
                    out[dx] = 0.299f * r[i] + 0.587f * g[i] + 0.114f * b[i] - 128.0f;
                }
            }
            float* cbRow = cb.data() + (dy / 2) * 8;
            float* crRow = cr.data() + (dy / 2) * 8;
            for (int i = 0; i < 8; ++i) {
                const float rs = r[2 * i] + r[2 * i + 1], gs = g[2 * i] + g[2 * i + 1],
                            bs = b[2 * i] + b[2 * i + 1];
                cbRow[i] += (-0.168736f * rs - 0.331264f * gs + 0.5f * bs) * 0.25f;
                crRow[i] += (0.5f * rs - 0.418688f * gs - 0.081312f * bs) * 0.25f;
            }
        }
        for (Block& block : y)
            CodeBlock(block, 0, dcY_);
        CodeBlock(cb, 1, dcCb_);
        CodeBlock(cr, 1, dcCr_);
    }

    void CodeBlock(Block& block, int table, int& lastDc) {
        dct_.Apply(block);
        std::array<int, 64> natural;
        for (std::size_t i = 0; i < 64; ++i) {
            const float v = block[i] * tables_.reciprocal[table][i];
            // A baseline file holds coefficients of at most ten bits besides the first.
            natural[i] = std::clamp(int(v + (v < 0 ? -0.5f : 0.5f)), -1023, 1023);
        }
        natural[0] = int(std::lround(block[0] * tables_.reciprocal[table][0]));
        // In zigzag order, with a mask of the coefficients that are not zero: the walk below then
        // jumps from one to the next instead of testing all 63.
        std::array<int, 64> q;
        for (std::size_t k = 0; k < 64; ++k)
            q[k] = natural[kZigzag[k]];
        const std::uint64_t nonzero = NonZero(q);
        const Huffman& dc = tables_.dc[table];
        const Huffman& ac = tables_.ac[table];
        const int diff = q[0] - lastDc;
        lastDc = q[0];
        PutValue(dc, 0, diff);
        // Each coefficient with the run of zeros before it, sixteen zeros at a time as ZRL, and an
        // end of block after the last one unless it ends the block (T.81 F.1.2.2).
        int last = 0;
        for (std::uint64_t left = nonzero & ~std::uint64_t(1); left != 0; left &= left - 1) {
            const int k = std::countr_zero(left);
            int run = k - last - 1;
            for (; run > 15; run -= 16)
                bits_.Put(ac.code[0xF0], ac.length[0xF0]);
            PutValue(ac, run << 4, q[std::size_t(k)]);
            last = k;
        }
        if (last < 63) bits_.Put(ac.code[0x00], ac.length[0x00]);
    }

    // The symbol of the value's size (with the run before it), then the value in that many bits
    // (T.81 F.1.2.1 and F.1.2.2), put as one: a negative value goes as its complement's bits.
    void PutValue(const Huffman& table, int run, int value) {
        const int size = BitLength(std::abs(value));
        const auto symbol = std::size_t(run | size);
        const auto bits = std::uint32_t(value < 0 ? value - 1 : value) & ((1u << size) - 1);
        bits_.Put(std::uint32_t(table.code[symbol]) << size | bits, table.length[symbol] + size);
    }

    const Pixmap& picture_;
    const Tables& tables_;
    const Dct& dct_;
    EntropyBits bits_;
    int dcY_ = 0, dcCb_ = 0, dcCr_ = 0;
};

// A marker and the segment it opens, its length counting itself (T.81 B.1.1.4).
void PutSegment(Bytes& out, std::uint8_t marker, ByteView body) {
    const std::size_t length = body.size() + 2;
    out.insert(out.end(), {0xFF, marker, std::uint8_t(length >> 8), std::uint8_t(length)});
    out.insert(out.end(), body.begin(), body.end());
}

void PutHead(Bytes& out, const Pixmap& picture, const Tables& tables, int restartInterval) {
    out.insert(out.end(), {0xFF, 0xD8}); // start of image
    PutSegment(out, 0xE0, Bytes{'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
    Bytes quant;
    for (int t = 0; t < 2; ++t) {
        quant.push_back(std::uint8_t(t));
        for (const std::uint8_t natural : kZigzag)
            quant.push_back(tables.quant[t][natural]);
    }
    PutSegment(out, 0xDB, quant);
    const auto w = std::uint8_t(picture.width >> 8), wl = std::uint8_t(picture.width);
    const auto h = std::uint8_t(picture.height >> 8), hl = std::uint8_t(picture.height);
    PutSegment(out, 0xC0, Bytes{8, h, hl, w, wl, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1});
    Bytes huffman;
    for (int t = 0; t < 2; ++t)
        for (const Huffman* table : {&tables.dc[t], &tables.ac[t]}) {
            huffman.push_back(std::uint8_t((table == &tables.ac[t] ? 0x10 : 0x00) | t));
            huffman.insert(huffman.end(), table->counts.begin(), table->counts.end());
            huffman.insert(huffman.end(), table->symbols.begin(), table->symbols.end());
        }
    PutSegment(out, 0xC4, huffman);
    PutSegment(out, 0xDD, Bytes{std::uint8_t(restartInterval >> 8), std::uint8_t(restartInterval)});
    PutSegment(out, 0xDA, Bytes{3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0});
}

} // namespace

Bytes EncodeJpeg(const Pixmap& picture, int quality, const JpegOptions& options) {
    if (picture.width <= 0 || picture.height <= 0 || picture.width > 65535 || picture.height > 65535)
        return {};
    const Tables tables(quality);
    const Dct dct;
    const int mcusPerRow = (picture.width + 15) / 16, mcuRows = (picture.height + 15) / 16;
    // A restart interval counts blocks in sixteen bits.
    const int bandRows = std::clamp(options.bandRows, 1, std::max(1, 65535 / mcusPerRow));
    const int bands = (mcuRows + bandRows - 1) / bandRows;
    // Each thread codes into a buffer of its own: the bands' buffers side by side had the
    // threads fight over their cache lines.
    const std::size_t threads = BandThreads(options.threads, std::size_t(bands));
    std::vector<Bytes> slots(threads);
    Bytes out;
    out.reserve(std::size_t(1) << 16);
    PutHead(out, picture, tables, mcusPerRow * bandRows);
    const auto code = [&](std::size_t slot, std::size_t k) {
        Bytes& bytes = slots[slot];
        bytes.clear();
        bytes.reserve(std::size_t(picture.width) * 16 * std::size_t(bandRows)); // most bands fit
        const int band = int(k);
        BandCoder(picture, tables, dct, bytes)
            .Code(band * bandRows, std::min(bandRows, mcuRows - band * bandRows));
        return true;
    };
    const auto emit = [&](std::size_t slot, std::size_t k) {
        out.insert(out.end(), slots[slot].begin(), slots[slot].end());
        if (k + 1 < std::size_t(bands)) out.insert(out.end(), {0xFF, std::uint8_t(0xD0 + k % 8)});
        return true;
    };
    if (!RunBands(std::size_t(bands), threads, code, emit)) return {};
    out.insert(out.end(), {0xFF, 0xD9}); // end of image
    return out;
}

} // namespace pelorine
