#pragma once
// The application's hint component and its hint window. Placed once, the component makes every
// hint of the program a window of class THintEx, shaped and painted by HintStyle: a speech
// balloon, a rounded rectangle, floating text on a leader line, or the owner's drawing. It also
// fronts the application's hint timing.
#include "controls/HintShape.h"
#include "framework/Component.h"
#include "framework/Controls.h"
#include "framework/HintTracker.h"

#include <functional>
#include <string>

namespace pelorine {

enum class TBrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };

struct TBrush {
    TColor color = clWhite;
    TBrushStyle style = TBrushStyle::Solid;
};

struct TPen {
    TColor color = clBlack;
    int width = 1;
};

using THintPaintEvent = std::function<void(const std::wstring& hint, TCanvas& canvas, int width, int height)>;

class TAppHint : public TComponent {
  public:
    explicit TAppHint(TComponent* owner);
    ~TAppHint() override;
    // The component the hint windows take their look from: the one made last that still lives.
    static TAppHint* Current();
    // Takes effect once the owner has set it up: the hint window and the application's events.
    void Loaded();

    TColor BGColor = clBlack;
    TBrush Brush{TColor{0x00800000}, TBrushStyle::Solid};
    TPen Pen;
    TColor ShadowColor = clBlue;
    bool ShadowVisible = true;
    TNotifyEvent OnHint;
    THintPaintEvent OnPaint;
    TShowHintEvent OnShowHint;

    const TFont& Font() const { return font_; }
    // A new font shows from the next hint on.
    void SetFont(const TFont& font);
    THintStyle HintStyle() const { return style_; }
    // A new style shows from the next hint on.
    void SetHintStyle(THintStyle style);
    // The scale the hints' shapes, margins and lift are drawn at (the font is set with its own
    // height); a new one shows from the next hint on.
    const Scale& CurrentScale() const { return scale_; }
    void SetScale(Scale scale);
    // The application's own timing, in milliseconds.
    int HintPause() const;
    void SetHintPause(int ms);
    int HintHidePause() const;
    void SetHintHidePause(int ms);
    int HintShortPause() const;
    void SetHintShortPause(int ms);

  private:
    void Restyle();
    void DoHint();
    void ShowHint(std::wstring& hint, bool& canShow, THintInfo& info);
    TFont font_;
    THintStyle style_ = THintStyle::Fukidashi;
    Scale scale_;
};

class THintEx : public THintWindow {
  public:
    THintEx();
    void ActivateHint(Rect r, const std::wstring& text) override;

  protected:
    DWORD Style() const override { return WS_POPUP | WS_DISABLED; } // no border: the shape is drawn
    void Paint(TCanvas& canvas) override;
    void EraseBackground(TCanvas& canvas) override;

  private:
    void FillBackground(TCanvas& canvas, const TAppHint& hint) const;
    void DrawOutline(TCanvas& canvas, const TPen& pen) const;
    HintLayout layout_;
};

} // namespace pelorine
