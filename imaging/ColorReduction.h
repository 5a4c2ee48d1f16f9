#pragma once
// Colour depth changes: an optimal palette per picture (median cut) with Floyd–Steinberg
// error diffusion, greyscale, and back to full colour.
#include "imaging/Pixmap.h"

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

// Exact nearest palette entry by squared RGB distance; entries are searched outward from the
// nearest green value, which keeps 256-entry lookups cheap.
class NearestColour {
  public:
    explicit NearestColour(const std::vector<Rgb>& palette);
    int Find(int r, int g, int b) const;

  private:
    struct Entry {
        int r, g, b, index;
    };
    std::vector<Entry> byGreen_;
};

} // namespace pelorine
