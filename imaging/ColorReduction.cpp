#include "imaging/ColorReduction.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace pelorine {
namespace {

// The pixels of each histogram cell, the colours that share their top five bits per channel.
// Cutting 32768 cells instead of every distinct colour keeps a full-screen capture fast; the
// sums keep the palette colours exact averages.
struct CellSums {
    std::uint64_t count = 0;
    std::array<std::uint64_t, 3> sum{};
};

std::size_t CellOf(Rgb c) {
    return std::size_t((RedOf(c) >> 3) << 10 | (GreenOf(c) >> 3) << 5 | BlueOf(c) >> 3);
}

std::vector<CellSums> Histogram(const Pixmap& src) {
    std::vector<CellSums> cells(1 << 15);
    const auto add = [&](Rgb c, std::uint64_t n) {
        CellSums& cell = cells[CellOf(c)];
        cell.count += n;
        cell.sum[0] += n * std::uint64_t(RedOf(c));
        cell.sum[1] += n * std::uint64_t(GreenOf(c));
        cell.sum[2] += n * std::uint64_t(BlueOf(c));
    };
    // A run of one colour (the flat areas of a screen) is counted in one step.
    const std::vector<Rgb>& p = src.pixels;
    for (std::size_t i = 0, j = 0; i < p.size(); i = j) {
        for (j = i + 1; j < p.size() && p[j] == p[i];)
            ++j;
        add(p[i], j - i);
    }
    return cells;
}

// A cell as the median cut sorts it: its mean colour, which lies inside the cell, and its
// pixels, in eight bytes (no cell holds 2^40 pixels; they would take 4 TB), so that sorting
// moves little memory.
struct Cell {
    std::uint64_t colour : 24;
    std::uint64_t count : 40;
};

std::vector<Cell> NonEmptyCells(const std::vector<CellSums>& sums) {
    std::vector<Cell> cells;
    cells.reserve(
        std::size_t(std::count_if(sums.begin(), sums.end(), [](const CellSums& c) { return c.count; })));
    for (const CellSums& c : sums) {
        if (c.count == 0) continue;
        const auto mean = [&](int ch) { return int((c.sum[std::size_t(ch)] + c.count / 2) / c.count); };
        cells.push_back({MakeRgb(mean(0), mean(1), mean(2)), c.count});
    }
    return cells;
}

// The picture's colours, sorted, when there are no more than maxColours; else empty. They
// are gathered in a small hash table, never more than a quarter full, which stays in the
// cache and costs no fresh memory (a bit per possible colour touched pages all over 2 MB).
std::vector<Rgb> FewColours(const Pixmap& src, int maxColours) {
    constexpr Rgb kFree = ~Rgb(0);
    const int bits = std::bit_width(unsigned(maxColours) * 4u);
    std::vector<Rgb> slots(std::size_t(1) << bits, kFree);
    const std::size_t mask = slots.size() - 1;
    std::vector<Rgb> colours;
    Rgb last = kFree;
    for (const Rgb pixel : src.pixels) {
        const Rgb c = pixel & 0xFFFFFF;
        if (c == last) continue;
        last = c;
        std::size_t i = std::size_t((c * 2654435761u) >> (32 - bits)) & mask;
        while (slots[i] != kFree && slots[i] != c)
            i = (i + 1) & mask;
        if (slots[i] == c) continue;
        if (colours.size() == std::size_t(maxColours)) return {};
        slots[i] = c;
        colours.push_back(c);
    }
    std::sort(colours.begin(), colours.end());
    return colours;
}

int Channel(Rgb c, int channel) { return channel == 0 ? RedOf(c) : channel == 1 ? GreenOf(c) : BlueOf(c); }

// A box of the median cut: a range of the histogram and its widest channel.
struct Box {
    std::size_t begin, end;
    int channel = 0;
    int range = 0;
    std::uint64_t count = 0;
};

Box MeasureBox(const std::vector<Cell>& h, std::size_t begin, std::size_t end) {
    Box box{begin, end};
    std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
    for (std::size_t i = begin; i < end; ++i) {
        box.count += h[i].count;
        for (int ch = 0; ch < 3; ++ch) {
            lo[ch] = std::min(lo[ch], Channel(Rgb(h[i].colour), ch));
            hi[ch] = std::max(hi[ch], Channel(Rgb(h[i].colour), ch));
        }
    }
    for (int ch = 0; ch < 3; ++ch) {
        if (hi[ch] - lo[ch] > box.range) {
            box.range = hi[ch] - lo[ch];
            box.channel = ch;
        }
    }
    return box;
}

// Splits at the pixel-weighted median of the widest channel; both halves stay non-empty.
// Channel values are bytes, so a counting sort orders the box in one pass.
std::pair<Box, Box> SplitBox(std::vector<Cell>& h, std::vector<Cell>& scratch, const Box& box) {
    std::array<std::size_t, 257> next{};
    for (std::size_t i = box.begin; i < box.end; ++i)
        ++next[std::size_t(Channel(Rgb(h[i].colour), box.channel)) + 1];
    for (std::size_t v = 1; v < next.size(); ++v)
        next[v] += next[v - 1];
    scratch.resize(box.end - box.begin);
    for (std::size_t i = box.begin; i < box.end; ++i)
        scratch[next[std::size_t(Channel(Rgb(h[i].colour), box.channel))]++] = h[i];
    std::copy(scratch.begin(), scratch.end(), h.begin() + std::ptrdiff_t(box.begin));
    std::uint64_t sum = 0;
    std::size_t cut = box.begin + 1;
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
        sum += h[i].count;
        cut = i + 1;
        if (sum * 2 >= box.count) break;
    }
    return {MeasureBox(h, box.begin, cut), MeasureBox(h, cut, box.end)};
}

Rgb MeanColour(const std::vector<Cell>& h, const std::vector<CellSums>& sums, const Box& box) {
    std::array<std::uint64_t, 3> sum{};
    for (std::size_t i = box.begin; i < box.end; ++i)
        for (std::size_t ch = 0; ch < 3; ++ch)
            sum[ch] += sums[CellOf(Rgb(h[i].colour))].sum[ch];
    const auto mean = [&](int ch) { return int((sum[ch] + box.count / 2) / box.count); };
    return MakeRgb(mean(0), mean(1), mean(2));
}

// The box to split next: the most pixels times the widest extent, so large, varied areas get
// the most palette entries.
std::vector<Box>::iterator WorstBox(std::vector<Box>& boxes) {
    auto worst = boxes.end();
    double worstScore = 0;
    for (auto it = boxes.begin(); it != boxes.end(); ++it) {
        const double score = double(it->range) * double(it->count);
        if (it->end - it->begin > 1 && score > worstScore) {
            worst = it;
            worstScore = score;
        }
    }
    return worst;
}

// value / 16 rounded half away from zero, without a branch: error signs are random, and a
// mispredicted jump per channel and pixel cost more than the rest of the dithering.
int DivRound16(int value) { return (value + 8 - int(value < 0)) >> 4; }

// The picture's colours, all in the sorted palette, as the entries' places.
void MapExactly(const Pixmap& src, const std::vector<Rgb>& palette, const std::vector<std::uint8_t>& place,
                std::vector<std::uint8_t>& indices) {
    indices.reserve(src.pixels.size());
    Rgb last = ~Rgb(0);
    std::uint8_t index = 0;
    for (const Rgb pixel : src.pixels) {
        const Rgb c = pixel & 0xFFFFFF;
        if (c != last)
            index = place[std::size_t(std::lower_bound(palette.begin(), palette.end(), c) - palette.begin())];
        last = c;
        indices.push_back(index);
    }
}

// One channel's error on its way: 7/16 to the next pixel, 3/16, 5/16 and 1/16 to the row
// below, left of, under and right of the pixel. Kept in sixteenths, so the spreading stays
// integer and exact, and in registers: the row below is written once per pixel.
struct Spread {
    int last = 0;      // the error of the previous pixel, 7/16 of which goes to this one
    int belowLeft = 0; // gathered so far for the pixel below left

    int Want(int value, int fromAbove) const {
        return std::clamp(value + DivRound16(fromAbove + 7 * last), 0, 255);
    }
    // The error of this pixel; returns the finished sum for the pixel below left.
    int Take(int err) {
        const int done = belowLeft + 3 * err;
        belowLeft = last + 5 * err;
        last = err;
        return done;
    }
};

// Floyd–Steinberg with the rows handed round-robin to several threads. A row needs only the
// errors of the row above, and pixel x only those up to x + 1, so each row trails the one above
// by a few blocks of pixels. Every thread reports how far it has got as row * (width + 1) +
// pixels done, width + 1 once the row's last errors are written; the figure only grows.
class Wavefront {
  public:
    static constexpr std::size_t kBlock = 32; // pixels between reports

    // Starts the helpers at once: under Wine a thread takes milliseconds to get going, time in
    // which the caller can cut the palette and the first helper size the indices.
    Wavefront(const Pixmap& src, IndexedImage& out, int threads)
        : src_(src), out_(out), threads_(std::size_t(std::clamp(threads, 1, std::max(src.height, 1)))),
          width_(std::size_t(src.width)), progress_(threads_),
          errors_(threads_ + 1, std::vector<int>(3 * (width_ + 1))) {
        try {
            for (std::size_t t = 1; t < threads_; ++t)
                helpers_.emplace_back([this, t] { Work(t); });
        } catch (const std::system_error&) { // no more threads to be had: this one works alone
            Open(kGiveUp);
            Join();
            helpers_.clear();
            ready_ = 0;
            threads_ = 1;
        }
    }
    ~Wavefront() {
        Open(kGiveUp); // when Run never came, so that the helpers end
        Join();
    }

    // Dithers to the palette, writing each entry's place in out.palette.
    void Run(const std::vector<Rgb>& palette, const std::vector<std::uint8_t>& place) {
        palette_ = &palette;
        place_ = place.data();
        Open(kPalette);
        Work(0);
        Join();
        if (failure_) std::rethrow_exception(failure_);
    }

  private:
    enum Gate { kPalette = 1, kIndices = 2, kGiveUp = 4 };
    struct Stopped {};            // another thread failed: the row above will never come
    struct alignas(64) Progress { // a cache line each, so reports do not slow their neighbours
        std::atomic<std::size_t> done{0};
    };

    void Open(Gate what) {
        {
            const std::lock_guard<std::mutex> lock(gateMutex_);
            ready_ |= what;
        }
        gateOpened_.notify_all();
    }
    // Whether the rows can start, once the palette and the indices are there.
    bool PassGate() {
        std::unique_lock<std::mutex> lock(gateMutex_);
        gateOpened_.wait(lock,
                         [&] { return (ready_ & kGiveUp) || (ready_ & kPalette && ready_ & kIndices); });
        return !(ready_ & kGiveUp);
    }
    void Join() {
        for (std::thread& helper : helpers_)
            if (helper.joinable()) helper.join();
    }

    // One thread's share. A failure (out of memory) stops every thread and reaches Run's caller.
    void Work(std::size_t first) {
        try {
            Share(first);
        } catch (...) {
            {
                const std::lock_guard<std::mutex> lock(gateMutex_);
                if (!failure_) failure_ = std::current_exception();
            }
            stopped_.store(true, std::memory_order_relaxed);
            Open(kGiveUp);
        }
    }

    // The rows at work are at most one per thread and consecutive, so with one buffer of errors
    // more than threads each buffer has one row writing it and only the row below reading it.
    void Share(std::size_t first) {
        if (first == (threads_ > 1 ? 1 : 0)) {
            out_.indices.resize(src_.pixels.size());
            Open(kIndices);
        }
        if (!PassGate()) return;
        const NearestColour nearest(*palette_); // fills its cells as asked: one per thread
        for (std::size_t y = first; y < std::size_t(src_.height); y += threads_)
            Row(nearest, y, errors_[y % errors_.size()].data(), errors_[(y + 1) % errors_.size()].data());
    }

    // Errors are kept three per pixel with a pixel of margin on the left: pixel x reads its own at
    // slot x + 1 of `above` and, by then, can finish those of the pixel below left, at slot x.
    void Row(const NearestColour& nearest, std::size_t y, const int* above, int* below) {
        const Rgb* row = src_.pixels.data() + y * width_;
        std::uint8_t* indices = out_.indices.data() + y * width_;
        const std::size_t start = y * (width_ + 1);
        std::size_t seen = 0;
        Spread red, green, blue;
        for (std::size_t x = 0; x < width_;) {
            const std::size_t end = std::min(x + kBlock, width_);
            // The block reads slots up to `end`, which the row above writes at its pixel `end`, or
            // the last one when finished.
            if (y > 0) seen = WaitFor(y - 1, std::min(end + 1, width_ + 1), seen);
            for (; x < end; ++x) {
                const int* e = above + 3 * (x + 1);
                const int r = red.Want(RedOf(row[x]), e[0]), g = green.Want(GreenOf(row[x]), e[1]),
                          b = blue.Want(BlueOf(row[x]), e[2]);
                const NearestColour::Entry& got = nearest.Nearest(r, g, b);
                indices[x] = place_[got.index];
                int* d = below + 3 * x;
                d[0] = red.Take(r - got.r);
                d[1] = green.Take(g - got.g);
                d[2] = blue.Take(b - got.b);
            }
            if (end < width_) Report(y, start + end);
        }
        int* d = below + 3 * width_;
        d[0] = red.belowLeft;
        d[1] = green.belowLeft;
        d[2] = blue.belowLeft;
        Report(y, start + width_ + 1);
    }

    void Report(std::size_t y, std::size_t figure) {
        progress_[y % threads_].done.store(figure, std::memory_order_release);
    }

    // Returns once row y has done `pixels`, and the figure seen; `seen` spares the shared cache
    // line while the row is known to be far enough ahead.
    std::size_t WaitFor(std::size_t y, std::size_t pixels, std::size_t seen) const {
        const std::size_t target = y * (width_ + 1) + pixels;
        while (seen < target) {
            seen = progress_[y % threads_].done.load(std::memory_order_acquire);
            if (seen >= target) break;
            if (stopped_.load(std::memory_order_relaxed)) throw Stopped{};
            std::this_thread::yield();
        }
        return seen;
    }

    const Pixmap& src_;
    IndexedImage& out_;
    std::size_t threads_;
    const std::size_t width_;
    std::vector<Progress> progress_;
    std::vector<std::vector<int>> errors_;
    std::mutex gateMutex_;
    std::condition_variable gateOpened_;
    int ready_ = 0; // the gates open so far
    std::exception_ptr failure_;
    std::atomic<bool> stopped_{false};
    const std::vector<Rgb>* palette_ = nullptr;
    const std::uint8_t* place_ = nullptr;
    std::vector<std::thread> helpers_;
};

// Darkest entry first: readers that show a two-colour file as black and white (as PCX readers
// do) then keep its dark and light parts apart. Returns each entry's new place, which the
// indices take at once, so that the nearest colour still breaks ties by the sorted order.
std::vector<std::uint8_t> DarkestFirst(std::vector<Rgb>& palette) {
    std::vector<std::size_t> order(palette.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return GreyLevel(palette[a]) < GreyLevel(palette[b]);
    });
    std::vector<std::uint8_t> place(order.size());
    std::vector<Rgb> sorted(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        place[order[i]] = std::uint8_t(i);
        sorted[i] = palette[order[i]];
    }
    palette = std::move(sorted);
    return place;
}

// The median cut proper, for a picture with more colours than maxColours.
std::vector<Rgb> CutPalette(const Pixmap& src, int maxColours) {
    const std::vector<CellSums> sums = Histogram(src);
    std::vector<Cell> h = NonEmptyCells(sums), scratch;
    std::vector<Box> boxes{MeasureBox(h, 0, h.size())};
    while (boxes.size() < std::size_t(maxColours)) {
        const auto worst = WorstBox(boxes);
        if (worst == boxes.end()) break;
        const auto [a, b] = SplitBox(h, scratch, *worst);
        *worst = a;
        boxes.push_back(b);
    }
    std::vector<Rgb> palette;
    for (const Box& box : boxes)
        palette.push_back(MeanColour(h, sums, box));
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    return palette;
}

} // namespace

std::vector<Rgb> MedianCutPalette(const Pixmap& src, int maxColours) {
    std::vector<Rgb> palette = FewColours(src, maxColours);
    if (!palette.empty() || src.pixels.empty()) return palette;
    return CutPalette(src, maxColours);
}

IndexedImage ReduceColours(const Pixmap& src, int bits) {
    // Threads pay off only on a large picture; each costs a start and its own cell cache.
    const bool large = src.pixels.size() >= (std::size_t(1) << 16);
    const int threads = large ? int(std::min(std::thread::hardware_concurrency(), 4u)) : 1;
    return ReduceColours(src, bits, threads);
}

IndexedImage ReduceColours(const Pixmap& src, int bits, int threads) {
    const int maxColours = 1 << bits;
    // Few enough colours: the palette is the picture's own, so no pixel needs to change.
    std::vector<Rgb> palette = FewColours(src, maxColours);
    IndexedImage out{src.width, src.height, bits, false, palette, {}};
    if (!palette.empty() || src.pixels.empty()) {
        MapExactly(src, palette, DarkestFirst(out.palette), out.indices);
        return out;
    }
    Wavefront dither(src, out, threads);
    palette = CutPalette(src, maxColours);
    out.palette = palette;
    dither.Run(palette, DarkestFirst(out.palette));
    return out;
}

int GreyLevel(Rgb c) { return (RedOf(c) * 299 + GreenOf(c) * 587 + BlueOf(c) * 114 + 500) / 1000; }

IndexedImage ToGreyscale(const Pixmap& src) {
    IndexedImage out{src.width, src.height, 8, true, {}, {}};
    for (int level = 0; level < 256; ++level)
        out.palette.push_back(MakeRgb(level, level, level));
    out.indices.reserve(src.pixels.size());
    for (const Rgb c : src.pixels)
        out.indices.push_back(std::uint8_t(GreyLevel(c)));
    return out;
}

Pixmap ToFullColour(const IndexedImage& src) {
    Pixmap out(src.width, src.height);
    for (std::size_t i = 0; i < src.indices.size(); ++i)
        out.pixels[i] = src.indices[i] < src.palette.size() ? src.palette[src.indices[i]] : 0;
    return out;
}

NearestColour::NearestColour(const std::vector<Rgb>& palette) {
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette_.push_back({0, RedOf(palette[i]), GreenOf(palette[i]), BlueOf(palette[i]), int(i)});
    // An empty palette answers 0 everywhere, from one cell list holding a black entry 0.
    if (palette_.empty()) palette_.push_back({0, 0, 0, 0, 0});
    coarse_.spans.resize(std::size_t(1) << (3 * kCoarseBits));
    fine_.spans.resize(std::size_t(1) << (3 * kFineBits));
    // Room for what 256 colours need, so that the lists seldom move: a move copies them to fresh
    // memory, whose every page costs a fault, and pages never touched cost nothing.
    coarse_.list.reserve(coarse_.spans.size() * 16);
    fine_.list.reserve(fine_.spans.size() * 8);
}

// Keeps of [from, to) the entries that can be nearest to some colour of the cell around
// (r, g, b): those no farther from the cell than the best entry is from its farthest corner.
void NearestColour::Fill(Level& level, int bits, std::size_t cell, int r, int g, int b, const Entry* from,
                         const Entry* to) {
    const int side = 256 >> bits, mask = ~(side - 1);
    const int lo[3] = {r & mask, g & mask, b & mask};
    const std::size_t first = level.list.size();
    int threshold = 1 << 30;
    for (const Entry* c = from; c != to; ++c) {
        const int v[3] = {c->r, c->g, c->b};
        int minDist = 0, maxDist = 0;
        for (int ch = 0; ch < 3; ++ch) {
            const int below = lo[ch] - v[ch], above = v[ch] - (lo[ch] + side - 1);
            const int outside = std::max({below, above, 0});
            const int far = std::max(std::abs(below), std::abs(above));
            minDist += outside * outside;
            maxDist += far * far;
        }
        threshold = std::min(threshold, maxDist);
        level.list.push_back({minDist, c->r, c->g, c->b, c->index});
    }
    const auto begin = level.list.begin() + std::ptrdiff_t(first);
    level.list.erase(
        std::remove_if(begin, level.list.end(), [&](const Entry& c) { return c.minDist > threshold; }),
        level.list.end());
    std::sort(level.list.begin() + std::ptrdiff_t(first), level.list.end(),
              [](const Entry& x, const Entry& y) {
                  return x.minDist != y.minDist ? x.minDist < y.minDist : x.index < y.index;
              });
    level.spans[cell] = {int(first), int(level.list.size())};
}

// Every entry that can be nearest somewhere in a fine cell can be so in the coarse cell
// around it, so the coarse cell's short list is all a fine cell needs to look at.
void NearestColour::FillFine(std::size_t cell, int r, int g, int b) const {
    const std::size_t parent = CellOf(r, g, b, kCoarseBits);
    if (coarse_.spans[parent].start < 0)
        Fill(coarse_, kCoarseBits, parent, r, g, b, palette_.data(), palette_.data() + palette_.size());
    const Entry* list = coarse_.list.data();
    Fill(fine_, kFineBits, cell, r, g, b, list + coarse_.spans[parent].start,
         list + coarse_.spans[parent].end);
}

} // namespace pelorine
