#include "imaging/ColorReduction.h"
#include "imaging/Palette.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <set>
#include <tuple>
#include <utility>

namespace pelorine {
namespace {

Pixmap Noise(int w, int h, unsigned seed) {
    Pixmap p(w, h);
    std::mt19937 rng(seed);
    for (Rgb& c : p.pixels)
        c = rng() & 0xFFFFFF;
    return p;
}

// Horizontal colour ramp with a vertical component, as smooth as a capture's gradients.
Pixmap Gradient(int w, int h) {
    Pixmap p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.At(x, y) = MakeRgb(x * 255 / (w - 1), 255 - y * 255 / (h - 1), (x + y) % 256);
    return p;
}

std::size_t DistinctIndices(const IndexedImage& image) {
    return std::set<std::uint8_t>(image.indices.begin(), image.indices.end()).size();
}

// Mean error per channel of single pixels, and of the sums over 4 × 4 blocks (per pixel), of a
// reduced picture against its source; error diffusion keeps the second far below the first.
std::pair<double, double> MeanErrors(const Pixmap& src, const Pixmap& out) {
    long long pixelError = 0, blockError = 0;
    for (int by = 0; by + 4 <= src.height; by += 4) {
        for (int bx = 0; bx + 4 <= src.width; bx += 4) {
            long long blockDiff[3] = {0, 0, 0};
            for (int y = by; y < by + 4; ++y) {
                for (int x = bx; x < bx + 4; ++x) {
                    const Rgb a = src.At(x, y), b = out.At(x, y);
                    const int d[3] = {RedOf(a) - RedOf(b), GreenOf(a) - GreenOf(b), BlueOf(a) - BlueOf(b)};
                    for (int ch = 0; ch < 3; ++ch) {
                        pixelError += std::abs(d[ch]);
                        blockDiff[ch] += d[ch];
                    }
                }
            }
            for (const long long diff : blockDiff)
                blockError += std::abs(diff);
        }
    }
    const double samples = double(src.width) * src.height * 3;
    return {double(pixelError) / samples, double(blockError) / samples};
}

TEST(ReduceColours, NeverMoreColoursThanAskedAndIndicesStayInThePalette) {
    const Pixmap noise = Noise(64, 48, 7);
    for (const int bits : {1, 4, 8}) {
        const IndexedImage reduced = ReduceColours(noise, bits);
        EXPECT_EQ(reduced.bits, bits);
        EXPECT_LE(reduced.palette.size(), std::size_t(1) << bits);
        EXPECT_GE(reduced.palette.size(), std::size_t(1) << bits) << "noise should use every entry";
        for (const std::uint8_t index : reduced.indices)
            ASSERT_LT(index, reduced.palette.size());
        EXPECT_EQ(reduced.indices.size(), noise.pixels.size());
    }
}

TEST(ReduceColours, PictureWithFewColoursIsKeptExactly) {
    Pixmap p(9, 7, MakeRgb(10, 20, 30));
    for (int x = 0; x < 9; ++x)
        p.At(x, 3) = MakeRgb(250, 0, 0);
    p.At(4, 4) = MakeRgb(0, 0, 255);
    for (const int bits : {4, 8})
        EXPECT_EQ(ToFullColour(ReduceColours(p, bits)).pixels, p.pixels) << bits;

    Pixmap twoTone(5, 5, 0);
    twoTone.At(2, 2) = kWhite;
    const IndexedImage bilevel = ReduceColours(twoTone, 1);
    EXPECT_EQ(ToFullColour(bilevel).pixels, twoTone.pixels);
    EXPECT_EQ(bilevel.palette, (std::vector<Rgb>{0, kWhite}));
}

TEST(ReduceColours, ExactlyAsManyColoursAsEntriesIsStillExact) {
    Pixmap p(16, 16);
    for (int i = 0; i < 256; ++i)
        p.pixels[std::size_t(i)] = MakeRgb(i, 255 - i, i / 2);
    const IndexedImage reduced = ReduceColours(p, 8);
    EXPECT_EQ(reduced.palette.size(), 256u);
    EXPECT_EQ(ToFullColour(reduced).pixels, p.pixels);
}

// Error diffusion keeps local averages: 4 × 4 blocks of the result match the source far more
// closely than single pixels can with 16 colours.
TEST(ReduceColours, GradientErrorIsBoundedAndDiffusedLocally) {
    const Pixmap src = Gradient(128, 64);
    const Pixmap out = ToFullColour(ReduceColours(src, 4));
    const auto [meanPixelError, meanBlockError] = MeanErrors(src, out);
    EXPECT_LT(meanPixelError, 20.0);
    EXPECT_LT(meanBlockError, 7.0);
    EXPECT_LT(meanBlockError, meanPixelError / 2) << "errors are not diffused";
}

// Flat areas in long runs, as on a screen: one colour more than the palette holds turns exact
// mapping into a fitted palette, and the same picture one colour short is kept exactly.
TEST(ReduceColours, ScreenLikeRunsAreExactUpToThePaletteSizeAndBoundedAbove) {
    Pixmap p(64, 32); // 256 colours in runs of eight
    for (int i = 0; i < 64 * 32; ++i)
        p.pixels[std::size_t(i)] = MakeRgb(i / 8 % 16 * 16, i / 128 * 16, 40);
    p.pixels.back() = p.pixels.front(); // a colour seen before, after many others
    const IndexedImage exact = ReduceColours(p, 8);
    EXPECT_EQ(ToFullColour(exact).pixels, p.pixels);
    EXPECT_EQ(exact.palette.size(), 256u);

    p.pixels[100] = MakeRgb(1, 2, 3); // the 257th colour
    const IndexedImage fitted = ReduceColours(p, 8);
    EXPECT_LE(fitted.palette.size(), 256u);
    for (const std::uint8_t index : fitted.indices)
        ASSERT_LT(index, fitted.palette.size());
    EXPECT_NE(ToFullColour(fitted).pixels, p.pixels);
}

// At 256 colours a smooth picture comes out close pixel by pixel and closer still in 4 × 4
// blocks; the bounds are about one and a half times what the reduction reaches.
TEST(ReduceColours, TwoHundredFiftySixColoursFollowAGradientClosely) {
    const Pixmap src = Gradient(256, 128);
    const Pixmap out = ToFullColour(ReduceColours(src, 8));
    const auto [meanPixelError, meanBlockError] = MeanErrors(src, out);
    EXPECT_LT(meanPixelError, 8.0);
    EXPECT_LT(meanBlockError, 1.5);
}

TEST(ReduceColours, TwoColoursSplitAContrastyPicture) {
    Pixmap p(10, 10, MakeRgb(250, 250, 240));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x)
            p.At(x, y) = MakeRgb(5 + x, 10, 20);
    const IndexedImage reduced = ReduceColours(p, 1);
    ASSERT_EQ(reduced.palette.size(), 2u);
    EXPECT_NE(reduced.At(0, 0), reduced.At(0, 9));
    EXPECT_EQ(DistinctIndices(reduced), 2u);
}

TEST(ReduceColours, PaletteRunsFromDarkToLight) {
    const IndexedImage reduced = ReduceColours(Noise(32, 32, 11), 4);
    for (std::size_t i = 1; i < reduced.palette.size(); ++i)
        EXPECT_LE(GreyLevel(reduced.palette[i - 1]), GreyLevel(reduced.palette[i]));
    Pixmap twoTone(2, 1);
    twoTone.pixels = {MakeRgb(100, 250, 250), MakeRgb(200, 0, 0)}; // by value the light one comes first
    const IndexedImage bilevel = ReduceColours(twoTone, 1);
    EXPECT_EQ(bilevel.indices, (std::vector<std::uint8_t>{1, 0}));
    EXPECT_EQ(ToFullColour(bilevel).pixels, twoTone.pixels);
}

// A photograph-like picture at each depth: close pixel by pixel for its depth, and far closer
// in 4 x 4 blocks, where the diffused error evens out. Bounds about 1.5 times what it reaches.
TEST(ReduceColours, PhotographLikePictureStaysWithinItsErrorBounds) {
    const Pixmap photo = testing_support::PhotographLike(97, 61, 8);
    const std::tuple<int, double, double> bounds[] = {{1, 60.0, 50.0}, {4, 27.0, 11.0}, {8, 8.0, 2.2}};
    for (const auto& [bits, pixelBound, blockBound] : bounds) {
        const auto [pixelError, blockError] = MeanErrors(photo, ToFullColour(ReduceColours(photo, bits)));
        EXPECT_LT(pixelError, pixelBound) << bits;
        EXPECT_LT(blockError, blockBound) << bits;
    }
}

// A colour exactly halfway between two entries goes to the lower index, whichever entry is
// darker: a faster search must not move a result where two entries are equally near.
TEST(NearestColour, ATieGoesToTheLowerIndex) {
    const Rgb dark = MakeRgb(0, 40, 0), light = MakeRgb(20, 40, 0);
    EXPECT_EQ(NearestColour({dark, light}).Find(10, 40, 0), 0);
    EXPECT_EQ(NearestColour({light, dark}).Find(10, 40, 0), 0);
    EXPECT_EQ(NearestColour({MakeRgb(9, 9, 9), light, dark}).Find(10, 40, 0), 1);
}

// A picture of four megapixels or more is counted in two halves on two threads: the palette
// depends on the colours alone, so the same pixels in reverse order (each half's pixels
// counted by the other thread) give the same palette, and both halves' colours are in it.
TEST(MedianCutPalette, APictureCountedInHalvesGivesThePaletteOfAllItsPixels) {
    Pixmap p = Noise(2048, 2048, 11);
    for (std::size_t i = 0; i < p.pixels.size() / 2; ++i)
        p.pixels[i] &= 0xFF0000; // the first half red only, the second of every colour
    const std::vector<Rgb> palette = MedianCutPalette(p, 256);
    std::reverse(p.pixels.begin(), p.pixels.end());
    EXPECT_EQ(MedianCutPalette(p, 256), palette);
    const auto pureRed =
        std::count_if(palette.begin(), palette.end(), [](Rgb c) { return (c & 0xFFFF) == 0; });
    EXPECT_GT(pureRed, 0);
    EXPECT_LT(pureRed, 256);
}

// Rows are dithered on several threads, each trailing the row above; however many there are,
// down to more threads than rows and rows narrower than the stretch a row trails by, every
// index must come out as on one thread.
TEST(ReduceColours, ThreadCountDoesNotChangeTheResult) {
    const std::vector<Pixmap> pictures = {testing_support::PhotographLike(1, 57, 1),
                                          testing_support::PhotographLike(2, 40, 2),
                                          testing_support::PhotographLike(61, 1, 3),
                                          testing_support::PhotographLike(77, 2, 4),
                                          testing_support::PhotographLike(64, 23, 5),
                                          testing_support::PhotographLike(333, 45, 6),
                                          Noise(203, 31, 7)};
    for (const Pixmap& p : pictures) {
        for (const int bits : {1, 4, 8}) {
            const IndexedImage serial = ReduceColours(p, bits, 1);
            for (const int threads : {2, 3}) {
                const IndexedImage shared = ReduceColours(p, bits, threads);
                EXPECT_EQ(shared.palette, serial.palette);
                EXPECT_EQ(shared.indices, serial.indices)
                    << p.width << " x " << p.height << ", " << bits << " bits, " << threads << " threads";
            }
        }
    }
}

TEST(ToGreyscale, UsesLuminanceAndTheGreyPalette) {
    Pixmap p(3, 1);
    p.pixels = {MakeRgb(255, 0, 0), MakeRgb(0, 255, 0), MakeRgb(255, 255, 255)};
    const IndexedImage grey = ToGreyscale(p);
    EXPECT_TRUE(grey.grey);
    EXPECT_EQ(grey.bits, 8);
    ASSERT_EQ(grey.palette.size(), 256u);
    EXPECT_EQ(grey.palette[128], MakeRgb(128, 128, 128));
    EXPECT_EQ(grey.indices, (std::vector<std::uint8_t>{76, 150, 255}));
}

TEST(NearestColour, AgreesWithABruteForceSearch) {
    std::mt19937 rng(3);
    std::vector<Rgb> palette(200);
    for (Rgb& c : palette)
        c = rng() & 0xFFFFFF;
    const NearestColour nearest(palette);
    for (int i = 0; i < 2000; ++i) {
        const Rgb q = rng() & 0xFFFFFF;
        int best = 1 << 30;
        for (const Rgb c : palette) {
            const int dr = RedOf(c) - RedOf(q), dg = GreenOf(c) - GreenOf(q), db = BlueOf(c) - BlueOf(q);
            best = std::min(best, dr * dr + dg * dg + db * db);
        }
        const Rgb found = palette[std::size_t(nearest.Find(RedOf(q), GreenOf(q), BlueOf(q)))];
        const int dr = RedOf(found) - RedOf(q), dg = GreenOf(found) - GreenOf(q),
                  db = BlueOf(found) - BlueOf(q);
        ASSERT_EQ(dr * dr + dg * dg + db * db, best);
    }
}

// Palettes where the cells of the lookup hold many candidates or none nearby: one entry, two
// far apart, and clusters of near-equal entries with exact ties, which go to the lower index.
TEST(NearestColour, AgreesWithABruteForceSearchOnSparseAndCrowdedPalettes) {
    std::mt19937 rng(5);
    std::vector<std::vector<Rgb>> palettes = {{MakeRgb(9, 9, 9)}, {0, kWhite}};
    std::vector<Rgb> crowded;
    for (int i = 0; i < 64; ++i)
        crowded.push_back(MakeRgb(120 + int(rng() % 6), 60 + int(rng() % 6), 200 + int(rng() % 6)));
    crowded.push_back(crowded[3]); // the same colour twice
    palettes.push_back(crowded);
    for (const std::vector<Rgb>& palette : palettes) {
        const NearestColour nearest(palette);
        for (int i = 0; i < 3000; ++i) {
            const Rgb q = i < 256 ? MakeRgb(i, 255 - i, i) : rng() & 0xFFFFFF;
            std::size_t best = 0;
            int bestDist = 1 << 30;
            for (std::size_t k = 0; k < palette.size(); ++k) {
                const int dr = RedOf(palette[k]) - RedOf(q), dg = GreenOf(palette[k]) - GreenOf(q),
                          db = BlueOf(palette[k]) - BlueOf(q);
                if (dr * dr + dg * dg + db * db < bestDist) {
                    bestDist = dr * dr + dg * dg + db * db;
                    best = k;
                }
            }
            ASSERT_EQ(nearest.Find(RedOf(q), GreenOf(q), BlueOf(q)), int(best)) << palette.size() << " " << q;
        }
    }
}

} // namespace
} // namespace pelorine
