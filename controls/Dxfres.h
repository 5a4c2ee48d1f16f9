#pragma once
// What all image check boxes share, made once for the program and freed when it ends: the strip
// of ready-made box pictures, the one off-screen picture they paint into, and the image list of
// the two font pictures.
#include "framework/Bitmap.h"

#include <commctrl.h>

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
};

TDxfResources& DxfResources();

} // namespace pelorine
