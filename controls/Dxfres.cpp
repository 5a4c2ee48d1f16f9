#include "controls/Dxfres.h"

#include "controls/CheckBoxRules.h"
#include "controls/CheckboxArt.h"

namespace pelorine {

namespace {
HBITMAP LoadPicture(const wchar_t* name) {
    return HBITMAP(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}
} // namespace

TDxfResources::TDxfResources() : ImageList(ImageList_Create(13, 13, ILC_COLOR24 | ILC_MASK, 2, 0)) {
    CBBmp.SetHandle(LoadPicture(L"CHECKBOX")); // missing: the boxes show no picture
    for (const wchar_t* name : {L"TTFONT", L"DEVICEFONT"}) {
        TBitmap picture;
        picture.SetHandle(LoadPicture(name));
        if (!picture.Empty() && ImageList)
            ImageList_AddMasked(ImageList.get(), picture.Handle(), TransparentColorOf(picture.Handle()));
    }
}

int TDxfResources::FrameSize() const { return BitmapSize(CBBmp.Handle()).cy; }

int TDxfResources::Looks() const {
    const SIZE size = BitmapSize(CBBmp.Handle());
    return LookCount(size.cx, size.cy);
}

const TBitmap& TDxfResources::Strip(const Scale& scale) {
    if (scale.IsDesign() || CBBmp.Empty()) return CBBmp; // no strip at 96 DPI: none at any scale
    TBitmap& strip = scaled_[scale.Dpi()];
    if (strip.Empty()) strip.SetPixels(checkbox_art::CheckBoxStripPixels(scale.Factor()));
    return strip;
}

TDxfResources& DxfResources() {
    static TDxfResources resources;
    return resources;
}

} // namespace pelorine
