#include "framework/Label.h"

namespace pelorine {

namespace {
constexpr UINT kFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
}

void TLabel::Paint(TCanvas& canvas) {
    const Rect face{0, 0, Width(), Height()};
    if (!Transparent) canvas.FillRect(face, Color);
    canvas.SetFont(font_);
    canvas.DrawText(caption_, face, kFormat, enabled_ ? font_.color : clGrayText);
}

SIZE TLabel::TextSize() const {
    WindowDc screen(nullptr);
    TCanvas canvas(screen.get());
    canvas.SetFont(font_);
    return canvas.TextExtent(caption_);
}

} // namespace pelorine
