#pragma once
// The application's hint component: its look values and timing, applied to the hint windows.
#include "framework/Canvas.h"
#include "framework/Component.h"
#include "framework/Hints.h"

namespace pelorine {

enum class THintStyle { Fukidashi, RoundRect, LineString, OwnerDraw };

class TAppHint : public TComponent {
  public:
    explicit TAppHint(TComponent* owner) : TComponent(owner) {}
    THintStyle HintStyle = THintStyle::RoundRect;
    TColor BGColor = clBlack;
    TColor BrushColor = 0x00DBDB00;
    TColor PenColor = clGray;
    TFont Font;
    bool ShadowVisible = true;
    TColor ShadowColor = 0x004F4F4F;
    int HintPause = 500;
    int HintHidePause = 2500;
    int HintShortPause = 0;
    void Apply(TToolTips& tips) const;
};

} // namespace pelorine
