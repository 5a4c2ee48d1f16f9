#include "controls/Shadolbl.h"

namespace pelorine {

void TShadowLabel::Paint(TCanvas& canvas) {
    canvas.SetFont(font_);
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP;
    const Rect area{0, 0, Width(), Height()};
    canvas.DrawText(caption_, Rect{1, 1, area.right + 1, area.bottom + 1}, format, ShadowColor);
    canvas.DrawText(caption_, area, format, Enabled() ? font_.color : clGray);
}

} // namespace pelorine
