// The main window reading crafted settings files into its controls, running the option rules,
// and writing the file back when it closes. The settings file is the one beside this test
// program, as it is beside Pelorine.exe.
#include "app/Mainwindow1.h"
#include "framework/Application.h"
#include "framework/Error.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace pelorine;

namespace {

std::wstring ProgramFolder() {
    wchar_t exe[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, exe, DWORD(std::size(exe)));
    std::wstring path = exe;
    return path.substr(0, path.find_last_of(L'\\'));
}

using testing_support::FileBytes;
using testing_support::HintOf;
using testing_support::KeyTaken;
using testing_support::MakeWindow;
using testing_support::Settings;
using testing_support::Utf16File;

struct ResizeFields {
    bool factorLabel, factor, pixelsLabel, width, height;
    bool operator==(const ResizeFields&) const = default;
};

class MainFormSettingsTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { Application().SetTitle(L"Pelorine"); }
    void SetUp() override { RemoveIni(); }
    void TearDown() override {
        Application().SetMainForm(nullptr);
        root_.reset();
        RemoveIni();
    }

    std::wstring IniPath() const { return ProgramFolder() + L"\\Pelorine.ini"; }
    void RemoveIni() const {
        SetFileAttributesW(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(IniPath().c_str());
    }
    void WriteIni(const std::string& bytes) const { testing_support::WriteFileBytes(IniPath(), bytes); }
    std::string IniBytes() const { return FileBytes(IniPath()); }
    // Builds the main window over the settings file as it stands.
    TMainForm1& Load(const std::string& ini = "") {
        if (!ini.empty()) WriteIni(ini);
        root_ = std::make_unique<TComponent>(nullptr);
        form_ = root_->New<TMainForm1>(L"MainForm1");
        return *form_;
    }
    // The close of a window that is not the application's main form: it runs the close
    // handler and hides the window, and leaves the application running.
    void CloseForm() { form_->Close(); }
    RECT WindowRect() const {
        RECT rc;
        GetWindowRect(form_->Handle(), &rc);
        return rc;
    }

    // The window's controls, found by their names as a user's settings file names them.
    TdxfCheckBox* Box(const wchar_t* name) const { return form_->Get<TdxfCheckBox>(name); }
    TMultiColComboBox* List(const wchar_t* name) const { return form_->Get<TMultiColComboBox>(name); }
    TSpinEdit* Spin(const wchar_t* name) const { return form_->Get<TSpinEdit>(name); }
    TEdit* Edit(const wchar_t* name) const { return form_->Get<TEdit>(name); }
    TBrowseEdit* Folder(const wchar_t* name) const { return form_->Get<TBrowseEdit>(name); }
    TShadowLabel* Label(const wchar_t* name) const { return form_->Get<TShadowLabel>(name); }
    TdxfColorButton* Button(const wchar_t* name) const { return form_->Get<TdxfColorButton>(name); }
    TTrayIcon* Tray() const { return form_->Get<TTrayIcon>(L"TrayIcon1"); }
    ResizeFields ResizeFieldsShown() const {
        return {Label(L"L1_06_1")->Enabled(), Spin(L"C1_06_1")->Enabled(), Label(L"L1_06_2")->Enabled(),
                Spin(L"C1_06_2")->Enabled(), Spin(L"C1_06_3")->Enabled()};
    }
    // What the window holds for each settings key, written as the settings file would hold it.
    Settings Shown() const {
        const RECT rc = WindowRect();
        Settings shown{{L"M_TOP", std::to_wstring(rc.top)}, {L"M_LEFT", std::to_wstring(rc.left)}};
        const wchar_t* boxes[][2] = {{L"HOTKEY", L"CheckBox1"},
                                     {L"CURSOR", L"CheckBox2"},
                                     {L"TIMING", L"CheckBox3"},
                                     {L"SOUND", L"CheckBox4"}};
        for (const auto& [key, box] : boxes)
            shown[key] = Box(box)->Checked() ? L"1" : L"0";
        for (const wchar_t* key : {L"C0_01", L"C0_02", L"C2_02", L"C2_03"})
            shown[key] = form_->Get<TEdit>(key)->Text();
        for (const wchar_t* key :
             {L"C0_03", L"C1_06_1", L"C1_06_2", L"C1_06_3", L"C2_04_1", L"C2_04_2", L"C2_04_3", L"C2_04_4"})
            shown[key] = std::to_wstring(Spin(key)->Value());
        for (const wchar_t* key : {L"C1_01", L"C1_02", L"C1_03", L"C1_04", L"C1_05"})
            shown[key] = std::to_wstring(List(key)->ItemIndex());
        return shown;
    }
    // One check per key given.
    void ExpectShown(const Settings& expected) const {
        const Settings shown = Shown();
        for (const auto& [key, value] : expected) {
            SCOPED_TRACE(testing::PrintToString(key));
            EXPECT_EQ(shown.at(key), value);
        }
    }
    static void ExpectHotKeysTaken(bool taken) {
        for (UINT vk = VK_F7; vk <= VK_F12; ++vk)
            EXPECT_EQ(KeyTaken(vk), taken) << vk;
    }

    // The window's own close while an error box is expected: the box's text once it has been
    // answered いいえ (empty when none showed).
    std::wstring CloseAnsweringNo() const {
        const testing_support::MessageBoxes boxes(IDNO);
        SendMessageW(form_->Handle(), WM_CLOSE, 0, 0);
        return boxes.text;
    }
    const std::wstring kUnwritableBox = IniPath() + L" に書き込めません.\n\n設定を保存せずに終了しますか?";

    std::unique_ptr<TComponent> root_;
    TMainForm1* form_ = nullptr;
};

} // namespace

TEST_F(MainFormSettingsTest, TrayButtonHidesTheWindowAndTheIconBringsItBack) {
    TMainForm1& f = Load();
    f.Show();
    EXPECT_FALSE(Tray()->Active()); // no icon at start
    f.CButton4Click(Button(L"CButton4"));
    EXPECT_FALSE(IsWindowVisible(f.Handle()));
    EXPECT_TRUE(Tray()->Active());
    const HWND tray = Tray()->Handle();
    SendMessageW(tray, WM_TRAYNOTIFY, 0, WM_LBUTTONUP); // a click: nothing
    EXPECT_FALSE(IsWindowVisible(f.Handle()));
    for (const UINT doubleClick : {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK}) {
        SendMessageW(tray, WM_TRAYNOTIFY, 0, doubleClick);
        EXPECT_TRUE(IsWindowVisible(f.Handle())) << doubleClick;
        EXPECT_TRUE(Tray()->Active()); // the icon stays
        f.Hide();
    }
    f.N1Click(f.MenuItem(L"N1"));
    EXPECT_TRUE(IsWindowVisible(f.Handle()));
    f.CButton4Click(Button(L"CButton4"));
    EXPECT_FALSE(IsWindowVisible(f.Handle()));
    EXPECT_TRUE(Tray()->Active());
}

// A click on the taskbar button minimises the active window; the tray's commands undo that,
// and a close meanwhile stores the place the window comes back to, not the parking place.
TEST_F(MainFormSettingsTest, MinimisedWindowComesBackFromTheTrayAndKeepsItsPlace) {
    TMainForm1& f = Load("[SET]\r\nM_TOP=100\r\nM_LEFT=200\r\n");
    f.Show();
    f.CButton4Click(Button(L"CButton4"));
    SendMessageW(Tray()->Handle(), WM_TRAYNOTIFY, 0, WM_LBUTTONDBLCLK);
    ShowWindow(f.Handle(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(f.Handle()));
    SendMessageW(Tray()->Handle(), WM_TRAYNOTIFY, 0, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(IsIconic(f.Handle()));
    EXPECT_EQ(WindowRect().left, 200);
    ShowWindow(f.Handle(), SW_MINIMIZE);
    f.N1Click(f.MenuItem(L"N1"));
    EXPECT_FALSE(IsIconic(f.Handle()));

    ShowWindow(f.Handle(), SW_MINIMIZE);
    CloseForm();
    EXPECT_EQ(GetPrivateProfileIntW(L"SET", L"M_LEFT", -1, IniPath().c_str()), 200u);
    EXPECT_EQ(GetPrivateProfileIntW(L"SET", L"M_TOP", -1, IniPath().c_str()), 100u);
}

TEST_F(MainFormSettingsTest, NoFileGivesTheDesignValues) {
    TMainForm1& f = Load();
    EXPECT_EQ(f.AppDir(), ProgramFolder());
    ExpectShown(testing_support::FirstRunSettings(f.AppDir()));
    EXPECT_EQ(HintOf(Folder(L"C0_01")->Handle()), f.AppDir());
    EXPECT_FALSE(Label(L"L1_02")->Enabled());
    EXPECT_FALSE(List(L"C1_02")->Enabled());
    EXPECT_EQ(ResizeFieldsShown(), (ResizeFields{true, true, true, true, true}));
    ExpectHotKeysTaken(true);
}

TEST_F(MainFormSettingsTest, EveryKeyFeedsItsControl) {
    const Settings every = {
        {L"M_TOP", L"130"},       {L"M_LEFT", L"40"}, // whole on the desktop: unchanged
        {L"HOTKEY", L"1"},        {L"CURSOR", L"0"},    {L"TIMING", L"1"},    {L"SOUND", L"0"},
        {L"C0_01", L"D:\\Shots"}, {L"C0_02", L"Cap"},   {L"C0_03", L"42"},    {L"C1_01", L"4"},
        {L"C1_02", L"7"},         {L"C1_03", L"3"},     {L"C1_04", L"2"},     {L"C1_05", L"1"},
        {L"C1_06_1", L"250"},     {L"C1_06_2", L"800"}, {L"C1_06_3", L"600"}, {L"C2_02", L"Head"},
        {L"C2_03", L"Foot"},      {L"C2_04_1", L"1"},   {L"C2_04_2", L"2"},   {L"C2_04_3", L"3"},
        {L"C2_04_4", L"4"},
    };
    Load(testing_support::SettingsText(every));
    ExpectShown(every);
    const RECT rc = WindowRect();
    EXPECT_EQ(rc.right - rc.left, 361);
    EXPECT_EQ(rc.bottom - rc.top, 553);
    EXPECT_EQ(HintOf(Folder(L"C0_01")->Handle()), L"D:\\Shots");
    EXPECT_FALSE(List(L"C1_02")->Enabled()); // PNG: no JPEG quality
    EXPECT_EQ(ResizeFieldsShown(), (ResizeFields{true, true, false, false, false}));
}

TEST_F(MainFormSettingsTest, OddValuesReadAsDefaultsOrClamped) {
    Load("[SET]\r\nM_TOP=0x10\r\nHOTKEY=yes\r\nCURSOR=2\r\nSOUND=\r\n"
         "[SET0]\r\nC0_02=\r\nC0_03=\r\n"
         "[SET1]\r\nC1_01=7\r\nC1_03=-1\r\nC1_06_1=5000\r\nC1_06_2=0\r\nC1_06_3=12abc\r\n"
         "[SET2]\r\nC2_02=\r\nC2_04_1=-3\r\nC2_04_2=$FF\r\nC2_04_3=256\r\n");
    // "yes" is no number and an empty value is missing: the defaults; any non-zero number is
    // true; a text present but empty is not missing.
    const Settings read = {
        {L"M_TOP", L"16"}, {L"M_LEFT", L"20"},    {L"HOTKEY", L"1"},    {L"CURSOR", L"1"},
        {L"SOUND", L"1"},  {L"C0_02", L""},       {L"C0_03", L"0"},     {L"C1_01", L"-1"},
        {L"C1_03", L"-1"}, {L"C1_06_1", L"1000"}, {L"C1_06_2", L"1"},   {L"C1_06_3", L"480"},
        {L"C2_02", L""},   {L"C2_04_1", L"0"},    {L"C2_04_2", L"255"}, {L"C2_04_3", L"255"},
    };
    ExpectShown(read);
    EXPECT_FALSE(Label(L"L1_02")->Enabled());
    EXPECT_FALSE(List(L"C1_02")->Enabled());
}

TEST_F(MainFormSettingsTest, HotKeyValueSwitchesAllSixKeys) {
    Load("[SET]\r\nHOTKEY=2\r\n");
    EXPECT_TRUE(Box(L"CheckBox1")->Checked());
    ExpectHotKeysTaken(true);
    root_.reset();
    ExpectHotKeysTaken(false); // released at the end
    TMainForm1& f = Load("[SET]\r\nHOTKEY=0\r\n");
    EXPECT_FALSE(Box(L"CheckBox1")->Checked());
    ExpectHotKeysTaken(false);
    Box(L"CheckBox1")->SetChecked(true);
    f.CheckBox1Click(&f);
    ExpectHotKeysTaken(true);
}

TEST_F(MainFormSettingsTest, JpegQualityListIsUsableForJpegOnly) {
    TMainForm1& f = Load("[SET1]\r\nC1_01=2\r\nC1_02=5\r\n");
    EXPECT_TRUE(Label(L"L1_02")->Enabled());
    EXPECT_TRUE(List(L"C1_02")->Enabled());
    EXPECT_EQ(List(L"C1_02")->ItemIndex(), 5);
    List(L"C1_01")->SetItemIndex(0);
    f.C1_01Change(List(L"C1_01"));
    EXPECT_FALSE(Label(L"L1_02")->Enabled());
    EXPECT_FALSE(List(L"C1_02")->Enabled());
    EXPECT_FALSE(IsWindowEnabled(List(L"C1_02")->Handle()));
}

TEST_F(MainFormSettingsTest, ResizeModeEnablesItsFields) {
    const std::pair<const char*, ResizeFields> cases[] = {
        {"0", {false, false, false, false, false}}, {"1", {true, true, false, false, false}},
        {"2", {false, false, true, true, true}},    {"3", {false, false, true, true, true}},
        {"9", {true, true, true, true, true}}, // no selection: left as designed
    };
    for (const auto& [mode, expected] : cases) {
        SCOPED_TRACE(mode);
        Load(std::string("[SET1]\r\nC1_05=") + mode + "\r\n");
        EXPECT_EQ(ResizeFieldsShown(), expected);
        EXPECT_EQ(IsWindowEnabled(Spin(L"C1_06_2")->Handle()) != FALSE, expected.width);
        root_.reset();
    }
    // Back to "no selection" at run time changes nothing.
    TMainForm1& f = Load("[SET1]\r\nC1_05=1\r\n");
    List(L"C1_05")->SetItemIndex(-1);
    f.C1_05Change(List(L"C1_05"));
    EXPECT_EQ(ResizeFieldsShown(), (ResizeFields{true, true, false, false, false}));
}

TEST_F(MainFormSettingsTest, SaveFolderLosesOneTrailingBackslash) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"D:\\Pictures\\", L"D:\\Pictures"},
        {L"C:\\", L"C:"},
        {L"D:\\資料表", L"D:\\資料表"}, // the kanji's Shift-JIS trail byte is 0x5C, yet no "\"
        {L"", ProgramFolder()},
    };
    for (const auto& [stored, shown] : cases) {
        SCOPED_TRACE(testing::Message() << stored.size());
        Load(Utf16File(L"[SET0]\r\nC0_01=" + stored + L"\r\n"));
        EXPECT_EQ(Folder(L"C0_01")->Text(), shown);
        EXPECT_EQ(HintOf(Folder(L"C0_01")->Handle()), shown);
        root_.reset();
    }
}

// While a "\" typed at the end of the field waits for the next folder name (see ShellTest), the
// hint already names the folder without it; leaving the field applies the rule to both.
TEST_F(MainFormSettingsTest, SaveFolderHintFollowsTheRuleWhileTheUserTypes) {
    TMainForm1& f = Load("[SET0]\r\nC0_01=C:\\caps\r\n");
    f.Show();
    Folder(L"C0_01")->SetFocus();
    const HWND edit = Folder(L"C0_01")->Handle();
    SendMessageW(edit, EM_SETSEL, 7, 7);
    SendMessageW(edit, EM_REPLACESEL, TRUE, LPARAM(L"\\"));
    EXPECT_EQ(HintOf(edit), L"C:\\caps");
    SendMessageW(edit, EM_REPLACESEL, TRUE, LPARAM(L"new\\"));
    Edit(L"C0_02")->SetFocus();
    EXPECT_EQ(HintOf(edit), L"C:\\caps\\new");
}

TEST_F(MainFormSettingsTest, LongValuesAreCutTo2047Bytes) {
    const std::wstring ascii(3000, L'a');
    const std::wstring kanji(1500, L'漢'); // 3000 bytes in Shift-JIS
    Load(Utf16File(L"[SET2]\r\nC2_02=" + ascii + L"\r\nC2_03=" + kanji + L"\r\n"));
    EXPECT_EQ(Edit(L"C2_02")->Text(), ascii.substr(0, 2047));
    EXPECT_EQ(Edit(L"C2_03")->Text(), kanji.substr(0, 1023));
}

// Every control set to a value of its own: the close writes each under its own key and section,
// a text with blanks at its ends quoted so that it reads back whole,
// in the guide's order, around what another program keeps in the file.
TEST_F(MainFormSettingsTest, CloseWritesWhatTheControlsHold) {
    TMainForm1& f = Load("[SET]\r\nM_TOP=50\r\n[Other]\r\nKeep=this\r\n");
    SetWindowPos(f.Handle(), nullptr, 77, 66, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& [box, checked] : {std::pair{L"CheckBox1", false}, std::pair{L"CheckBox2", false},
                                       std::pair{L"CheckBox3", true}, std::pair{L"CheckBox4", false}})
        Box(box)->SetChecked(checked);
    for (const auto& [edit, text] : {std::pair{L"C0_01", L"D:\\Out"}, std::pair{L"C0_02", L"Cap"},
                                     std::pair{L"C2_02", L" padded "}, std::pair{L"C2_03", L"Foot"}})
        Edit(edit)->SetText(text);
    for (const auto& [list, index] : {std::pair{L"C1_01", 2}, std::pair{L"C1_02", 8}, std::pair{L"C1_03", 4},
                                      std::pair{L"C1_04", 3}, std::pair{L"C1_05", 1}})
        List(list)->SetItemIndex(index);
    for (const auto& [spin, text] :
         {std::pair{L"C0_03", L"42"}, std::pair{L"C1_06_1", L"250"}, std::pair{L"C1_06_2", L"abc"},
          std::pair{L"C1_06_3", L"600"}, std::pair{L"C2_04_1", L"11"}, std::pair{L"C2_04_2", L"12"},
          std::pair{L"C2_04_3", L"13"}, std::pair{L"C2_04_4", L"14"}})
        Spin(spin)->SetText(text); // "abc" is no number: written as the minimum
    CloseForm();
    EXPECT_EQ(IniBytes(), "[SET]\r\nM_TOP=66\r\nM_LEFT=77\r\nHOTKEY=0\r\nCURSOR=0\r\nTIMING=1\r\nSOUND=0\r\n"
                          "[Other]\r\nKeep=this\r\n"
                          "[SET0]\r\nC0_01=D:\\Out\r\nC0_02=Cap\r\nC0_03=42\r\n"
                          "[SET1]\r\nC1_01=2\r\nC1_02=8\r\nC1_03=4\r\nC1_04=3\r\nC1_05=1\r\n"
                          "C1_06_1=250\r\nC1_06_2=1\r\nC1_06_3=600\r\n"
                          "[SET2]\r\nC2_02=\" padded \"\r\nC2_03=Foot\r\nC2_04_1=11\r\nC2_04_2=12\r\n"
                          "C2_04_3=13\r\nC2_04_4=14\r\n");
    Load();
    EXPECT_EQ(Edit(L"C2_02")->Text(), L" padded ");
    EXPECT_TRUE(List(L"C1_02")->Enabled());
}

TEST_F(MainFormSettingsTest, Utf16FileKeepsAFolderOutsideTheAnsiCodePage) {
    const std::wstring folder = L"C:\\Фото\\Ελληνικά";
    Load(Utf16File(L"[SET0]\r\nC0_01=" + folder + L"\r\n"));
    EXPECT_EQ(Folder(L"C0_01")->Text(), folder);
    CloseForm();
    const std::string bytes = IniBytes();
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_NE(bytes.find(Utf16File(L"C0_01=" + folder + L"\r\n").substr(2)), std::string::npos);
    Load();
    EXPECT_EQ(Folder(L"C0_01")->Text(), folder);
}

// A nearly full disk: the file-size limit (see ini-file-limit.sh) stops the settings file short
// of its end. A header typed to the full length no longer fits.
TEST_F(MainFormSettingsTest, SettingsThatCannotBeWrittenWholeKeepTheFileAndTheCloseAsks) {
    const char* limit = std::getenv("PELORINE_FILE_LIMIT");
    if (!limit) GTEST_SKIP() << "no file-size limit";
    std::string ini = "[SET]\r\nM_TOP=20\r\n[Other]\r\n";
    while (ini.size() < std::stoul(limit) - 1500)
        ini += "key" + std::to_string(ini.size()) + "=" + std::string(100, 'a') + "\r\n";
    TMainForm1& f = Load(ini);
    Application().SetMainForm(&f);
    f.Show();
    Edit(L"C2_02")->SetText(std::wstring(3000, L'h'));
    EXPECT_EQ(CloseAnsweringNo(), kUnwritableBox);
    EXPECT_TRUE(IsWindowVisible(f.Handle()));
    EXPECT_EQ(IniBytes(), ini);
    EXPECT_FALSE(std::filesystem::exists(IniPath() + L".new"));
}

namespace {
// Another program that takes the clipboard whenever it changes and puts a 3 × 3 picture there.
class ClipboardThief {
  public:
    ClipboardThief() {
        wnd_ = MakeWindow(L"ClipboardThief", Proc, WS_POPUP);
        AddClipboardFormatListener(wnd_);
    }
    ~ClipboardThief() {
        RemoveClipboardFormatListener(wnd_);
        DestroyWindow(wnd_);
    }

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_CLIPBOARDUPDATE && GetClipboardOwner() != w && OpenClipboard(w)) {
            EmptyClipboard();
            SetClipboardData(CF_BITMAP, CreateBitmap(3, 3, 1, 32, nullptr));
            CloseClipboard();
            return 0;
        }
        return DefWindowProcW(w, msg, wp, lp);
    }
    HWND wnd_;
};
} // namespace

// Switching the tray icon on dispatches messages after the capture reached the clipboard; the
// save must still write the capture, not whatever another program put there meanwhile.
TEST_F(MainFormSettingsTest, SaveDesktopWritesItsOwnCaptureWhateverTheClipboardHoldsByThen) {
    const std::filesystem::path folder = std::filesystem::path(ProgramFolder()) / L"clipboard-shots";
    std::filesystem::remove_all(folder);
    TMainForm1& f = Load("[SET]\r\nHOTKEY=0\r\nSOUND=0\r\n[SET0]\r\nC0_01=" + folder.string() +
                         "\r\n[SET1]\r\nC1_01=0\r\n");
    const ClipboardThief thief;
    f.D1Click(&f);
    const std::string bmp = FileBytes((folder / L"Snap0.bmp").wstring());
    std::filesystem::remove_all(folder);
    ASSERT_GE(bmp.size(), 26u);
    EXPECT_EQ(*reinterpret_cast<const int32_t*>(bmp.data() + 18), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(testing_support::SizeOf(form_->Get<TImage>(L"Image1")->Picture().Handle()).cx,
              GetSystemMetrics(SM_CXSCREEN));
}

// Moved to a monitor of 200 % (Wine never sends the message itself), the window lays itself out
// again at that scale and takes the place the system suggests; back at 96 DPI it is the stored
// design again.
TEST_F(MainFormSettingsTest, DpiChangeRescalesTheWindowItsShapeAndItsControls) {
    TMainForm1& f = Load();
    auto moveTo = [&](int dpi, RECT suggested) {
        SendMessageW(f.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&suggested));
    };
    auto shapeBox = [&] {
        const UniqueRgn shape(CreateRectRgn(0, 0, 0, 0));
        RECT box{};
        if (GetWindowRgn(f.Handle(), shape.get()) != ERROR) GetRgnBox(shape.get(), &box);
        return FromRECT(box);
    };
    auto childRect = [&](TWinControl* c) {
        RECT rc;
        GetWindowRect(c->Handle(), &rc);
        MapWindowPoints(nullptr, f.Handle(), reinterpret_cast<POINT*>(&rc), 2);
        return FromRECT(rc);
    };
    moveTo(192, RECT{30, 40, 30 + 722, 40 + 1106});
    EXPECT_EQ(FromRECT(WindowRect()), (Rect{30, 40, 752, 1146}));
    const Rect shape = shapeBox();
    EXPECT_EQ(shape.left, 1); // only the first column is kept for the transparent colour
    EXPECT_EQ(shape.top, 0);
    EXPECT_GE(shape.right, 721);
    EXPECT_GE(shape.bottom, 1105);
    EXPECT_EQ(childRect(Box(L"CheckBox1")), (Rect{104, 68, 130, 94}));
    EXPECT_EQ(childRect(Button(L"CButton4")), (Rect{528, 608, 682, 748}));
    EXPECT_EQ(Label(L"L1_01")->Font().height, 22);
    EXPECT_EQ(Label(L"L1_01")->Shadow().OffsetLeft(), 2);
    EXPECT_EQ(List(L"C1_02")->Columns().Items(1).Width, 200);
    // Its icons drawn for the new scale, not stretched from the ones it had.
    auto iconWidth = [&](WPARAM which) {
        ICONINFO info{};
        GetIconInfo(HICON(SendMessageW(f.Handle(), WM_GETICON, which, 0)), &info);
        const UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
        return testing_support::SizeOf(colour.get()).cx;
    };
    EXPECT_EQ(iconWidth(ICON_SMALL), 32);
    EXPECT_EQ(iconWidth(ICON_BIG), 64);
    moveTo(96, RECT{30, 40, 30 + 361, 40 + 553});
    EXPECT_EQ(shapeBox(), (Rect{1, 0, 361, 553})); // the stored outline, as at the start
    EXPECT_EQ(iconWidth(ICON_SMALL), 16);
    EXPECT_EQ(childRect(Box(L"CheckBox1")), (Rect{52, 34, 65, 47}));
}
