#include "imaging/PngWriter.h"

#include "imaging/Bands.h"
#include "imaging/LiteralDeflate.h"
#include "imaging/Rows.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <string_view>

namespace pelorine {

std::vector<RowBand> SplitIntoBands(int height, std::size_t rowBytes, std::size_t bandBytes) {
    std::vector<RowBand> bands;
    if (height <= 0) return bands;
    const std::size_t perBand =
        std::clamp<std::size_t>(bandBytes / std::max<std::size_t>(rowBytes, 1), 1, std::size_t(height));
    bands.reserve((std::size_t(height) + perBand - 1) / perBand);
    for (int first = 0; first < height;) {
        const int rows = int(std::min<std::size_t>(perBand, std::size_t(height - first)));
        bands.push_back({first, rows});
        first += rows;
    }
    return bands;
}

namespace {

// How a band is deflated, by what the filters left. A band of mostly zeros is a screenshot's
// flat faces and text: zlib at level 4 kept those files within a tenth of the platform
// encoder's (level 1: a third larger) at no more time. The rest is photograph-like, where
// strings rarely repeat: its literals alone under their own code took a sixth of zlib's
// fastest level's time, for files about a fifth larger on a synthetic photograph.
constexpr int kScreenshotLevel = 4;
// Counted in bytes of up to 255 at a time: std::count's wide counter kept the compiler from
// vectorising it, and it took a tenth of a noisy band's time.
bool MostlyFlat(const std::vector<std::uint8_t>& filtered) {
    std::size_t zeros = 0;
    for (std::size_t at = 0; at < filtered.size(); at += 255) {
        std::uint8_t run = 0;
        const std::size_t end = std::min(filtered.size(), at + 255);
        for (std::size_t i = at; i < end; ++i)
            run = std::uint8_t(run + (filtered[i] == 0));
        zeros += run;
    }
    return zeros * 3 >= filtered.size();
}

// The rows in the layout the file stores, before filtering.
struct PngRows {
    int width = 0;
    int height = 0;
    int bitDepth = 8;
    int colourType = 2;  // 2 RGB, 3 palette, 0 grey
    int pixelBytes = 3;  // the distance the Sub filter looks back
    bool predict = true; // Sub or Up per row; palette rows go unfiltered
    std::vector<Rgb> palette;
    std::function<void(int y, std::uint8_t* row)> put; // row arrives zeroed
    // Rows are packed to whole bytes, with no padding.
    std::size_t RowBytes() const {
        return (std::size_t(width) * std::size_t(bitDepth * (colourType == 2 ? 3 : 1)) + 7) / 8;
    }
};

// One band's raw deflate stream and the Adler-32 of the bytes it holds.
struct DeflatedBand {
    std::vector<std::uint8_t> bytes; // kept between bands: its memory is reused
    std::size_t used = 0;
    uLong adler = 1;
    std::size_t length = 0; // filtered bytes in
};

// Sub or Up, whichever leaves the smaller sum of magnitudes: the usual guess at which
// compresses better. The loops are plain so that the compiler can vectorise them.
std::uint8_t ChooseFilter(const std::uint8_t* row, const std::uint8_t* above, std::size_t n, int bpp) {
    const auto magnitude = [](unsigned difference) {
        return std::uint32_t(std::abs(int(std::int8_t(std::uint8_t(difference)))));
    };
    const std::size_t first = std::min(n, std::size_t(bpp));
    std::uint32_t sub = 0, up = 0;
    for (std::size_t i = 0; i < first; ++i)
        sub += magnitude(row[i]);
    for (std::size_t i = first; i < n; ++i)
        sub += magnitude(unsigned(row[i]) - row[i - std::size_t(bpp)]);
    for (std::size_t i = 0; i < n; ++i)
        up += magnitude(unsigned(row[i]) - above[i]);
    return up < sub ? 2 : 1;
}

void Filter(std::uint8_t type, const std::uint8_t* row, const std::uint8_t* above, std::size_t n, int bpp,
            std::uint8_t* out) {
    *out++ = type;
    if (type == 2) {
        for (std::size_t i = 0; i < n; ++i)
            out[i] = std::uint8_t(row[i] - above[i]);
        return;
    }
    const std::size_t first = type == 1 ? std::min(n, std::size_t(bpp)) : n;
    std::copy_n(row, first, out);
    for (std::size_t i = first; i < n; ++i)
        out[i] = std::uint8_t(row[i] - row[i - std::size_t(bpp)]);
}

// A raw deflate stream per thread, reset for each band: setting one up costs a quarter of a
// megabyte of tables.
class BandDeflater {
  public:
    explicit BandDeflater(const PngRows& rows) : rows_(rows), n_(rows.RowBytes()) {
        if (deflateInit2(&z_, kScreenshotLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::bad_alloc();
        above_.resize(n_);
        row_.resize(n_);
    }
    BandDeflater(const BandDeflater&) = delete;
    BandDeflater& operator=(const BandDeflater&) = delete;
    ~BandDeflater() { deflateEnd(&z_); }

    // The band is filtered whole first, to choose how to deflate it. The last band finishes
    // the stream; the others end on a byte boundary, so that the next band's stream can follow
    // them directly.
    bool Run(RowBand band, bool last, DeflatedBand& out) {
        std::fill(above_.begin(), above_.end(), std::uint8_t(0));
        if (band.firstRow > 0 && rows_.predict) rows_.put(band.firstRow - 1, above_.data());
        feed_.clear();
        for (int y = band.firstRow; y < band.firstRow + band.rows; ++y)
            AddRow(y);
        out.adler = adler32(adler32(0, nullptr, 0), feed_.data(), uInt(feed_.size()));
        out.length = feed_.size();
        out.used = 0;
        if (!MostlyFlat(feed_)) {
            out.bytes.clear();
            DeflateLiterals(feed_, last, out.bytes);
            out.used = out.bytes.size();
            return true;
        }
        return deflateReset(&z_) == Z_OK && Feed(out, last ? Z_FINISH : Z_SYNC_FLUSH);
    }

  private:
    void AddRow(int y) {
        std::fill(row_.begin(), row_.end(), std::uint8_t(0));
        rows_.put(y, row_.data());
        const std::size_t at = feed_.size();
        feed_.resize(at + 1 + n_);
        const std::uint8_t type =
            rows_.predict ? ChooseFilter(row_.data(), above_.data(), n_, rows_.pixelBytes) : 0;
        Filter(type, row_.data(), above_.data(), n_, rows_.pixelBytes, feed_.data() + at);
        std::swap(row_, above_);
    }

    bool Feed(DeflatedBand& out, int flush) {
        z_.next_in = feed_.data();
        z_.avail_in = uInt(feed_.size());
        for (;;) {
            if (out.used == out.bytes.size())
                out.bytes.resize(std::max<std::size_t>(out.bytes.size() * 2, 1 << 16));
            z_.next_out = out.bytes.data() + out.used;
            z_.avail_out = uInt(out.bytes.size() - out.used);
            const int result = deflate(&z_, flush);
            out.used = out.bytes.size() - z_.avail_out;
            if (result == Z_STREAM_ERROR) return false;
            if (flush == Z_FINISH ? result == Z_STREAM_END : z_.avail_out != 0) break;
        }
        feed_.clear();
        return true;
    }

    const PngRows& rows_;
    std::size_t n_;
    z_stream z_{};
    std::vector<std::uint8_t> above_, row_, feed_;
};

void PutBigEndian(std::uint8_t* at, std::uint32_t value) {
    at[0] = std::uint8_t(value >> 24);
    at[1] = std::uint8_t(value >> 16);
    at[2] = std::uint8_t(value >> 8);
    at[3] = std::uint8_t(value);
}

// A chunk whose data comes in pieces: a band of the stream, with the stream's head or tail.
bool WriteChunk(const ByteSink& out, const char (&type)[5], std::initializer_list<ByteView> data) {
    std::size_t length = 0;
    for (const auto& piece : data)
        length += piece.size();
    if (length > 0x7FFFFFFF) return false;
    std::uint8_t head[8];
    PutBigEndian(head, std::uint32_t(length));
    std::copy_n(type, 4, head + 4);
    uLong crc = crc32(0, head + 4, 4);
    for (const auto& piece : data)
        if (!piece.empty()) crc = crc32(crc, piece.data(), uInt(piece.size()));
    std::uint8_t tail[4];
    PutBigEndian(tail, std::uint32_t(crc));
    if (!out(head)) return false;
    for (const auto& piece : data)
        if (!piece.empty() && !out(piece)) return false;
    return out(tail);
}

bool WriteHeader(const PngRows& rows, const ByteSink& out) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::uint8_t header[13] = {};
    PutBigEndian(header, std::uint32_t(rows.width));
    PutBigEndian(header + 4, std::uint32_t(rows.height));
    header[8] = std::uint8_t(rows.bitDepth);
    header[9] = std::uint8_t(rows.colourType); // compression, filter method, no interlace: 0
    if (!out(kSignature) || !WriteChunk(out, "IHDR", {header})) return false;
    if (rows.colourType != 3) return true;
    Bytes palette;
    for (const Rgb c : rows.palette)
        palette.insert(palette.end(),
                       {std::uint8_t(RedOf(c)), std::uint8_t(GreenOf(c)), std::uint8_t(BlueOf(c))});
    return WriteChunk(out, "PLTE", {palette});
}

bool Stream(const PngRows& rows, const ByteSink& out, const PngOptions& options) {
    if (rows.width <= 0 || rows.height <= 0) return false;
    if (rows.colourType == 3 && (rows.palette.empty() || rows.palette.size() > (1u << rows.bitDepth)))
        return false;
    if (!WriteHeader(rows, out)) return false;
    const std::vector<RowBand> bands = SplitIntoBands(rows.height, rows.RowBytes() + 1, options.bandBytes);
    const std::size_t threads = BandThreads(options.threads, bands.size());
    // The zlib wrapper (RFC 1950 2.2): its head, the bands' raw deflate streams one after
    // another (each but the last ends in an empty stored block, RFC 1951 3.2.4), then the
    // Adler-32 of all the filtered bytes.
    static constexpr std::uint8_t kZlibHead[2] = {0x78, 0x01}; // deflate, 32 KB window, fastest
    uLong adler = adler32(0, nullptr, 0);
    // A deflater and a band per thread, the deflater made on its thread when first needed.
    std::vector<std::unique_ptr<BandDeflater>> deflaters(threads);
    std::vector<DeflatedBand> slots(threads);
    const auto code = [&](std::size_t slot, std::size_t k) {
        if (!deflaters[slot]) deflaters[slot] = std::make_unique<BandDeflater>(rows);
        return deflaters[slot]->Run(bands[k], k + 1 == bands.size(), slots[slot]);
    };
    const auto emit = [&](std::size_t slot, std::size_t k) {
        const DeflatedBand& band = slots[slot];
        adler = adler32_combine(adler, band.adler, z_off_t(band.length));
        std::uint8_t tail[4];
        PutBigEndian(tail, std::uint32_t(adler));
        const bool last = k + 1 == bands.size();
        const ByteView head = k == 0 ? ByteView(kZlibHead) : ByteView();
        return WriteChunk(out, "IDAT",
                          {head, {band.bytes.data(), band.used}, last ? ByteView(tail) : ByteView()});
    };
    const bool ok = RunBands(bands.size(), threads, code, emit);
    return ok && WriteChunk(out, "IEND", {});
}

PngRows RowsOf(const Pixmap& picture) {
    PngRows rows;
    rows.width = picture.width;
    rows.height = picture.height;
    rows.put = [&picture](int y, std::uint8_t* row) {
        const Rgb* from = picture.pixels.data() + std::size_t(y) * std::size_t(picture.width);
        for (int x = 0; x < picture.width; ++x, row += 3) {
            row[0] = std::uint8_t(RedOf(from[x]));
            row[1] = std::uint8_t(GreenOf(from[x]));
            row[2] = std::uint8_t(BlueOf(from[x]));
        }
    };
    return rows;
}

// Grey levels predict like colour; palette indices do not, and unfiltered they compress best.
PngRows RowsOf(const IndexedImage& picture) {
    PngRows rows;
    rows.width = picture.width;
    rows.height = picture.height;
    rows.bitDepth = picture.grey ? 8 : picture.bits;
    rows.colourType = picture.grey ? 0 : 3;
    rows.pixelBytes = 1;
    rows.predict = picture.grey;
    if (!picture.grey) rows.palette = picture.palette;
    const int bits = rows.bitDepth;
    rows.put = [&picture, bits](int y, std::uint8_t* row) { PutIndexRow(picture, y, bits, row); };
    return rows;
}

Bytes Collect(const PngRows& rows, const PngOptions& options) {
    return CollectBytes([&](const ByteSink& out) { return Stream(rows, out, options); });
}

} // namespace

bool StreamPng(const Pixmap& picture, const ByteSink& out, const PngOptions& options) {
    return Stream(RowsOf(picture), out, options);
}

bool StreamPng(const IndexedImage& picture, const ByteSink& out, const PngOptions& options) {
    return Stream(RowsOf(picture), out, options);
}

Bytes EncodePng(const Pixmap& picture, const PngOptions& options) {
    return Collect(RowsOf(picture), options);
}

Bytes EncodePng(const IndexedImage& picture, const PngOptions& options) {
    return Collect(RowsOf(picture), options);
}

} // namespace pelorine
