#pragma once
// Text-to-value rules of the spin edit, free of any window so they can be tested natively.
#include <optional>
#include <string>

namespace pelorine {

struct SpinRange {
    int min = 0;
    int max = 100;
    int Clamp(int v) const { return v < min ? min : (v > max ? max : v); }
};

// A whole number as typed: optional blanks, an optional sign, decimal digits, nothing else.
// Returns nothing for empty or unreadable text (or a number beyond 32 bits).
std::optional<int> ParseSpinText(const std::wstring& text);

// Characters a spin edit accepts from the keyboard: digits, "+" and "-", and control
// characters (Backspace, clipboard shortcuts).
bool IsSpinChar(wchar_t c);

} // namespace pelorine
