// The main window's options in the settings file: read once while the window is built,
// written once when it closes.
#include "app/Mainwindow1.h"
#include "app/SettingsTable.h"
#include "app/SettingsValues.h"
#include "framework/Application.h"
#include "framework/IniFile.h"

namespace pelorine {

namespace {
// The check boxes are stored under names of their meaning.
const std::pair<const wchar_t*, const wchar_t*> kCheckBoxKeys[] = {{L"HOTKEY", L"CheckBox1"},
                                                                   {L"CURSOR", L"CheckBox2"},
                                                                   {L"TIMING", L"CheckBox3"},
                                                                   {L"SOUND", L"CheckBox4"}};

std::wstring ControlNameOf(const std::wstring& key) {
    for (const auto& [k, name] : kCheckBoxKeys)
        if (key == k) return name;
    return key;
}

std::wstring SettingsPath() { return IniPathFromExePath(TApplication::ExeName()); }

// Where the window shows when it is not minimised: a minimised window reports its parking place
// (-32000, -32000), and stored, that would open the next run off the screen.
POINT RestoredPlace(HWND wnd) {
    RECT rc;
    GetWindowRect(wnd, &rc);
    if (!IsIconic(wnd)) return {rc.left, rc.top};
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(wnd, &placement);
    // The restored place counts from the work area's corner, not the screen's.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return {placement.rcNormalPosition.left + monitor.rcWork.left - monitor.rcMonitor.left,
            placement.rcNormalPosition.top + monitor.rcWork.top - monitor.rcMonitor.top};
}
} // namespace

void TMainForm1::LoadSettings() {
    const TIniFile ini(SettingsPath());
    for (const SettingKey& key : kSettingKeys) {
        const std::wstring k = key.key;
        RECT rc;
        GetWindowRect(Handle(), &rc);
        if (k == L"M_TOP") {
            SetBounds(Bounds(rc.left, ini.ReadInteger(key.section, k, rc.top), Width(), Height()));
            continue;
        }
        if (k == L"M_LEFT") {
            SetBounds(Bounds(ini.ReadInteger(key.section, k, rc.left), rc.top, Width(), Height()));
            continue;
        }
        TComponent* control = FindComponent(ControlNameOf(k));
        if (auto* box = dynamic_cast<TdxfCheckBox*>(control)) {
            box->SetChecked(ini.ReadBool(key.section, k, box->Checked()));
        } else if (auto* list = dynamic_cast<TMultiColComboBox*>(control)) {
            list->SetItemIndex(ini.ReadInteger(key.section, k, list->ItemIndex()));
        } else if (auto* spin = dynamic_cast<TSpinEdit*>(control)) {
            spin->SetValue(ini.ReadInteger(key.section, k, spin->Value()));
        } else if (auto* edit = dynamic_cast<TEdit*>(control)) {
            edit->SetText(ini.ReadString(key.section, k, edit->Text()));
        }
        if (k == L"HOTKEY") CheckBox1Click(this);
        if (k == L"C0_01") C0_01Change(this);
        if (k == L"C1_01") C1_01Change(this);
        if (k == L"C1_05") C1_05Change(this);
    }
    if (C0_01->Text().empty()) C0_01->SetText(AppDir_); // runs C0_01Change through the edit
}

void TMainForm1::FormClose(TComponent*, TCloseAction&) {
    TIniFile ini(SettingsPath());
    const POINT place = RestoredPlace(Handle()); // also while the window is hidden
    for (const SettingKey& key : kSettingKeys) {
        const std::wstring k = key.key;
        if (k == L"M_TOP") {
            ini.WriteInteger(key.section, k, place.y);
            continue;
        }
        if (k == L"M_LEFT") {
            ini.WriteInteger(key.section, k, place.x);
            continue;
        }
        TComponent* control = FindComponent(ControlNameOf(k));
        if (auto* box = dynamic_cast<TdxfCheckBox*>(control))
            ini.WriteBool(key.section, k, box->Checked());
        else if (auto* list = dynamic_cast<TMultiColComboBox*>(control))
            ini.WriteInteger(key.section, k, list->ItemIndex());
        else if (auto* spin = dynamic_cast<TSpinEdit*>(control))
            ini.WriteInteger(key.section, k, spin->Value());
        else if (auto* edit = dynamic_cast<TEdit*>(control))
            ini.WriteString(key.section, k, edit->Text());
    }
}

} // namespace pelorine
