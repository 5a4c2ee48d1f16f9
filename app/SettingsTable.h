#pragma once
// The keys of the settings file in the order they are read and written, with the control each
// one feeds and the rule that runs after it is read. The read pass and the write pass walk this
// one list; what a missing key leaves is the control's value from the form description.
#include <array>

namespace pelorine {

// What a key holds: the window's top or left edge, a check box's state, an edit's text, a spin
// edit's value or a list's item index (-1 for no selection).
enum class SettingKind { WindowTop, WindowLeft, Check, Text, SpinValue, ListIndex };

// What runs right after a key is read.
enum class AfterLoad { None, KeepOnScreen, HotKeySwitch, SaveFolderRule, FormatRule, ResizeRule };

struct SettingKey {
    const wchar_t* section;
    const wchar_t* key;
    SettingKind kind;
    const wchar_t* control; // the control's name; the window itself for the position
    AfterLoad afterLoad;
};

inline constexpr std::array<SettingKey, 23> kSettingKeys = {{
    {L"SET", L"M_TOP", SettingKind::WindowTop, L"MainForm1", AfterLoad::None},
    {L"SET", L"M_LEFT", SettingKind::WindowLeft, L"MainForm1", AfterLoad::KeepOnScreen},
    {L"SET", L"HOTKEY", SettingKind::Check, L"CheckBox1", AfterLoad::HotKeySwitch},
    {L"SET", L"CURSOR", SettingKind::Check, L"CheckBox2", AfterLoad::None},
    {L"SET", L"TIMING", SettingKind::Check, L"CheckBox3", AfterLoad::None},
    {L"SET", L"SOUND", SettingKind::Check, L"CheckBox4", AfterLoad::None},
    {L"SET0", L"C0_01", SettingKind::Text, L"C0_01", AfterLoad::SaveFolderRule},
    {L"SET0", L"C0_02", SettingKind::Text, L"C0_02", AfterLoad::None},
    {L"SET0", L"C0_03", SettingKind::SpinValue, L"C0_03", AfterLoad::None},
    {L"SET1", L"C1_01", SettingKind::ListIndex, L"C1_01", AfterLoad::FormatRule},
    {L"SET1", L"C1_02", SettingKind::ListIndex, L"C1_02", AfterLoad::None},
    {L"SET1", L"C1_03", SettingKind::ListIndex, L"C1_03", AfterLoad::None},
    {L"SET1", L"C1_04", SettingKind::ListIndex, L"C1_04", AfterLoad::None},
    {L"SET1", L"C1_05", SettingKind::ListIndex, L"C1_05", AfterLoad::ResizeRule},
    {L"SET1", L"C1_06_1", SettingKind::SpinValue, L"C1_06_1", AfterLoad::None},
    {L"SET1", L"C1_06_2", SettingKind::SpinValue, L"C1_06_2", AfterLoad::None},
    {L"SET1", L"C1_06_3", SettingKind::SpinValue, L"C1_06_3", AfterLoad::None},
    {L"SET2", L"C2_02", SettingKind::Text, L"C2_02", AfterLoad::None},
    {L"SET2", L"C2_03", SettingKind::Text, L"C2_03", AfterLoad::None},
    {L"SET2", L"C2_04_1", SettingKind::SpinValue, L"C2_04_1", AfterLoad::None},
    {L"SET2", L"C2_04_2", SettingKind::SpinValue, L"C2_04_2", AfterLoad::None},
    {L"SET2", L"C2_04_3", SettingKind::SpinValue, L"C2_04_3", AfterLoad::None},
    {L"SET2", L"C2_04_4", SettingKind::SpinValue, L"C2_04_4", AfterLoad::None},
}};

} // namespace pelorine
