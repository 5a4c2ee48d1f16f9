#include "controls/Region.h"

namespace pelorine {

void TRgn::Paint(TCanvas& canvas) { canvas.FillRect(Rect{0, 0, Width(), Height()}, Color); }

} // namespace pelorine
