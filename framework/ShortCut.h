#pragma once
// The 16-bit shortcut word of a key combination: the low bits hold the virtual-key code,
// 0x2000 adds Shift, 0x4000 Ctrl, 0x8000 Alt.
#include <cstdint>
#include <string>

namespace pelorine {

using TShortCut = uint16_t;

enum ShiftState : unsigned { ssShift = 1, ssCtrl = 2, ssAlt = 4 };

constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

// Virtual-key code in bits 0 to 12.
constexpr unsigned ShortCutKey(TShortCut s) { return s & 0x1FFFu; }
// Modifier flags as RegisterHotKey takes them: MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4.
unsigned ShortCutToHotKeyModifiers(TShortCut s);
// The Shift/Ctrl/Alt set passed to key handlers.
unsigned ShortCutToShiftState(TShortCut s);
// The text shown at the right of a menu item, e.g. "F7" or "Ctrl+Shift+A".
std::wstring ShortCutToText(TShortCut s);

} // namespace pelorine
