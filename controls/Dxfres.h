#pragma once
// What all image check boxes share, made once for the program and freed when it ends: the strip
// of ready-made box pictures, the one off-screen picture they paint into, and the image list of
// the two font pictures.
#include "framework/Bitmap.h"
#include "framework/Scale.h"

#include <commctrl.h>
#include <map>

namespace pelorine {

struct ImageListKind : NullHandle<HIMAGELIST> {
    static void Free(HIMAGELIST h) { ImageList_Destroy(h); }
};
using UniqueImageList = UniqueHandle<ImageListKind>;

struct TDxfResources {
    TDxfResources();
    // The "CHECKBOX" resource: square frames as tall as the strip, four per look (unchecked,
    // checked, and both disabled). Empty when the resource is missing.
    TBitmap CBBmp;
    GrowingBuffer DrawBmp;
    // "TTFONT" and "DEVICEFONT", 13 x 13, for lists of fonts.
    UniqueImageList ImageList;

    int FrameSize() const;
    int Looks() const;
    // The strip for a window of that scale: CBBmp at 96 DPI, else one drawn at the scale (once
    // for each scale), so a box is never a stretched picture.
    const TBitmap& Strip(const Scale& scale);
    int FrameSize(const Scale& scale) { return BitmapSize(Strip(scale).Handle()).cy; }

  private:
    std::map<int, TBitmap> scaled_; // by DPI
};

TDxfResources& DxfResources();

} // namespace pelorine
