#include "controls/RegionData.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <utility>

namespace pelorine {
namespace {

constexpr int kMaxRunsPerRow = 100; // a row may still end its 101st run

using Span = std::pair<int, int>; // [left, right)

// Rows of spans joined into the platform's bands: a row whose spans equal those of the band
// right above it makes that band taller.
class BandList {
  public:
    void AddRow(int y, const std::vector<Span>& spans) {
        if (spans.empty()) return;
        if (!bands_.empty() && bands_.back().bottom == y && bands_.back().spans == spans) {
            bands_.back().bottom = y + 1;
            return;
        }
        bands_.push_back(Band{y, y + 1, spans});
    }
    std::vector<Rect> Rects() const {
        std::vector<Rect> rects;
        for (const Band& band : bands_)
            for (const auto& [left, right] : band.spans)
                rects.push_back(Rect{left, band.top, right, band.bottom});
        return rects;
    }

  private:
    struct Band {
        int top;
        int bottom;
        std::vector<Span> spans;
    };
    std::vector<Band> bands_;
};

int Expand5(unsigned v) { return int(v << 3 | v >> 2); }
int Expand6(unsigned v) { return int(v << 2 | v >> 4); }

// One pixel of a 15-, 16- or 32-bit picture as its blue, green and red bytes.
std::array<std::uint8_t, 3> ColourBytes(const RasterImage& picture, const std::uint8_t* row, int x) {
    if (picture.bits == 32) return {row[4 * x], row[4 * x + 1], row[4 * x + 2]};
    const unsigned v = row[2 * x] | unsigned(row[2 * x + 1]) << 8;
    if (picture.bits == 16)
        return {std::uint8_t(Expand5(v & 31)), std::uint8_t(Expand6(v >> 5 & 63)),
                std::uint8_t(Expand5(v >> 11))};
    return {std::uint8_t(Expand5(v & 31)), std::uint8_t(Expand5(v >> 5 & 31)),
            std::uint8_t(Expand5(v >> 10 & 31))};
}

std::uint8_t PaletteIndex(const std::uint8_t* row, int x, int bits) {
    const int bit = x * bits;
    return std::uint8_t(row[bit / 8] >> (8 - bits - bit % 8) & ((1 << bits) - 1));
}

void PutDword(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

std::uint32_t Dword(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

std::vector<Span> RowRuns(const std::uint8_t* row, int width, std::size_t pixelSize,
                          const std::uint8_t* key) {
    auto transparent = [&](int x) {
        return std::memcmp(row + std::size_t(x) * pixelSize, key, pixelSize) == 0;
    };
    std::vector<Span> runs;
    int x = 0;
    while (x < width) {
        if (int(runs.size()) > kMaxRunsPerRow) throw EInvalidGraphic(L"ﾋﾞｯﾄﾏｯﾌﾟの形状が不適です");
        while (x < width && transparent(x))
            ++x;
        if (x >= width) break;
        const int start = x;
        while (x < width && !transparent(x))
            ++x;
        if (x > start) runs.emplace_back(start, x);
        ++x; // the pixel that ended the run is transparent, or lies beyond the row
    }
    return runs;
}

} // namespace

void NormalizeForScan(RasterImage& picture) {
    if (picture.bits == 8 || picture.bits == 24) return;
    const bool indexed = picture.bits < 8;
    RasterImage out(picture.width, picture.height, indexed ? 8 : 24);
    out.palette = picture.palette;
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* from = picture.Row(y);
        std::uint8_t* to = out.Row(y);
        for (int x = 0; x < picture.width; ++x) {
            if (indexed) {
                to[x] = PaletteIndex(from, x, picture.bits);
            } else {
                const auto bgr = ColourBytes(picture, from, x);
                std::memcpy(to + 3 * x, bgr.data(), 3);
            }
        }
    }
    picture = std::move(out);
}

std::vector<std::uint8_t> ExtractRgnData(RasterImage& picture) {
    if (picture.width == 0 && picture.height == 0)
        throw EInvalidGraphic(L"ﾋﾞｯﾄﾏｯﾌﾟが正しくｾｯﾄされていません");
    if (picture.width <= 0 || picture.height <= 0) throw EInvalidGraphic(L"幅または高さが 0 です");
    if (picture.bytes.size() < picture.Stride() * std::size_t(picture.height))
        throw EInvalidGraphic(L"ﾋﾞｯﾄﾏｯﾌﾟが正しくｾｯﾄされていません");
    try {
        NormalizeForScan(picture);
        const std::size_t pixelSize = std::size_t(picture.bits / 8);
        std::array<std::uint8_t, 3> key{};
        std::memcpy(key.data(), picture.Row(picture.height - 1), pixelSize);
        BandList bands;
        for (int y = 0; y < picture.height; ++y)
            bands.AddRow(y, RowRuns(picture.Row(y), picture.width, pixelSize, key.data()));
        return EncodeRgnData(bands.Rects());
    } catch (const std::bad_alloc&) {
        throw Error(L"ﾒﾓﾘ獲得に失敗しました");
    }
}

std::vector<std::uint8_t> EncodeRgnData(const std::vector<Rect>& rects) {
    Rect bound;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const Rect& r = rects[i];
        bound = i == 0 ? r
                       : Rect{std::min(bound.left, r.left), std::min(bound.top, r.top),
                              std::max(bound.right, r.right), std::max(bound.bottom, r.bottom)};
    }
    std::vector<std::uint8_t> blob;
    blob.reserve(kRgnDataHeaderSize + 16 * rects.size());
    for (const std::uint32_t v : {std::uint32_t(kRgnDataHeaderSize), 1u, std::uint32_t(rects.size()),
                                  std::uint32_t(16 * rects.size())})
        PutDword(blob, v);
    auto putRect = [&](const Rect& r) {
        for (const int v : {r.left, r.top, r.right, r.bottom})
            PutDword(blob, std::uint32_t(v));
    };
    putRect(bound);
    for (const Rect& r : rects)
        putRect(r);
    return blob;
}

std::optional<std::vector<Rect>> DecodeRgnData(std::span<const std::uint8_t> blob) {
    if (blob.size() < kRgnDataHeaderSize || Dword(blob, 0) != kRgnDataHeaderSize || Dword(blob, 4) != 1)
        return {};
    const std::uint64_t count = Dword(blob, 8), listSize = Dword(blob, 12);
    if (count * 16 != listSize || listSize != blob.size() - kRgnDataHeaderSize) return {};
    std::vector<Rect> rects;
    rects.reserve(std::size_t(count));
    for (std::size_t at = kRgnDataHeaderSize; at < blob.size(); at += 16) {
        const Rect r{std::int32_t(Dword(blob, at)), std::int32_t(Dword(blob, at + 4)),
                     std::int32_t(Dword(blob, at + 8)), std::int32_t(Dword(blob, at + 12))};
        if (r.left >= r.right || r.top >= r.bottom) return {};
        rects.push_back(r);
    }
    return rects;
}

} // namespace pelorine
