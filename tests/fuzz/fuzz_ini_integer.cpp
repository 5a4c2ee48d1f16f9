// Feeds ParseIniInteger and the Shift-JIS cut with arbitrary text and holds them against
// reference versions written the other way round: the integer by string comparison instead
// of arithmetic, the cut by measuring every prefix.
#include "framework/IniValues.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using pelorine::ParseIniInteger;

constexpr int32_t kFallback = -77;

bool IsDecimalDigits(const std::wstring& s) {
    if (s.empty()) return false;
    for (const wchar_t c : s)
        if (c < L'0' || c > L'9') return false;
    return true;
}

// Decimal: compare the digits, without leading zeros, with the largest magnitudes as text.
int32_t ReferenceDecimal(std::wstring s) {
    bool negative = false;
    if (!s.empty() && (s[0] == L'+' || s[0] == L'-')) {
        negative = s[0] == L'-';
        s.erase(0, 1);
    }
    if (!IsDecimalDigits(s)) return kFallback;
    s.erase(0, std::min(s.find_first_not_of(L'0'), s.size() - 1));
    const std::wstring limit = negative ? L"2147483648" : L"2147483647";
    if (s.size() > limit.size() || (s.size() == limit.size() && s > limit)) return kFallback;
    const long long magnitude = std::stoll(s);
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

int32_t ReferenceHex(const std::wstring& digits) {
    if (digits.empty() || digits.size() > 8) return kFallback;
    static const std::wstring kHex = L"0123456789abcdef0123456789ABCDEF";
    uint32_t value = 0;
    for (const wchar_t c : digits) {
        const auto at = kHex.find(c);
        if (at == std::wstring::npos) return kFallback;
        value = value * 16 + static_cast<uint32_t>(at % 16);
    }
    return static_cast<int32_t>(value);
}

int32_t ReferenceParse(const std::wstring& text) {
    const auto start = text.find_first_not_of(L" \t");
    const std::wstring s = start == std::wstring::npos ? L"" : text.substr(start);
    for (const std::wstring prefix : {L"0x", L"0X", L"$", L"x", L"X"})
        if (s.compare(0, prefix.size(), prefix) == 0) return ReferenceHex(s.substr(prefix.size()));
    return ReferenceDecimal(s);
}

bool SplitsPair(const std::wstring& text, std::size_t at) {
    return at > 0 && at < text.size() && text[at - 1] >= 0xD800 && text[at - 1] <= 0xDBFF &&
           text[at] >= 0xDC00 && text[at] <= 0xDFFF;
}

// The longest prefix within maxBytes that does not end inside a surrogate pair.
std::wstring ReferenceCut(const std::wstring& text, std::size_t maxBytes) {
    std::size_t best = 0;
    std::size_t width = 0;
    for (std::size_t n = 1; n <= text.size(); ++n) {
        width += pelorine::ShiftJisWidth(text[n - 1]);
        if (width <= maxBytes && !SplitsPair(text, n)) best = n;
    }
    return text.substr(0, best);
}

// The first byte picks how the rest becomes text: UTF-16LE units (lone surrogates included),
// Latin-1 widened, or characters of numbers only, so that valid numbers and their near misses
// (nine hex digits, a sign before a prefix) come up often.
std::wstring Decode(const uint8_t* data, size_t size) {
    static const std::wstring kNumberChars = L"0123456789abcdefABCDEF$xX+- \t";
    std::wstring text;
    const int mode = size > 0 ? data[0] % 3 : 0;
    if (mode == 0) {
        for (size_t i = 1; i + 1 < size; i += 2)
            text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    } else {
        for (size_t i = 1; i < size; ++i)
            text += mode == 1 ? static_cast<wchar_t>(data[i]) : kNumberChars[data[i] % kNumberChars.size()];
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = Decode(data, size);
    if (ParseIniInteger(text, kFallback) != ReferenceParse(text)) std::abort();
    const std::size_t maxBytes = size > 0 ? data[0] >> 1 : 0;
    if (pelorine::CutToShiftJisBytes(text, maxBytes) != ReferenceCut(text, maxBytes)) std::abort();
    return 0;
}
