#include "controls/Newhint.h"

#include <commctrl.h>

namespace pelorine {

void TAppHint::Apply(TToolTips& tips) const {
    tips.SetDelays(HintPause, HintHidePause, HintShortPause);
    SendMessageW(tips.Handle(), TTM_SETTIPBKCOLOR, ColorToRGB(BrushColor), 0);
    SendMessageW(tips.Handle(), TTM_SETTIPTEXTCOLOR, ColorToRGB(Font.color), 0);
}

} // namespace pelorine
