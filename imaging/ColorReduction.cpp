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

} // namespace

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
} // namespace pelorine
