#include "framework/CommaText.h"

namespace pelorine {

namespace {
// UTF-16 needs no care for double-byte characters: no unit of a character outside ASCII can
// be taken for a separator or a quote.
bool IsBlank(wchar_t c) { return c >= 1 && c <= 32; }

void SkipBlanks(std::wstring_view text, size_t& at) {
    while (at < text.size() && IsBlank(text[at]))
        ++at;
}

// A quoted field up to its closing quote (or the end of the text).
std::wstring QuotedField(std::wstring_view text, size_t& at) {
    std::wstring field;
    for (++at; at < text.size(); ++at) {
        if (text[at] != L'"') {
            field += text[at];
        } else if (at + 1 < text.size() && text[at + 1] == L'"') {
            field += L'"';
            ++at;
        } else {
            ++at;
            break;
        }
    }
    return field;
}

std::wstring PlainField(std::wstring_view text, size_t& at) {
    const size_t start = at;
    while (at < text.size() && text[at] != L',' && !IsBlank(text[at]))
        ++at;
    return std::wstring(text.substr(start, at - start));
}
} // namespace

std::vector<std::wstring> SplitCommaText(std::wstring_view text) {
    std::vector<std::wstring> fields;
    size_t at = 0;
    SkipBlanks(text, at);
    while (at < text.size()) {
        if (text[at] == L',') { // a separator right after another makes no empty field
            ++at;
            SkipBlanks(text, at);
            continue;
        }
        fields.push_back(text[at] == L'"' ? QuotedField(text, at) : PlainField(text, at));
        SkipBlanks(text, at);
        if (at < text.size() && text[at] == L',') {
            ++at;
            SkipBlanks(text, at);
        }
    }
    return fields;
}

} // namespace pelorine
