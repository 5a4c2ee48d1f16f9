#pragma once
// Colour depth changes: an optimal palette per picture (median cut) with Floyd–Steinberg
// error diffusion, greyscale, and back to full colour.
#include "imaging/Pixmap.h"

#include <cstddef>
#include <vector>

namespace pelorine {

// The colour depth codes of the image edit layer.
enum DepthCode : int {
    kDepthTwoColours = 1,
    kDepthSixteenColours = 4,
    kDepth256Colours = 8,
    kDepthGrey = 9,
    kDepthFullColour = 12,
};

bool IsDepthCode(int code);

// Reduces to at most 1 << bits colours (bits 1, 4 or 8). A picture that already has no more
// colours than that is mapped exactly, without dithering.
IndexedImage ReduceColours(const Pixmap& src, int bits);

// 8-bit greyscale by luminance (ITU-R BT.601 weights).
IndexedImage ToGreyscale(const Pixmap& src);
int GreyLevel(Rgb c);

Pixmap ToFullColour(const IndexedImage& src);

// Up to maxColours representative colours of the picture (exactly its colours when it has
// no more than that), sorted.
std::vector<Rgb> MedianCutPalette(const Pixmap& src, int maxColours);

// Exact nearest palette entry by squared RGB distance, ties to the lowest index. The colour
// cube is cut into cells; the first question about a cell lists the entries that can be
// nearest to any colour in it, so later questions weigh only those few. Cells are filled in
// as they are asked for, which makes one object unfit to share between threads.
class NearestColour {
  public:
    explicit NearestColour(const std::vector<Rgb>& palette);
    // Here, so that it inlines into the loop over the pixels.
    int Find(int r, int g, int b) const {
        if (palette_.empty()) return 0;
        constexpr int kShift = 8 - kCellBits;
        const std::size_t cell = std::size_t(r >> kShift) << (2 * kCellBits) |
                                 std::size_t(g >> kShift) << kCellBits | std::size_t(b >> kShift);
        if (cellStart_[cell] < 0) FillCell(cell);
        int best = 0, bestDist = 1 << 30;
        const Candidate* end = candidates_.data() + cellEnd_[cell];
        // Sorted by their least possible distance: once that exceeds the best, none is nearer.
        for (const Candidate* c = candidates_.data() + cellStart_[cell]; c != end && c->minDist <= bestDist;
             ++c) {
            const int d = (c->r - r) * (c->r - r) + (c->g - g) * (c->g - g) + (c->b - b) * (c->b - b);
            if (d < bestDist || (d == bestDist && c->index < best)) {
                bestDist = d;
                best = c->index;
            }
        }
        return best;
    }

  private:
    static constexpr int kCellBits = 4; // 16 values a side: few cells to fill, few entries each
    struct Candidate {
        int minDist; // to the nearest point of the cell: no colour in it is closer
        int r, g, b, index;
    };
    void FillCell(std::size_t cell) const;

    std::vector<Rgb> palette_;
    mutable std::vector<Candidate> scratch_;
    mutable std::vector<int> cellStart_; // -1 until the cell is first asked for
    mutable std::vector<int> cellEnd_;
    mutable std::vector<Candidate> candidates_;
};

} // namespace pelorine
