#include "framework/ExtCtrls.h"

namespace pelorine {

void TPanel::Paint(TCanvas& canvas) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    DrawEdge(canvas.Handle(), &rc, Lowered ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

void TImage::Paint(TCanvas& canvas) {
    if (!picture_.Empty()) canvas.Draw(0, 0, picture_.Handle());
}

} // namespace pelorine
