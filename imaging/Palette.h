#pragma once
// Choosing a picture's palette: its own colours when they are few, else a median cut of its
// histogram; and the search for the nearest palette entry that the dithering asks per pixel.
#include "base/Pixmap.h"

#include <cstddef>
#include <vector>

namespace pelorine {

// The picture's colours, sorted, when there are no more than maxColours; else empty.
std::vector<Rgb> FewColours(const Pixmap& src, int maxColours);
// The median cut proper, for a picture with more colours than maxColours: at most maxColours
// representative colours, sorted.
std::vector<Rgb> CutPalette(const Pixmap& src, int maxColours);

// Up to maxColours representative colours of the picture (exactly its colours when it has
// no more than that), sorted.
std::vector<Rgb> MedianCutPalette(const Pixmap& src, int maxColours);

// Exact nearest palette entry by squared RGB distance, ties to the lowest index. The colour
// cube is cut into cells; the first question about a cell lists the entries that can be
// nearest to any colour in it, so later questions weigh only those few (mostly one or two).
// A fine cell takes its list from the coarse cell around it, which takes its own from the
// whole palette. Cells are filled in as they are asked for, which makes one object unfit to
// share between threads.
class NearestColour {
  public:
    struct Entry {
        int minDist; // within a cell's list: to the nearest point of the cell
        int r, g, b, index;
    };

    explicit NearestColour(const std::vector<Rgb>& palette);
    int Find(int r, int g, int b) const { return Nearest(r, g, b).index; }
    // The entry with its colour, which spares the caller a look into the palette. Here, so
    // that it inlines into the loop over the pixels.
    const Entry& Nearest(int r, int g, int b) const {
        const std::size_t cell = CellOf(r, g, b, kFineBits);
        if (fine_.spans[cell].start < 0) FillFine(cell, r, g, b);
        const Entry* c = fine_.list.data() + fine_.spans[cell].start;
        const Entry* end = fine_.list.data() + fine_.spans[cell].end;
        const Entry* best = c;
        if (end - c == 1) return *best; // the usual case: one entry owns the whole cell
        int bestDist = 1 << 30;
        // Sorted by their least possible distance: once that exceeds the best, none is nearer.
        for (; c != end && c->minDist <= bestDist; ++c) {
            const int d = (c->r - r) * (c->r - r) + (c->g - g) * (c->g - g) + (c->b - b) * (c->b - b);
            if (d < bestDist || (d == bestDist && c->index < best->index)) {
                bestDist = d;
                best = c;
            }
        }
        return *best;
    }

  private:
    // Cells of 32 and of 16 values a side. Cells of 8 halved the entries weighed per pixel of a
    // noisy photograph, but every dithering thread fills its own cells, and with two threads
    // under Wine a 1280 x 1024 reduction took a tenth longer with them.
    static constexpr int kCoarseBits = 3, kFineBits = 4;
    struct Span {
        int start = -1, end = -1; // -1 until the cell is first asked for
    };
    struct Level {
        std::vector<Span> spans; // a cell's entries in the list
        std::vector<Entry> list;
    };
    static std::size_t CellOf(int r, int g, int b, int bits) {
        const int shift = 8 - bits;
        return std::size_t(r >> shift) << (2 * bits) | std::size_t(g >> shift) << bits |
               std::size_t(b >> shift);
    }
    static void Fill(Level& level, int bits, std::size_t cell, int r, int g, int b, const Entry* from,
                     const Entry* to);
    void FillFine(std::size_t cell, int r, int g, int b) const;

    std::vector<Entry> palette_;
    mutable Level coarse_, fine_;
};

} // namespace pelorine
