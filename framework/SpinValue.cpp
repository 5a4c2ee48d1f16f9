#include "framework/SpinValue.h"

#include <cstdint>

namespace pelorine {

std::optional<int> ParseSpinText(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == L' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    if (i == text.size()) return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        value = value * 10 + (text[i] - L'0');
        if (value > int64_t(INT32_MAX) + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return int(value);
}

bool IsSpinChar(wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c < L' '; }

} // namespace pelorine
