#include "imaging/ColorReduction.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace pelorine {
namespace {

// A histogram cell: the pixels whose colours share their top five bits per channel. Cutting
// 32768 cells instead of every distinct colour keeps a full-screen capture fast; the sums keep
// the palette colours exact averages.
struct ColourCount {
    Rgb colour; // the cell's mean colour
    std::uint64_t count;
    std::array<std::uint64_t, 3> sum;
};

std::vector<ColourCount> Histogram(const Pixmap& src) {
    std::vector<ColourCount> cells(1 << 15, ColourCount{0, 0, {}});
    for (const Rgb c : src.pixels) {
        ColourCount& cell =
            cells[std::size_t((RedOf(c) >> 3) << 10 | (GreenOf(c) >> 3) << 5 | BlueOf(c) >> 3)];
        ++cell.count;
        cell.sum[0] += std::uint64_t(RedOf(c));
        cell.sum[1] += std::uint64_t(GreenOf(c));
        cell.sum[2] += std::uint64_t(BlueOf(c));
    }
    std::vector<ColourCount> histogram;
    for (ColourCount& cell : cells) {
        if (cell.count == 0) continue;
        const auto mean = [&](int ch) {
            return int((cell.sum[std::size_t(ch)] + cell.count / 2) / cell.count);
        };
        cell.colour = MakeRgb(mean(0), mean(1), mean(2));
        histogram.push_back(cell);
    }
    return histogram;
}

// The picture's colours, sorted, when there are no more than maxColours; else empty.
std::vector<Rgb> FewColours(const Pixmap& src, int maxColours) {
    std::vector<Rgb> colours;
    for (const Rgb c : src.pixels) {
        const auto at = std::lower_bound(colours.begin(), colours.end(), c);
        if (at != colours.end() && *at == c) continue;
        if (colours.size() == std::size_t(maxColours)) return {};
        colours.insert(at, c);
    }
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

Box MeasureBox(const std::vector<ColourCount>& h, std::size_t begin, std::size_t end) {
    Box box{begin, end};
    std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
    for (std::size_t i = begin; i < end; ++i) {
        box.count += h[i].count;
        for (int ch = 0; ch < 3; ++ch) {
            lo[ch] = std::min(lo[ch], Channel(h[i].colour, ch));
            hi[ch] = std::max(hi[ch], Channel(h[i].colour, ch));
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
std::pair<Box, Box> SplitBox(std::vector<ColourCount>& h, const Box& box) {
    const auto first = h.begin() + std::ptrdiff_t(box.begin), last = h.begin() + std::ptrdiff_t(box.end);
    std::sort(first, last, [&](const ColourCount& a, const ColourCount& b) {
        return Channel(a.colour, box.channel) < Channel(b.colour, box.channel);
    });
    std::uint64_t sum = 0;
    std::size_t cut = box.begin + 1;
    for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
        sum += h[i].count;
        cut = i + 1;
        if (sum * 2 >= box.count) break;
    }
    return {MeasureBox(h, box.begin, cut), MeasureBox(h, cut, box.end)};
}

Rgb MeanColour(const std::vector<ColourCount>& h, const Box& box) {
    std::array<std::uint64_t, 3> sum{};
    for (std::size_t i = box.begin; i < box.end; ++i)
        for (std::size_t ch = 0; ch < 3; ++ch)
            sum[ch] += h[i].sum[ch];
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

int DivRound16(int value) { return (value >= 0 ? value + 8 : value - 8) / 16; }

IndexedImage MapExactly(const Pixmap& src, const std::vector<Rgb>& palette, int bits) {
    IndexedImage out{src.width, src.height, bits, false, palette, {}};
    out.indices.reserve(src.pixels.size());
    for (const Rgb c : src.pixels)
        out.indices.push_back(
            std::uint8_t(std::lower_bound(palette.begin(), palette.end(), c) - palette.begin()));
    return out;
}

// Floyd–Steinberg: each pixel's error goes 7/16 right, 3/16 below left, 5/16 below, 1/16
// below right. Errors are kept in sixteenths so the spreading stays integer and exact.
IndexedImage Dither(const Pixmap& src, const std::vector<Rgb>& palette, int bits) {
    IndexedImage out{src.width, src.height, bits, false, palette, {}};
    out.indices.resize(src.pixels.size());
    const NearestColour nearest(palette);
    const std::size_t w = std::size_t(src.width);
    std::vector<std::array<int, 3>> here(w + 2), below(w + 2);
    for (int y = 0; y < src.height; ++y) {
        std::swap(here, below);
        std::fill(below.begin(), below.end(), std::array<int, 3>{});
        for (std::size_t x = 0; x < w; ++x) {
            const Rgb c = src.pixels[std::size_t(y) * w + x];
            std::array<int, 3> want{};
            for (int ch = 0; ch < 3; ++ch)
                want[ch] = std::clamp(Channel(c, ch) + DivRound16(here[x + 1][ch]), 0, 255);
            const int index = nearest.Find(want[0], want[1], want[2]);
            out.indices[std::size_t(y) * w + x] = std::uint8_t(index);
            for (int ch = 0; ch < 3; ++ch) {
                const int err = want[ch] - Channel(palette[std::size_t(index)], ch);
                here[x + 2][ch] += err * 7;
                below[x][ch] += err * 3;
                below[x + 1][ch] += err * 5;
                below[x + 2][ch] += err;
            }
        }
    }
    return out;
}

// Darkest entry first: readers that show a two-colour file as black and white (as PCX readers
// do) then keep its dark and light parts apart.
IndexedImage OrderedByLightness(IndexedImage image) {
    std::vector<std::size_t> order(image.palette.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return GreyLevel(image.palette[a]) < GreyLevel(image.palette[b]);
    });
    std::vector<std::uint8_t> newIndex(order.size());
    std::vector<Rgb> palette(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        newIndex[order[i]] = std::uint8_t(i);
        palette[i] = image.palette[order[i]];
    }
    for (std::uint8_t& index : image.indices)
        index = newIndex[index];
    image.palette = std::move(palette);
    return image;
}

} // namespace

bool IsDepthCode(int code) {
    return code == kDepthTwoColours || code == kDepthSixteenColours || code == kDepth256Colours ||
           code == kDepthGrey || code == kDepthFullColour;
}

std::vector<Rgb> MedianCutPalette(const Pixmap& src, int maxColours) {
    std::vector<Rgb> palette = FewColours(src, maxColours);
    if (!palette.empty() || src.pixels.empty()) return palette;
    std::vector<ColourCount> h = Histogram(src);
    std::vector<Box> boxes{MeasureBox(h, 0, h.size())};
    while (boxes.size() < std::size_t(maxColours)) {
        const auto worst = WorstBox(boxes);
        if (worst == boxes.end()) break;
        const auto [a, b] = SplitBox(h, *worst);
        *worst = a;
        boxes.push_back(b);
    }
    for (const Box& box : boxes)
        palette.push_back(MeanColour(h, box));
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    return palette;
}

IndexedImage ReduceColours(const Pixmap& src, int bits) {
    const int maxColours = 1 << bits;
    const std::vector<Rgb> palette = MedianCutPalette(src, maxColours);
    // Few enough colours: the palette is the picture's own, so no pixel needs to change.
    const bool exact = std::all_of(src.pixels.begin(), src.pixels.end(), [&](Rgb c) {
        return std::binary_search(palette.begin(), palette.end(), c);
    });
    return OrderedByLightness(exact ? MapExactly(src, palette, bits) : Dither(src, palette, bits));
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
        byGreen_.push_back({RedOf(palette[i]), GreenOf(palette[i]), BlueOf(palette[i]), int(i)});
    std::sort(byGreen_.begin(), byGreen_.end(), [](const Entry& a, const Entry& b) { return a.g < b.g; });
}

int NearestColour::Find(int r, int g, int b) const {
    const auto start = std::lower_bound(byGreen_.begin(), byGreen_.end(), g,
                                        [](const Entry& e, int green) { return e.g < green; });
    int best = -1, bestDist = 1 << 30;
    const auto consider = [&](const Entry& e) {
        const int dg = e.g - g;
        if (dg * dg >= bestDist) return false; // every further entry is farther in green alone
        const int d = (e.r - r) * (e.r - r) + dg * dg + (e.b - b) * (e.b - b);
        if (d < bestDist || (d == bestDist && e.index < best)) {
            bestDist = d;
            best = e.index;
        }
        return true;
    };
    for (auto it = start; it != byGreen_.end() && consider(*it); ++it) {
    }
    for (auto it = start; it != byGreen_.begin() && consider(*(it - 1)); --it) {
    }
    return best < 0 ? 0 : best;
}

} // namespace pelorine
