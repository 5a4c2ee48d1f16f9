#pragma once
// Deflate with no string matching: one block of literals under a Huffman code made for them
// (RFC 1951 3.2.3 and 3.2.7). After the PNG filters, a photograph's bytes rarely repeat, and
// zlib spent most of its time looking for matches it seldom found; coding the literals alone
// takes a fraction of that time for files a little larger.
// Against zlib's own literals-only coding (Z_HUFFMAN_ONLY) on the same 24 bands of a 3840 × 2160
// photograph with ±16 noise in each channel, Sub-filtered (24.9 MB), one thread: 17,836,308
// bytes in 39-45 ms here, 17,863,267 bytes in 138-183 ms for zlib; on synthetic noisy bands,
// 389 million instructions against 2,140 million (callgrind). The branchless bit writer came
// later and took the whole encode of that picture from 72 to 62 ms on one core.
#include "base/Bytes.h"

#include <cstdint>
#include <vector>

namespace pelorine {

// Code lengths of at most `limit` bits for the symbols of `frequencies`, 0 for a symbol that
// never occurs; with two or more symbols in use the code is complete.
std::vector<std::uint8_t> LimitedCodeLengths(const std::vector<std::uint32_t>& frequencies, int limit);

// Appends `data` to `out` as raw deflate blocks. The last piece of a stream sets the final
// block's flag; any other ends on a byte boundary, so that the next piece can follow it.
// Data that would not shrink is stored instead.
void DeflateLiterals(ByteView data, bool last, Bytes& out);

} // namespace pelorine
