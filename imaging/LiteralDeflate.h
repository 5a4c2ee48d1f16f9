#pragma once
// Deflate with no string matching: one block of literals under a Huffman code made for them.
// After the PNG filters, a photograph's bytes rarely repeat, and zlib spent most of its time
// looking for matches it seldom found; coding the literals alone takes a fraction of that time
// for files a little larger.
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
