#include "framework/Label.h"

namespace pelorine {

void TLabel::Paint(TCanvas& canvas) {
    if (!Transparent) canvas.FillRect(Rect{0, 0, Width(), Height()}, Color);
    canvas.SetFont(font_);
    const UINT format = TextFormat();
    canvas.DrawText(caption_, TextRect(canvas, caption_, format), format,
                    enabled_ ? font_.color : clGrayText);
}

UINT TLabel::TextFormat() const {
    const UINT align = Alignment == TAlignment::RightJustify ? DT_RIGHT
                       : Alignment == TAlignment::Center     ? DT_CENTER
                                                             : DT_LEFT;
    return align | DT_EXPANDTABS | (WordWrap ? DT_WORDBREAK : 0) | (ShowAccelChar ? 0 : DT_NOPREFIX);
}

Rect TLabel::TextRect(TCanvas& canvas, const std::wstring& text, UINT format) const {
    Rect r{0, 0, Width(), Height()};
    const int free = Height() - canvas.MeasureText(text, r, format).Height();
    const int down = Layout == TTextLayout::Center ? free / 2 : Layout == TTextLayout::Bottom ? free : 0;
    r.top += down;
    r.bottom += down;
    return r;
}

SIZE TLabel::TextSize() const {
    WindowDc screen(nullptr);
    TCanvas canvas(screen.get());
    canvas.SetFont(font_);
    return canvas.TextExtent(caption_);
}

} // namespace pelorine
