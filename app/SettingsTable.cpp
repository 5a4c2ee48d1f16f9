#include "app/SettingsTable.h"
#include "app/SettingsValues.h"

#include <cwchar>

namespace pelorine {

std::wstring FirstRunValueText(const SettingKey& key, const std::wstring& appDir) {
    switch (key.type) {
    case SettingType::Integer:
        return IntegerValueText(key.defaultNumber);
    case SettingType::Boolean:
        return BoolValueText(key.defaultNumber != 0);
    case SettingType::String:
        break;
    }
    return std::wcscmp(key.key, kSaveFolderKey) == 0 ? appDir : key.defaultText;
}

std::wstring FirstRunIniText(const std::wstring& appDir) {
    std::wstring text;
    const wchar_t* section = nullptr;
    for (const SettingKey& key : kSettingKeys) {
        if (section == nullptr || std::wcscmp(section, key.section) != 0) {
            section = key.section;
            text += L"[" + std::wstring(section) + L"]\r\n";
        }
        text += std::wstring(key.key) + L"=" + FirstRunValueText(key, appDir) + L"\r\n";
    }
    return text;
}

} // namespace pelorine
