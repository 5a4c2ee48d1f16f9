#include "imaging/LiteralDeflate.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <initializer_list>
#include <utility>

namespace pelorine {

std::vector<std::uint8_t> LimitedCodeLengths(const std::vector<std::uint32_t>& frequencies, int limit) {
    std::vector<std::uint8_t> lengths(frequencies.size(), 0);
    // Halving the weights evens them out until the deepest code fits: at worst all weigh 1 and
    // the code is balanced.
    for (int shift = 0;; ++shift) {
        std::vector<std::pair<std::uint64_t, int>> leaves;
        for (std::size_t s = 0; s < frequencies.size(); ++s)
            if (frequencies[s] != 0)
                leaves.push_back({std::max<std::uint64_t>(1, frequencies[s] >> shift), int(s)});
        if (leaves.size() < 2) {
            for (const auto& leaf : leaves)
                lengths[std::size_t(leaf.second)] = 1;
            return lengths;
        }
        std::sort(leaves.begin(), leaves.end());
        // Huffman's merge with two queues: the leaves in order, and the merged nodes, which are
        // made in order of weight.
        const int n = int(leaves.size()), nodes = 2 * n - 1;
        std::vector<std::uint64_t> weight(std::size_t(nodes), 0);
        std::vector<int> parent(std::size_t(nodes), 0);
        for (int k = 0; k < n; ++k)
            weight[std::size_t(k)] = leaves[std::size_t(k)].first;
        int leaf = 0, merged = n;
        const auto lightest = [&](int made) {
            if (leaf < n && (merged >= made || weight[std::size_t(leaf)] <= weight[std::size_t(merged)]))
                return leaf++;
            return merged++;
        };
        for (int made = n; made < nodes; ++made) {
            const int a = lightest(made), b = lightest(made);
            weight[std::size_t(made)] = weight[std::size_t(a)] + weight[std::size_t(b)];
            parent[std::size_t(a)] = parent[std::size_t(b)] = made;
        }
        std::vector<int> depth(std::size_t(nodes), 0);
        for (int k = nodes - 2; k >= 0; --k)
            depth[std::size_t(k)] = depth[std::size_t(parent[std::size_t(k)])] + 1;
        if (*std::max_element(depth.begin(), depth.begin() + n) > limit) continue;
        for (int k = 0; k < n; ++k)
            lengths[std::size_t(leaves[std::size_t(k)].second)] = std::uint8_t(depth[std::size_t(k)]);
        return lengths;
    }
}

namespace {

constexpr int kEndOfBlock = 256;
constexpr int kStoredMax = 65535;

// Canonical codes for the lengths (RFC 1951 3.2.2), bit-reversed: deflate sends Huffman codes
// high bit first into a stream that is otherwise filled from the low bit (3.1.1).
std::vector<std::uint16_t> CanonicalCodes(const std::vector<std::uint8_t>& lengths) {
    std::array<int, 16> count{}, next{};
    for (const std::uint8_t l : lengths)
        ++count[l];
    count[0] = 0;
    for (int bits = 1, code = 0; bits < 16; ++bits) {
        code = (code + count[std::size_t(bits - 1)]) << 1;
        next[std::size_t(bits)] = code;
    }
    std::vector<std::uint16_t> codes(lengths.size(), 0);
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        const int l = lengths[s];
        if (l == 0) continue;
        const int code = next[std::size_t(l)]++;
        int reversed = 0;
        for (int b = 0; b < l; ++b)
            reversed |= ((code >> b) & 1) << (l - 1 - b);
        codes[s] = std::uint16_t(reversed);
    }
    return codes;
}

// Fills memory sized beforehand, low bit first (RFC 1951 3.1.1). Every put stores the eight
// pending bytes whole and moves on by the bytes it completed: no branch per code, which on
// noise-like rows (a new code length every byte) mispredicted about once in four bytes. The
// memory must therefore reach eight bytes past the last one written.
class BitWriter {
  public:
    explicit BitWriter(std::uint8_t* at) : start_(at), at_(at) {}
    void Put(std::uint32_t value, int bits) {
        static_assert(std::endian::native == std::endian::little);
        pending_ |= std::uint64_t(value) << count_; // count_ < 8 and bits <= 16: it fits
        count_ += bits;
        std::memcpy(at_, &pending_, sizeof pending_);
        at_ += count_ >> 3;
        pending_ >>= count_ & ~7;
        count_ &= 7;
    }
    void AlignToByte() {
        for (; count_ > 0; count_ -= 8, pending_ >>= 8)
            *at_++ = std::uint8_t(pending_);
        pending_ = 0;
        count_ = 0;
    }
    void PutBytes(std::initializer_list<std::uint8_t> bytes) {
        for (const std::uint8_t b : bytes)
            *at_++ = b;
    }
    std::size_t Written() const { return std::size_t(at_ - start_); }

  private:
    std::uint8_t* start_;
    std::uint8_t* at_;
    std::uint64_t pending_ = 0;
    int count_ = 0;
};

// Stored blocks of at most 65535 bytes each (RFC 1951 3.2.4).
void Store(ByteView data, bool last, Bytes& out) {
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(kStoredMax, data.size() - at);
        const bool final = last && at + n == data.size();
        out.insert(out.end(), {std::uint8_t(final ? 1 : 0), std::uint8_t(n), std::uint8_t(n >> 8),
                               std::uint8_t(~n), std::uint8_t(~n >> 8)});
        out.insert(out.end(), data.begin() + std::ptrdiff_t(at), data.begin() + std::ptrdiff_t(at + n));
        at += n;
    } while (at < data.size());
}

// The head of a block with dynamic codes (RFC 1951 3.2.7): the code lengths of the literals,
// the end of block and the one unused distance code, each sent whole under the code-length
// code, whose own lengths go in the order of kOrder.
struct BlockHead {
    std::vector<std::uint8_t> lengths;       // 257 literal/length codes, then 1 distance code
    std::vector<std::uint8_t> lengthLengths; // the code-length code, by symbol 0 to 18
    int sentLengthLengths = 4;

    static constexpr std::array<std::uint8_t, 19> kOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                            11, 4,  12, 3, 13, 2, 14, 1, 15};
    explicit BlockHead(const std::vector<std::uint8_t>& literalLengths) : lengths(literalLengths) {
        lengths.push_back(0); // no distances
        std::vector<std::uint32_t> counts(19, 0);
        for (const std::uint8_t l : lengths)
            ++counts[l];
        // A code needs two symbols; one that is never sent costs nothing.
        if (std::count_if(counts.begin(), counts.end(), [](std::uint32_t c) { return c != 0; }) < 2)
            counts[counts[0] != 0 ? 1 : 0] = 1;
        lengthLengths = LimitedCodeLengths(counts, 7);
        for (int i = 0; i < 19; ++i)
            if (lengthLengths[kOrder[std::size_t(i)]] != 0)
                sentLengthLengths = std::max(sentLengthLengths, i + 1);
    }
    std::uint64_t Bits() const {
        std::uint64_t bits = 3 + 5 + 5 + 4 + 3 * std::uint64_t(sentLengthLengths);
        for (const std::uint8_t l : lengths)
            bits += lengthLengths[l];
        return bits;
    }
    void Write(BitWriter& bits, bool last) const {
        bits.Put(last ? 1 : 0, 1);
        bits.Put(2, 2); // a block with codes of its own
        bits.Put(0, 5); // 257 literal/length codes
        bits.Put(0, 5); // 1 distance code
        bits.Put(std::uint32_t(sentLengthLengths - 4), 4);
        for (int i = 0; i < sentLengthLengths; ++i)
            bits.Put(lengthLengths[kOrder[std::size_t(i)]], 3);
        const std::vector<std::uint16_t> codes = CanonicalCodes(lengthLengths);
        for (const std::uint8_t l : lengths)
            bits.Put(codes[l], lengthLengths[l]);
    }
};

} // namespace

void DeflateLiterals(ByteView data, bool last, Bytes& out) {
    std::vector<std::uint32_t> counts(kEndOfBlock + 1, 0);
    // Four tables, so that runs of one byte value do not wait on one counter.
    std::array<std::array<std::uint32_t, 256>, 4> partial{};
    std::size_t i = 0;
    for (; i + 4 <= data.size(); i += 4)
        for (std::size_t k = 0; k < 4; ++k)
            ++partial[k][data[i + k]];
    for (; i < data.size(); ++i)
        ++partial[0][data[i]];
    for (std::size_t v = 0; v < 256; ++v)
        counts[v] = partial[0][v] + partial[1][v] + partial[2][v] + partial[3][v];
    counts[kEndOfBlock] = 1;
    const std::vector<std::uint8_t> lengths = LimitedCodeLengths(counts, 15);
    const BlockHead head(lengths);
    std::uint64_t bits = head.Bits() + lengths[kEndOfBlock] + (last ? 0 : 3 + 7 + 32);
    for (std::size_t v = 0; v < 256; ++v)
        bits += std::uint64_t(counts[v]) * lengths[v];
    if (bits / 8 >= data.size() + 5 * (data.size() / kStoredMax + 1)) return Store(data, last, out);

    const std::size_t start = out.size();
    out.resize(start + std::size_t(bits / 8) + 16); // room for the last word and the padding
    const std::vector<std::uint16_t> codes = CanonicalCodes(lengths);
    // Code and length in one word: the loop below then makes one lookup per byte.
    std::array<std::uint32_t, 257> coded{};
    for (std::size_t s = 0; s < coded.size(); ++s)
        coded[s] = std::uint32_t(codes[s]) | std::uint32_t(lengths[s]) << 16;
    BitWriter writer(out.data() + start);
    head.Write(writer, last);
    for (const std::uint8_t byte : data)
        writer.Put(coded[byte] & 0xFFFF, int(coded[byte] >> 16));
    writer.Put(codes[kEndOfBlock], lengths[kEndOfBlock]);
    if (!last) {
        // An empty stored block brings the stream to a byte boundary, as zlib's sync flush does
        // (RFC 1951 3.2.4: its header bits, then the byte boundary, then LEN and NLEN).
        writer.Put(0, 3);
        writer.AlignToByte();
        writer.PutBytes({0x00, 0x00, 0xFF, 0xFF});
    } else {
        writer.AlignToByte();
    }
    out.resize(start + writer.Written());
}

} // namespace pelorine
