#pragma once
// The shadow label: a label whose caption has a drop shadow and a highlight (two offset copies of
// the text in their own colours), an optional colour gradient across its characters and an
// optional gradient background. The gradient routines GradBitmap, GradRect and GetRGB are the
// canvas's (framework/Gradient.h, framework/Canvas.h), shared with the other painted controls.
#include "controls/ShadowLabelRules.h"
#include "framework/Label.h"

namespace pelorine {

class TShadowLabel : public TLabel {
  public:
    TShadowLabel(TComponent* owner, TWinControl* parent);
    void Paint(TCanvas& canvas) override;

    TEllipsis Ellipsis() const { return ellipsis_; }
    void SetEllipsis(TEllipsis value) { Change(ellipsis_, value); }
    // Paint a background (not transparent) off-screen and copy it in one piece.
    bool Flickerless = true;
    bool GradateVert() const { return gradateVert_; }
    void SetGradateVert(bool value) { Change(gradateVert_, value); }
    // The background runs from GradationColor (top or left) to Color instead of plain Color.
    bool Gradation() const { return gradation_; }
    void SetGradation(bool value) { Change(gradation_, value); }
    TColor GradationColor() const { return gradationColor_; }
    void SetGradationColor(TColor value) { Change(gradationColor_, value); }
    TShadow& Highlight() { return highlight_; }
    TShadow& Shadow() { return shadow_; }
    // Take the values of another; null leaves them as they are.
    void SetHighlight(const TShadow* value);
    void SetShadow(const TShadow* value);
    // The text gradient runs from Font().color to TextGradationColor, through TextMidColor for
    // three colours.
    TTextGradation TextGradation() const { return textGradation_; }
    void SetTextGradation(TTextGradation value) { Change(textGradation_, value); }
    TColor TextGradationColor() const { return textGradationColor_; }
    void SetTextGradationColor(TColor value);
    TColor TextMidColor() const { return textMidColor_; }
    void SetTextMidColor(TColor value);

  private:
    template <typename T> void Change(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }
    void PaintBackground(TCanvas& canvas);
    void PaintText(TCanvas& canvas);
    int AlignedStart(TCanvas& canvas, const std::wstring& text, const Rect& r, UINT format) const;
    void ShadowChanged(TShadow*) { Invalidate(); }

    TEllipsis ellipsis_ = TEllipsis::elNone;
    bool gradateVert_ = false;
    bool gradation_ = false;
    TColor gradationColor_ = clBlue;
    TShadow highlight_{true, clWhite, -1, -1};
    TShadow shadow_{true, TColor{0xC0C0C0}, 1, 1};
    TTextGradation textGradation_ = TTextGradation::tgNone;
    TColor textGradationColor_{0x000080};
    TColor textMidColor_{0x800000};
};

} // namespace pelorine
