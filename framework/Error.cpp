#include "framework/Error.h"

namespace pelorine {

std::wstring FormatMessageText(const std::wstring& pattern, const std::wstring& arg) {
    std::wstring text = pattern;
    if (const auto at = text.find(L"%s"); at != std::wstring::npos) text.replace(at, 2, arg);
    return text;
}

std::wstring ErrorBoxText(const std::wstring& message) {
    if (!message.empty() && message.back() > L'.') return message + L".";
    return message;
}

} // namespace pelorine
