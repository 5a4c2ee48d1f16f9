#include "controls/Shadolbl.h"

namespace pelorine {

TShadowLabel::TShadowLabel(TComponent* owner, TWinControl* parent) : TLabel(owner, parent) {
    highlight_.OnChange = [this](TShadow* s) { ShadowChanged(s); };
    shadow_.OnChange = [this](TShadow* s) { ShadowChanged(s); };
}

void TShadowLabel::SetHighlight(const TShadow* value) {
    if (value) highlight_.Assign(*value);
}

void TShadowLabel::SetShadow(const TShadow* value) {
    if (value) shadow_.Assign(*value);
}

void TShadowLabel::SetTextGradationColor(TColor value) {
    if (value == textGradationColor_) return;
    textGradationColor_ = value;
    if (textGradation_ != TTextGradation::tgNone) Invalidate();
}

void TShadowLabel::SetTextMidColor(TColor value) {
    if (value == textMidColor_) return;
    textMidColor_ = value;
    if (textGradation_ == TTextGradation::tg3Colors) Invalidate();
}

// A transparent label has no background of its own to paint away from the screen.
void TShadowLabel::Paint(TCanvas& canvas) {
    if (Transparent || !Flickerless) {
        PaintBackground(canvas);
        PaintText(canvas);
        return;
    }
    BufferedPaint offScreen(canvas.Handle(), Width(), Height());
    PaintBackground(offScreen.Canvas());
    PaintText(offScreen.Canvas());
}

void TShadowLabel::PaintBackground(TCanvas& canvas) {
    if (Transparent) return;
    const Rect client{0, 0, Width(), Height()};
    if (gradation_)
        GradRect(canvas, client, gradationColor_, Color, gradateVert_);
    else
        canvas.FillRect(client, Color);
}

void TShadowLabel::PaintText(TCanvas& canvas) {
    std::wstring text = Caption();
    if (text.empty() || (ShowAccelChar && text == L"&")) text += L' '; // measures as one line
    canvas.SetFont(font_);
    constexpr UINT kEllipsis[] = {0, DT_END_ELLIPSIS, DT_PATH_ELLIPSIS};
    const UINT format = TextFormat() | kEllipsis[int(ellipsis_)];
    Rect r = TextRect(canvas, text, format);
    if (shadow_.Visible())
        canvas.OffsetText(text, r, format, enabled_ ? shadow_.Color() : clGray,
                          Point{shadow_.OffsetLeft(), shadow_.OffsetTop()});
    if (highlight_.Visible())
        canvas.OffsetText(text, r, format, enabled_ ? highlight_.Color() : clBtnHighlight,
                          Point{highlight_.OffsetLeft(), highlight_.OffsetTop()});
    // A gradient keeps its colours on a disabled label.
    const std::vector<TextRun> runs =
        TextGradientRuns(text, textGradation_, font_.color, textMidColor_, textGradationColor_);
    if (runs.empty()) canvas.DrawText(text, r, format, enabled_ ? font_.color : clBtnShadow);
    if (!runs.empty()) r.left += AlignedStart(canvas, text, r, format);
    for (const TextRun& run : runs)
        canvas.GradientText(r, run.text, run.from, run.to, format);
}

// Gradient text goes a character at a time from the left edge it is given. It starts where the
// aligned line would, so that it lies on its shadow and highlight, which are drawn aligned.
int TShadowLabel::AlignedStart(TCanvas& canvas, const std::wstring& text, const Rect& r, UINT format) const {
    const int free = r.Width() - canvas.MeasureText(text, r, format).Width();
    if (free <= 0) return 0;
    return Alignment == TAlignment::Center ? free / 2 : Alignment == TAlignment::RightJustify ? free : 0;
}

} // namespace pelorine
