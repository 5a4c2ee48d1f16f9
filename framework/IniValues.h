#pragma once
// How values are written in an INI file and read back from it: integers, booleans, quoted texts and
// the Shift-JIS length limit; and how code page 932 counts the characters and bytes of a text.
// Portable: no platform headers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pelorine {

// The longest value read from an INI file, in Shift-JIS bytes: the settings file was written in
// code page 932 for years and readers stopped at a 2048-byte buffer.
inline constexpr std::size_t kMaxIniValueBytes = 2047;

// An integer as stored in the file. Leading blanks (space, tab) are skipped; then either a
// decimal number with an optional "+" or "-" that fits 32 bits, or one to eight hexadecimal
// digits after "$", "x", "X", "0x" or "0X" (no sign; a 32-bit pattern, "$FFFFFFFF" is -1).
// The number must fill the rest of the text, so trailing blanks make it unreadable (the INI
// reader strips them from file values before they get here). Anything else gives fallback.
int32_t ParseIniInteger(const std::wstring& text, int32_t fallback);

// A boolean as stored in the file: an integer, non-zero meaning true; unreadable gives fallback.
bool ParseIniBool(const std::wstring& text, bool fallback);

// Values as they are written to the file: decimal integers (a "-" for negative
// values), "1" or "0" for booleans.
std::wstring IntegerValueText(int32_t value);
std::wstring BoolValueText(bool value);

// A text value as it must be written for the INI reader to give it back unchanged: the reader
// drops blanks around a value and one pair of enclosing quotes (" or '), so such a value is
// wrapped in double quotes.
std::wstring QuoteIniValue(const std::wstring& value);

// The width a UTF-16 unit had in code page 932: one byte for ASCII and half-width katakana,
// two for everything else (each half of a surrogate pair too).
std::size_t ShiftJisWidth(wchar_t c);

// The characters of a text as code page 932 counts them: one per UTF-16 unit, a surrogate pair
// being one character.
std::vector<std::wstring> ShiftJisCharacters(const std::wstring& text);

// The length of a text in Shift-JIS bytes.
std::size_t ShiftJisLength(const std::wstring& text);

// The longest leading part of text whose Shift-JIS width is at most maxBytes, never ending
// inside a surrogate pair.
std::wstring CutToShiftJisBytes(const std::wstring& text, std::size_t maxBytes = kMaxIniValueBytes);

} // namespace pelorine
