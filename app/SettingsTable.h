#pragma once
// The keys of the settings file in the order they are read and written, so that the read pass
// and the write pass walk one list.
#include <array>
#include <cstdint>
#include <string>

namespace pelorine {

enum class SettingType { Integer, Boolean, String };

struct SettingKey {
    const wchar_t* section;
    const wchar_t* key; // also the name of the control it feeds, for the option controls
    SettingType type;
    int32_t defaultNumber;      // integer keys; boolean keys 1 or 0
    const wchar_t* defaultText; // string keys
};

// The save-folder key: empty by default, and filled with the program's folder after reading.
inline constexpr const wchar_t* kSaveFolderKey = L"C0_01";

inline constexpr std::array<SettingKey, 23> kSettingKeys = {{
    {L"SET", L"M_TOP", SettingType::Integer, 20, L""},
    {L"SET", L"M_LEFT", SettingType::Integer, 20, L""},
    {L"SET", L"HOTKEY", SettingType::Boolean, 1, L""},
    {L"SET", L"CURSOR", SettingType::Boolean, 1, L""},
    {L"SET", L"TIMING", SettingType::Boolean, 0, L""},
    {L"SET", L"SOUND", SettingType::Boolean, 1, L""},
    {L"SET0", L"C0_01", SettingType::String, 0, L""},
    {L"SET0", L"C0_02", SettingType::String, 0, L"Snap"},
    {L"SET0", L"C0_03", SettingType::Integer, 0, L""},
    {L"SET1", L"C1_01", SettingType::Integer, -1, L""},
    {L"SET1", L"C1_02", SettingType::Integer, -1, L""},
    {L"SET1", L"C1_03", SettingType::Integer, -1, L""},
    {L"SET1", L"C1_04", SettingType::Integer, -1, L""},
    {L"SET1", L"C1_05", SettingType::Integer, -1, L""},
    {L"SET1", L"C1_06_1", SettingType::Integer, 100, L""},
    {L"SET1", L"C1_06_2", SettingType::Integer, 640, L""},
    {L"SET1", L"C1_06_3", SettingType::Integer, 480, L""},
    {L"SET2", L"C2_02", SettingType::String, 0, L""},
    {L"SET2", L"C2_03", SettingType::String, 0, L""},
    {L"SET2", L"C2_04_1", SettingType::Integer, 0, L""},
    {L"SET2", L"C2_04_2", SettingType::Integer, 0, L""},
    {L"SET2", L"C2_04_3", SettingType::Integer, 0, L""},
    {L"SET2", L"C2_04_4", SettingType::Integer, 0, L""},
}};

// The text a key is written with after a first run (no file): its default, and the program's
// folder for the save folder.
std::wstring FirstRunValueText(const SettingKey& key, const std::wstring& appDir);

// The whole file a first run leaves, as the INI functions write it: each section's name in
// brackets, then one name=value line per key, lines ending in CR LF, no blank lines.
std::wstring FirstRunIniText(const std::wstring& appDir);

} // namespace pelorine
