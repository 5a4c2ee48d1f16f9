#include "app/SettingsValues.h"

namespace pelorine {

namespace {

// The length of the path up to and including its last "\" or ":" (0 when it has none).
std::size_t FolderPartLength(const std::wstring& path) {
    const auto at = path.find_last_of(L"\\:");
    return at == std::wstring::npos ? 0 : at + 1;
}

} // namespace

std::wstring AppDirFromExePath(const std::wstring& exePath) {
    std::size_t length = FolderPartLength(exePath);
    // Drop the trailing backslash unless it is a root's: "C:\" and "\" stay whole.
    if (length >= 2 && exePath[length - 1] == L'\\' && exePath[length - 2] != L':' &&
        exePath[length - 2] != L'\\')
        --length;
    return exePath.substr(0, length);
}

std::wstring IniPathFromExePath(const std::wstring& exePath) {
    return exePath.substr(0, FolderPartLength(exePath)) + L"Pelorine.ini";
}

std::wstring RemoveTrailingBackslash(const std::wstring& text) {
    if (!text.empty() && text.back() == L'\\') return text.substr(0, text.size() - 1);
    return text;
}

} // namespace pelorine
