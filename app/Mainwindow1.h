#pragma once
// The main window: every option control, the tray icon with its menu, the six hotkeys and the
// capture commands. It is the only settings screen; its controls are the options.
#include "app/CapturePipeline.h"
#include "app/SettingsTable.h"
#include "capture/Winshot.h"
#include "controls/Colorbutton.h"
#include "controls/Dxfcheckbox.h"
#include "controls/Mccbox.h"
#include "controls/Newhint.h"
#include "controls/Region.h"
#include "controls/Shadolbl.h"
#include "framework/BrowseEdit.h"
#include "framework/ExtCtrls.h"
#include "framework/GlobalHotKey.h"
#include "framework/IniFile.h"
#include "framework/Menus.h"
#include "framework/Spin.h"
#include "framework/TrayIcon.h"

#include <array>
#include <future>
#include <memory>

namespace pelorine {

namespace mainform {
struct ControlRow;
}

class TMainForm1 : public TForm {
  public:
    explicit TMainForm1(TComponent* owner);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // Capture commands.
    void N3Click(TComponent* sender);
    void N4Click(TComponent* sender);
    void W1Click(TComponent* sender);
    void D1Click(TComponent* sender);
    void W2Click(TComponent* sender);
    void D2Click(TComponent* sender);
    // Shell commands and option rules.
    void N1Click(TComponent* sender);
    void X1Click(TComponent* sender);
    void CButton4Click(TComponent* sender);
    void TrayIcon1DblClick(TComponent* sender);
    void CheckBox1Click(TComponent* sender);
    void C0_01Change(TComponent* sender);
    void C1_01Change(TComponent* sender);
    void C1_05Change(TComponent* sender);

    // A registered message posted by a second start of the program: the window shows, restored,
    // as from the tray icon, and the second copy ends.
    static UINT ShowWindowMessage();

    const std::wstring& AppDir() const { return AppDir_; }
    std::wstring HandOffPath() const { return AppDir_ + L"/_tmp000.tmp"; }
    TMenuItem* MenuItem(const std::wstring& name) const;
    // Shows the information window modally; set by the application, which owns that window.
    std::function<void()> OnShowInformation;

  private:
    // Components, by their names in the form description; found by name from outside.
    TRgn* Rgn1;
    TdxfCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4;
    TMultiColComboBox *C1_01, *C1_02, *C1_03, *C1_04, *C1_05;
    TSpinEdit *C1_06_1, *C1_06_2, *C1_06_3, *C0_03, *C2_04_1, *C2_04_2, *C2_04_3, *C2_04_4;
    TBrowseEdit* C0_01;
    TEdit *C0_02, *C2_02, *C2_03;
    TShadowLabel *L1_02, *L1_06_1, *L1_06_2;
    TdxfColorButton *CButton1, *CButton2, *CButton3, *CButton4;
    TPanel* Panel1;
    TImage* Image1;
    TWinShot* SnapShot1;
    TAppHint* AppHint1;
    TPopupMenu* PopupMenu1;
    TTrayIcon* TrayIcon1;
    std::array<TGlobalHotKey*, 6> HotKeys{};

    void CreateControls();
    void Place(const mainform::ControlRow& row, TControl& control) const;
    void LoadSkin();
    Scale StartScale() const;
    void LoadIcons();
    void ChangeScale(Scale scale, const Rect& suggested);
    void ScaleLists();
    void ScaleHint();
    void CreateMenu();
    void CreateHotKeys();
    void CreateAppHint();
    void FillLists();
    void CreatePipeline();
    void RunCapture(const CaptureRequest& request);
    CaptureOptions ReadCaptureOptions(CaptureOutput output) const;
    void OpenUserGuide();
    void ShowInformation();
    void LoadSettings();
    void LoadSetting(const TIniFile& ini, const SettingKey& key);
    void RunAfterLoad(AfterLoad rule);
    void FormClose(TComponent* sender, TCloseAction& action);
    void WriteSettings();
    void EndSession();

    std::unique_ptr<TCapturePipeline> pipeline_; // made once the components it uses exist
    std::wstring AppDir_;
    UniqueIcon bigIcon_, smallIcon_; // the window's icons at its scale
    std::future<RasterImage> skin_;  // drawn for the window's scale while the controls are made
};

} // namespace pelorine
