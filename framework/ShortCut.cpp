#include "framework/ShortCut.h"

namespace pelorine {

unsigned ShortCutToHotKeyModifiers(TShortCut s) {
    return ((s & scAlt) ? 1u : 0u) | ((s & scCtrl) ? 2u : 0u) | ((s & scShift) ? 4u : 0u);
}

unsigned ShortCutToShiftState(TShortCut s) {
    return ((s & scShift) ? ssShift : 0u) | ((s & scCtrl) ? ssCtrl : 0u) | ((s & scAlt) ? ssAlt : 0u);
}

std::wstring ShortCutToText(TShortCut s) {
    std::wstring text;
    if (s & scCtrl) text += L"Ctrl+";
    if (s & scShift) text += L"Shift+";
    if (s & scAlt) text += L"Alt+";
    const unsigned key = ShortCutKey(s);
    if (key >= 0x70 && key <= 0x87) return text + L"F" + std::to_wstring(key - 0x6F);
    if ((key >= L'0' && key <= L'9') || (key >= L'A' && key <= L'Z')) return text + wchar_t(key);
    return key ? text + L"#" + std::to_wstring(key) : std::wstring();
}

} // namespace pelorine
