#include "framework/IniValues.h"

#include <optional>
#include <string_view>

namespace pelorine {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsQuote(wchar_t c) { return c == L'"' || c == L'\''; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

int HexDigitValue(wchar_t c) {
    if (IsDigit(c)) return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

std::size_t HexPrefixLength(std::wstring_view s) {
    if (s.starts_with(L"0x") || s.starts_with(L"0X")) return 2;
    if (s.starts_with(L'$') || s.starts_with(L'x') || s.starts_with(L'X')) return 1;
    return 0;
}

std::optional<int32_t> ParseHexDigits(std::wstring_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    uint32_t value = 0;
    for (const wchar_t c : digits) {
        const int d = HexDigitValue(c);
        if (d < 0) return std::nullopt;
        value = (value << 4) | static_cast<uint32_t>(d);
    }
    return static_cast<int32_t>(value);
}

std::optional<int32_t> ParseDecimal(std::wstring_view s) {
    bool negative = false;
    if (s.starts_with(L'+') || s.starts_with(L'-')) {
        negative = s.front() == L'-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    constexpr int64_t kLimit = int64_t{1} << 31; // magnitude of the lowest 32-bit value
    int64_t magnitude = 0;
    for (const wchar_t c : s) {
        if (!IsDigit(c)) return std::nullopt;
        magnitude = magnitude * 10 + (c - L'0');
        if (magnitude > kLimit) return std::nullopt;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value >= kLimit) return std::nullopt;
    return static_cast<int32_t>(value);
}

} // namespace

int32_t ParseIniInteger(const std::wstring& text, int32_t fallback) {
    std::wstring_view s = text;
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    const std::size_t prefix = HexPrefixLength(s);
    const auto value = prefix > 0 ? ParseHexDigits(s.substr(prefix)) : ParseDecimal(s);
    return value.value_or(fallback);
}

bool ParseIniBool(const std::wstring& text, bool fallback) {
    return ParseIniInteger(text, fallback ? 1 : 0) != 0;
}

std::wstring IntegerValueText(int32_t value) { return std::to_wstring(value); }

std::wstring BoolValueText(bool value) { return value ? L"1" : L"0"; }

std::wstring QuoteIniValue(const std::wstring& value) {
    if (value.empty()) return value;
    const bool blankEdge = IsBlank(value.front()) || IsBlank(value.back());
    const bool enclosed = value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
    return blankEdge || enclosed ? L"\"" + value + L"\"" : value;
}

std::size_t ShiftJisWidth(wchar_t c) {
    const bool halfWidthKatakana = c >= 0xFF61 && c <= 0xFF9F;
    return c < 0x80 || halfWidthKatakana ? 1 : 2;
}

namespace {
// UTF-16 units of the character that starts at `at`.
std::size_t CharacterUnits(const std::wstring& text, std::size_t at) {
    return IsHighSurrogate(text[at]) && at + 1 < text.size() && IsLowSurrogate(text[at + 1]) ? 2 : 1;
}
} // namespace

std::vector<std::wstring> ShiftJisCharacters(const std::wstring& text) {
    std::vector<std::wstring> characters;
    for (std::size_t at = 0; at < text.size(); at += characters.back().size())
        characters.push_back(text.substr(at, CharacterUnits(text, at)));
    return characters;
}

std::size_t ShiftJisLength(const std::wstring& text) {
    std::size_t bytes = 0;
    for (const wchar_t c : text)
        bytes += ShiftJisWidth(c);
    return bytes;
}

std::wstring CutToShiftJisBytes(const std::wstring& text, std::size_t maxBytes) {
    std::size_t used = 0;
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t units = CharacterUnits(text, end);
        const std::size_t width = ShiftJisLength(text.substr(end, units));
        if (used + width > maxBytes) break;
        used += width;
        end += units;
    }
    return text.substr(0, end);
}

} // namespace pelorine
