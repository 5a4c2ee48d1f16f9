#include "imaging/Palette.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>
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

void AddToHistogram(const Rgb* p, std::size_t n, std::vector<CellSums>& cells) {
    const auto add = [&](Rgb c, std::uint64_t count) {
        CellSums& cell = cells[CellOf(c)];
        cell.count += count;
        cell.sum[0] += count * std::uint64_t(RedOf(c));
        cell.sum[1] += count * std::uint64_t(GreenOf(c));
        cell.sum[2] += count * std::uint64_t(BlueOf(c));
    };
    // A run of one colour (the flat areas of a screen) is counted in one step.
    for (std::size_t i = 0, j = 0; i < n; i = j) {
        for (j = i + 1; j < n && p[j] == p[i];)
            ++j;
        add(p[i], j - i);
    }
}

// A large picture is counted in two halves at once: the histogram is all a reduction does
// before the palette is known, so it is the part that no other thread shares otherwise. Below
// four megapixels the second thread and its histogram cost more than they save (under Wine a
// 1280 x 1024 reduction took 46 ms with them, 39 without).
std::vector<CellSums> Histogram(const Pixmap& src) {
    constexpr std::size_t kCells = 1 << 15;
    std::vector<CellSums> cells(kCells), second;
    const Rgb* p = src.pixels.data();
    const std::size_t n = src.pixels.size(), half = n / 2;
    std::thread helper;
    if (n >= (std::size_t(1) << 22) && std::thread::hardware_concurrency() >= 2) {
        try {
            second.resize(kCells);
            helper = std::thread([&] { AddToHistogram(p + half, n - half, second); });
        } catch (const std::system_error&) { // no thread to be had: this one counts it all
        }
    }
    AddToHistogram(p, helper.joinable() ? half : n, cells);
    if (!helper.joinable()) return cells;
    helper.join();
    for (std::size_t i = 0; i < kCells; ++i) {
        cells[i].count += second[i].count;
        for (std::size_t ch = 0; ch < 3; ++ch)
            cells[i].sum[ch] += second[i].sum[ch];
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

} // namespace

// The colours are gathered in a small hash table, never more than a quarter full, which stays in the
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

std::vector<Rgb> MedianCutPalette(const Pixmap& src, int maxColours) {
    std::vector<Rgb> palette = FewColours(src, maxColours);
    if (!palette.empty() || src.pixels.empty()) return palette;
    return CutPalette(src, maxColours);
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
