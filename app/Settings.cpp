// The main window's options in the settings file: read once while the window is built,
// written once, whole or not at all, when it closes. One table of keys drives both passes.
#include "app/Mainwindow1.h"
#include "app/SettingsTable.h"
#include "app/SettingsValues.h"
#include "app/WindowPlacement.h"
#include "forms/MainForm1Layout.h"
#include "framework/Application.h"
#include "framework/Error.h"
#include "framework/IniFile.h"
#include "framework/IniValues.h"

namespace pelorine {

namespace {
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

// The window's top-left corner as the system placed it.
Point WindowPlace(HWND wnd) {
    RECT rc;
    GetWindowRect(wnd, &rc);
    return {rc.left, rc.top};
}

// What the file holds for the key: the window's place or the value of the key's control.
std::wstring SettingText(const TMainForm1& form, const SettingKey& key, POINT place) {
    switch (key.kind) {
    case SettingKind::WindowTop:
        return IntegerValueText(place.y);
    case SettingKind::WindowLeft:
        return IntegerValueText(place.x);
    case SettingKind::Check:
        return BoolValueText(form.Get<TdxfCheckBox>(key.control)->Checked());
    case SettingKind::Text:
        // Only what the next start reads back is kept: a huge text would only make the file,
        // and every write to it, slow.
        return CutToShiftJisBytes(form.Get<TEdit>(key.control)->Text());
    case SettingKind::SpinValue:
        return IntegerValueText(form.Get<TSpinEdit>(key.control)->Value());
    case SettingKind::ListIndex:
        return IntegerValueText(form.Get<TMultiColComboBox>(key.control)->ItemIndex());
    }
    return {};
}

std::vector<Rect> WorkAreas() {
    std::vector<Rect> areas;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM lp) {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoW(monitor, &info))
                reinterpret_cast<std::vector<Rect>*>(lp)->push_back(FromRECT(info.rcWork));
            return TRUE;
        },
        LPARAM(&areas));
    return areas;
}
} // namespace

void TMainForm1::LoadSettings() {
    const TIniFile ini(SettingsPath());
    for (const SettingKey& key : kSettingKeys) {
        LoadSetting(ini, key);
        RunAfterLoad(key.afterLoad);
    }
    if (C0_01->Text().empty()) C0_01->SetText(AppDir_); // runs C0_01Change through the edit
}

void TMainForm1::LoadSetting(const TIniFile& ini, const SettingKey& key) {
    switch (key.kind) {
    case SettingKind::WindowTop: {
        const Point at = WindowPlace(Handle());
        SetBounds(Bounds(at.x, ini.ReadInteger(key.section, key.key, at.y), Width(), Height()));
        break;
    }
    case SettingKind::WindowLeft: {
        const Point at = WindowPlace(Handle());
        SetBounds(Bounds(ini.ReadInteger(key.section, key.key, at.x), at.y, Width(), Height()));
        break;
    }
    case SettingKind::Check: {
        auto* box = Get<TdxfCheckBox>(key.control);
        box->SetChecked(ini.ReadBool(key.section, key.key, box->Checked()));
        break;
    }
    case SettingKind::Text: {
        auto* edit = Get<TEdit>(key.control);
        edit->SetText(ini.ReadString(key.section, key.key, edit->Text()));
        break;
    }
    case SettingKind::SpinValue: {
        auto* spin = Get<TSpinEdit>(key.control);
        spin->SetValue(ini.ReadInteger(key.section, key.key, spin->Value()));
        break;
    }
    case SettingKind::ListIndex: {
        auto* list = Get<TMultiColComboBox>(key.control);
        list->SetItemIndex(ini.ReadInteger(key.section, key.key, list->ItemIndex()));
        break;
    }
    }
}

void TMainForm1::RunAfterLoad(AfterLoad rule) {
    switch (rule) {
    case AfterLoad::None:
        break;
    case AfterLoad::KeepOnScreen: {
        const Point place = PlaceOnScreen(WindowPlace(Handle()), {Width(), Height()},
                                          scale_.Scaled(mainform::kTitleArea), WorkAreas());
        SetBounds(Bounds(place.x, place.y, Width(), Height()));
        break;
    }
    case AfterLoad::HotKeySwitch:
        CheckBox1Click(this);
        break;
    case AfterLoad::SaveFolderRule:
        C0_01Change(this);
        break;
    case AfterLoad::FormatRule:
        C1_01Change(this);
        break;
    case AfterLoad::ResizeRule:
        C1_05Change(this);
        break;
    }
}

void TMainForm1::FormClose(TComponent*, TCloseAction& action) {
    if (pipeline_->DeferClose()) {
        action = TCloseAction::None;
        return;
    }
    try {
        WriteSettings();
    } catch (const Error& e) {
        // The program stays unless the user lets the settings go: with a file that can never be
        // written, every close would fail the same way.
        if (!Application().AskAfterError(e.Message(), L"設定を保存せずに終了しますか?"))
            action = TCloseAction::None;
    }
}

// The system ends the process as soon as this returns, so the settings are written now; a
// capture under way saves nothing more (see TCapturePipeline::Save), so the stored serial number stays past
// every file. No box: nothing may hold the shutdown up, and a failed write is lost either way.
void TMainForm1::EndSession() {
    try {
        WriteSettings();
    } catch (...) {
    }
    Application().Terminate();
}

void TMainForm1::WriteSettings() {
    const POINT place = RestoredPlace(Handle()); // also while the window is hidden
    std::vector<IniEntry> entries;
    for (const SettingKey& key : kSettingKeys)
        entries.push_back({key.section, key.key, SettingText(*this, key, place)});
    TIniFile(SettingsPath()).WriteAll(entries);
}

} // namespace pelorine
