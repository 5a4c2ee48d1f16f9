#include "controls/Colorbutton.h"

namespace pelorine {

TdxfColorButton::TdxfColorButton(TComponent* owner, TWinControl* parent) : TButtonControl(owner, parent) {
    cursor_ = TCursor::HandPoint;
}

void TdxfColorButton::Paint(TCanvas& canvas) {
    const Rect face{0, 0, Width(), Height()};
    canvas.FillRect(face, clBlack);
    canvas.Ellipse(face, pressed_ ? clGray : Color, clWhite);
    canvas.SetFont(font_);
    const Rect text = pressed_ ? Rect{1, 1, face.right + 1, face.bottom + 1} : face;
    canvas.DrawText(caption_, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, font_.color);
}

} // namespace pelorine
