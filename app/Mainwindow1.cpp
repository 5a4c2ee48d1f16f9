#include "app/Mainwindow1.h"

#include "app/SettingsValues.h"
#include "forms/MainForm1Layout.h"
#include "forms/SkinArt.h"
#include "forms/resource.h"
#include "framework/AccessibleText.h"
#include "framework/Application.h"
#include "framework/Files.h"
#include "imaging/SaveNaming.h"

#include <shellapi.h>

namespace pelorine {

using namespace mainform;

namespace {
// The caption labels: transparent over the skin, vertically centred, with a black shadow one pixel
// right and down and no highlight; their looks differ in font and text gradient.
void ApplyLabelLook(TShadowLabel& label, Look look) {
    label.Transparent = true;
    label.Layout = TTextLayout::Center;
    label.SetGradation(true);
    label.SetGradateVert(true);
    label.Shadow().SetShadowColor(clBlack);
    label.Highlight().SetShadowVisible(false);
    TFont& f = label.Font();
    f.color = clWhite;
    label.SetGradationColor(clBlack);
    label.SetTextMidColor(clBlack);
    switch (look) {
    case Look::Title:
        f.bold = true;
        f.color = TColor{0x00B0FFFF};
        label.SetGradationColor(TColor{0x00C08000});
        label.SetTextGradation(TTextGradation::tg3Colors);
        label.SetTextGradationColor(TColor{0x00B0FFFF});
        label.SetTextMidColor(clWhite);
        break;
    case Look::Option:
        label.SetTextGradation(TTextGradation::tg3Colors);
        label.SetTextGradationColor(clWhite);
        label.SetTextMidColor(TColor{0x00FFFF80});
        break;
    case Look::Field:
        label.SetTextGradation(TTextGradation::tg2Colors);
        label.SetTextGradationColor(TColor{0x00FFFF80});
        break;
    case Look::FieldPlain:
        label.SetTextGradationColor(TColor{0x00FF8000});
        break;
    case Look::FieldUnit:
        f.color = TColor{0x00FFFF80};
        label.SetTextGradation(TTextGradation::tg2Colors);
        label.SetTextGradationColor(clWhite);
        break;
    case Look::None:
        break;
    }
}

// Showing the window from the tray also undoes a minimise (a click on the taskbar button
// minimises the active window), which showing alone would leave as it is.
void ShowRestored(TForm& form) {
    if (IsIconic(form.Handle())) ShowWindow(form.Handle(), SW_RESTORE);
    form.Show();
}
} // namespace

TMainForm1::TMainForm1(TComponent* owner)
    : TForm(owner, WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_APPWINDOW, L"Pelorine") {
    SetColor(clBlack);
    SetScale(StartScale());
    if (!scale_.IsDesign())
        skin_ = std::async(std::launch::async, [s = scale_] { return skin::DrawSkin(s); });
    SetBounds(Bounds(kLeft, kTop, scale_.Scaled(kClientWidth), scale_.Scaled(kClientHeight)));
    LoadIcons();
    // A copy started without elevation asks an elevated one to show itself; the isolation of
    // privileges would drop that message otherwise.
    ChangeWindowMessageFilterEx(Handle(), ShowWindowMessage(), MSGFLT_ALLOW, nullptr);
    CreateControls();
    CreateMenu();
    SnapShot1 = New<TWinShot>(L"SnapShot1");
    SnapShot1->ActiveWindow = true;
    SnapShot1->IncludeMouseCursor = true;
    CreateAppHint();
    TrayIcon1 = New<TTrayIcon>(L"TrayIcon1");
    TrayIcon1->SetIcon([](int size) { return LoadIconAtSize(IDI_PELORINE, size); });
    TrayIcon1->PopupMenu = PopupMenu1;
    TrayIcon1->OnDblClick = [this](TComponent* s) { TrayIcon1DblClick(s); };
    CreateHotKeys();
    OnClose = [this](TComponent* s, TCloseAction& a) { FormClose(s, a); };

    // Completing the window, in this order.
    AppDir_ = AppDirFromExePath(TApplication::ExeName());
    CreatePipeline();
    for (TdxfColorButton* button : {CButton1, CButton2, CButton3, CButton4})
        button->SetShowHint(true);
    Rgn1->SetWndRgn();
    FillLists();
    LoadSettings();
}

void TMainForm1::CreateControls() {
    for (const ControlRow& row : kControls) {
        TControl* made = nullptr;
        switch (row.kind) {
        case Kind::Skin:
            made = Rgn1 = New<TRgn>(row.name, this);
            break;
        case Kind::Label: {
            auto* label = New<TShadowLabel>(row.name, this);
            label->SetCaption(row.text);
            ApplyLabelLook(*label, row.look);
            made = label;
            break;
        }
        case Kind::CheckBox: {
            auto* box = New<TdxfCheckBox>(row.name, this);
            box->SetAutoSize(false);
            box->SetCursor(TCursor::HandPoint);
            box->SetChecked(row.value != 0);
            made = box;
            break;
        }
        case Kind::ComboBox: {
            auto* box = New<TMultiColComboBox>(row.name, this);
            box->SetCanEdit(false);
            box->SetCursor(TCursor::HandPoint);
            made = box;
            break;
        }
        case Kind::SpinEdit: {
            auto* spin = New<TSpinEdit>(row.name, this);
            spin->SetRange(row.min, row.max);
            spin->SetValue(row.value);
            if (row.max == 255) spin->SetMaxLength(3); // the margin fields
            made = spin;
            break;
        }
        case Kind::BrowseEdit:
            made = New<TBrowseEdit>(row.name, this);
            break;
        case Kind::Edit: {
            auto* edit = New<TEdit>(row.name, this);
            edit->SetText(row.text);
            made = edit;
            break;
        }
        case Kind::Button: {
            auto* button = New<TdxfColorButton>(row.name, this);
            button->SetColor(clAqua);
            button->SetCursor(TCursor::HandPoint);
            button->SetCaption(row.text);
            button->Font().color = TColor{0x00B0FFFF};
            made = button;
            break;
        }
        case Kind::Panel:
            made = Panel1 = New<TPanel>(row.name, this);
            Panel1->Color = clBlack;
            break;
        case Kind::Image:
            made = Image1 = New<TImage>(row.name, Panel1);
            break;
        }
        if (auto* w = dynamic_cast<TWinControl*>(made)) {
            if (row.kind != Kind::Button && row.kind != Kind::Panel) w->Font().color = clBlue;
            w->SetTabOrder(row.tab);
        }
        Place(row, *made);
        made->SetHint(row.hint);
        // The buttons' hints are switched on once the window is built.
        made->SetShowHint(*row.hint && row.kind != Kind::Button);
    }
    LoadSkin();
    for (const LabelPair& pair : kLabelFor)
        Get<TWinControl>(pair.control)
            ->SetAccessibleName(LabelName(Get<TShadowLabel>(pair.label)->Caption()));

    CheckBox1 = Get<TdxfCheckBox>(L"CheckBox1");
    CheckBox2 = Get<TdxfCheckBox>(L"CheckBox2");
    CheckBox3 = Get<TdxfCheckBox>(L"CheckBox3");
    CheckBox4 = Get<TdxfCheckBox>(L"CheckBox4");
    C1_01 = Get<TMultiColComboBox>(L"C1_01");
    C1_02 = Get<TMultiColComboBox>(L"C1_02");
    C1_03 = Get<TMultiColComboBox>(L"C1_03");
    C1_04 = Get<TMultiColComboBox>(L"C1_04");
    C1_05 = Get<TMultiColComboBox>(L"C1_05");
    C1_06_1 = Get<TSpinEdit>(L"C1_06_1");
    C1_06_2 = Get<TSpinEdit>(L"C1_06_2");
    C1_06_3 = Get<TSpinEdit>(L"C1_06_3");
    C0_03 = Get<TSpinEdit>(L"C0_03");
    C2_04_1 = Get<TSpinEdit>(L"C2_04_1");
    C2_04_2 = Get<TSpinEdit>(L"C2_04_2");
    C2_04_3 = Get<TSpinEdit>(L"C2_04_3");
    C2_04_4 = Get<TSpinEdit>(L"C2_04_4");
    C0_01 = Get<TBrowseEdit>(L"C0_01");
    C0_02 = Get<TEdit>(L"C0_02");
    C2_02 = Get<TEdit>(L"C2_02");
    C2_03 = Get<TEdit>(L"C2_03");
    L1_02 = Get<TShadowLabel>(L"L1_02");
    L1_06_1 = Get<TShadowLabel>(L"L1_06_1");
    L1_06_2 = Get<TShadowLabel>(L"L1_06_2");
    CButton1 = Get<TdxfColorButton>(L"CButton1");
    CButton2 = Get<TdxfColorButton>(L"CButton2");
    CButton3 = Get<TdxfColorButton>(L"CButton3");
    CButton4 = Get<TdxfColorButton>(L"CButton4");

    CheckBox1->OnClick = [this](TComponent* s) { CheckBox1Click(s); };
    C0_01->OnChange = [this](TComponent* s) { C0_01Change(s); };
    C0_01->OnExit = [this](TComponent* s) { C0_01Change(s); };
    C1_01->OnChange = [this](TComponent* s) { C1_01Change(s); };
    C1_05->OnChange = [this](TComponent* s) { C1_05Change(s); };
    CButton1->OnClick = [this](TComponent*) { Close(); };
    CButton2->OnClick = [this](TComponent*) { OpenUserGuide(); };
    CButton3->OnClick = [this](TComponent*) { ShowInformation(); };
    CButton4->OnClick = [this](TComponent* s) { CButton4Click(s); };
}

// A control at the window's scale: its place, its font and its text's shadow from the 96-DPI
// design.
void TMainForm1::Place(const ControlRow& row, TControl& control) const {
    control.SetScale(scale_);
    control.Font().height = scale_.Scaled(row.fontHeight);
    control.SetBounds(scale_.Scaled(Bounds(row.left, row.top, row.width, row.height)));
    if (auto* w = dynamic_cast<TWinControl*>(&control)) w->ApplyFont();
    if (auto* label = dynamic_cast<TShadowLabel*>(&control)) {
        label->Shadow().SetShadowLeft(scale_.Scaled(1));
        label->Shadow().SetShadowTop(scale_.Scaled(1));
        label->Highlight().SetShadowLeft(scale_.Scaled(-1));
        label->Highlight().SetShadowTop(scale_.Scaled(-1));
    }
}

// At 96 DPI the skin as the form stores it: the picture and its outline, read without a scan.
// At any other scale the picture is drawn for it and its outline scanned, never stretched.
void TMainForm1::LoadSkin() {
    if (scale_.IsDesign()) {
        Rgn1->RgnBitmap().LoadFromResource(IDB_SKIN);
        Rgn1->ReadRgnData(ResourceBytes(IDR_SKIN_OUTLINE));
    } else {
        Rgn1->SetRgnPixels(skin_.valid() ? skin_.get() : skin::DrawSkin(scale_));
    }
    Rgn1->Loaded();
}

// The window is made at the primary monitor's corner and moved to its stored place only when the
// settings are read; it takes the scale of the monitor it will lie on there before anything is
// laid out, as a window not yet shown cannot count on WM_DPICHANGED.
Scale TMainForm1::StartScale() const {
    const TIniFile ini(IniPathFromExePath(TApplication::ExeName()));
    Point stored{kLeft, kTop};
    for (const SettingKey& key : kSettingKeys) {
        if (key.kind == SettingKind::WindowLeft) stored.x = ini.ReadInteger(key.section, key.key, stored.x);
        if (key.kind == SettingKind::WindowTop) stored.y = ini.ReadInteger(key.section, key.key, stored.y);
    }
    const std::vector<MonitorDpi> monitors = MonitorsWithDpi();
    return monitors.empty() ? WindowScale(Handle())
                            : ScaleAtPlace(stored, Size{kClientWidth, kClientHeight}, monitors);
}

// The taskbar button, Alt+Tab and the window's own icons at the sizes of the window's scale.
void TMainForm1::LoadIcons() {
    UniqueIcon large = LoadIconAtSize(IDI_PELORINE, SystemMetric(SM_CXICON, scale_));
    UniqueIcon little = LoadIconAtSize(IDI_PELORINE, SystemMetric(SM_CXSMICON, scale_));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, LPARAM(large.get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, LPARAM(little.get()));
    bigIcon_ = std::move(large); // the icons the window held until now go only now
    smallIcon_ = std::move(little);
}

// Moved to a monitor of another DPI: everything is laid out again at the new scale, and the
// window takes the place the system suggests, at the design's size at that scale. (The system
// scales the size it knew, which may already be the new monitor's: see StartScale.)
void TMainForm1::ChangeScale(Scale scale, const Rect& suggested) {
    SetScale(scale);
    LoadIcons();
    for (const ControlRow& row : kControls)
        Place(row, *Get<TControl>(row.name));
    ScaleLists();
    ScaleHint();
    LoadSkin();
    Rgn1->SetWndRgn();
    SetBounds(
        Bounds(suggested.left, suggested.top, scale_.Scaled(kClientWidth), scale_.Scaled(kClientHeight)));
    Invalidate();
}

void TMainForm1::CreateMenu() {
    PopupMenu1 = New<TPopupMenu>(L"PopupMenu1");
    for (const MenuRow& row : kMenu) {
        auto* parent = row.parent ? MenuItem(row.parent) : PopupMenu1->Items();
        New<TMenuItem>(row.name, parent, row.caption, row.shortCut);
    }
    const std::pair<const wchar_t*, void (TMainForm1::*)(TComponent*)> handlers[] = {
        {L"N1", &TMainForm1::N1Click}, {L"N3", &TMainForm1::N3Click}, {L"N4", &TMainForm1::N4Click},
        {L"W1", &TMainForm1::W1Click}, {L"D1", &TMainForm1::D1Click}, {L"W2", &TMainForm1::W2Click},
        {L"D2", &TMainForm1::D2Click}, {L"X1", &TMainForm1::X1Click},
    };
    for (const auto& [name, handler] : handlers)
        MenuItem(name)->OnClick = [this, h = handler](TComponent* s) { (this->*h)(s); };
    MenuItem(L"N8")->OnClick = [this](TComponent*) { OpenUserGuide(); };
    MenuItem(L"N9")->OnClick = [this](TComponent*) { ShowInformation(); };
}

TMenuItem* TMainForm1::MenuItem(const std::wstring& name) const { return Get<TMenuItem>(name); }

// Every hint of the program: a dark cyan rounded rectangle with white text on a grey shadow.
void TMainForm1::CreateAppHint() {
    AppHint1 = New<TAppHint>(L"AppHint1");
    AppHint1->SetHintStyle(THintStyle::RoundRect);
    AppHint1->BGColor = clBlack;
    AppHint1->Brush = TBrush{TColor{0x00DBDB00}, TBrushStyle::Solid};
    AppHint1->Pen.color = clGray;
    ScaleHint();
    AppHint1->ShadowVisible = true;
    AppHint1->ShadowColor = TColor{0x004F4F4F};
    AppHint1->SetHintPause(500);
    AppHint1->SetHintHidePause(2500);
    AppHint1->SetHintShortPause(0);
    AppHint1->Loaded();
}

void TMainForm1::ScaleHint() {
    AppHint1->SetScale(scale_);
    TFont font;
    font.color = clWhite;
    font.height = scale_.Scaled(13);
    AppHint1->SetFont(font);
}

void TMainForm1::CreateHotKeys() {
    void (TMainForm1::*const commands[])(TComponent*) = {&TMainForm1::N3Click, &TMainForm1::N4Click,
                                                         &TMainForm1::W1Click, &TMainForm1::D1Click,
                                                         &TMainForm1::W2Click, &TMainForm1::D2Click};
    for (size_t i = 0; i < HotKeys.size(); ++i) {
        HotKeys[i] = New<TGlobalHotKey>(L"HotKey" + std::to_wstring(i + 1));
        HotKeys[i]->OnKeyDown = [this, command = commands[i]](TComponent*, unsigned, unsigned) {
            (this->*command)(this);
        };
        HotKeys[i]->SetHotKey(kHotKeys[i]);
    }
}

void TMainForm1::FillLists() {
    for (const ListRow& list : kLists) {
        auto* box = Get<TMultiColComboBox>(list.name);
        box->SetColor(clWhite);
        box->SetIndent(1);
        box->SetDropDownCount(list.dropDownRows);
        box->Columns().Clear();
        for (size_t i = 0; i < list.columnWidths.size() && list.columnWidths[i] > 0; ++i)
            box->Columns().Add().SetColor(kListColumnColors[i]);
        for (const wchar_t* item : list.items)
            if (item) box->AddItem(item);
    }
    ScaleLists();
}

// The lists' rows, columns and column fonts at the window's scale.
void TMainForm1::ScaleLists() {
    TFont columnFont;
    columnFont.height = scale_.Scaled(11);
    columnFont.color = clBlack;
    for (const ListRow& list : kLists) {
        auto* box = Get<TMultiColComboBox>(list.name);
        box->SetItemHeight(scale_.Scaled(13));
        for (int i = 0; i < box->Columns().Count(); ++i) {
            TCBColumn& column = box->Columns().Items(i);
            column.Width = scale_.Scaled(list.columnWidths[size_t(i)]);
            column.SetFont(columnFont);
        }
    }
}

UINT TMainForm1::ShowWindowMessage() {
    static const UINT msg = RegisterWindowMessageW(L"PelorineShowWindow");
    return msg;
}

LRESULT TMainForm1::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == TCapturePipeline::kRunQueuedCapture) {
        pipeline_->RunQueued();
        return 0;
    }
    if (msg == ShowWindowMessage()) {
        ShowRestored(*this);
        return 0;
    }
    if (msg == WM_DPICHANGED) {
        ChangeScale(Scale(HIWORD(wp)), FromRECT(*reinterpret_cast<const RECT*>(lp)));
        return 0;
    }
    if (msg == WM_QUERYENDSESSION) return TRUE;
    if (msg == WM_ENDSESSION) {
        if (wp) EndSession();
        return 0;
    }
    // The borderless window is dragged by its body: every point counts as the caption.
    if (msg == WM_NCHITTEST) return HTCAPTION;
    // A right click on that "caption" would open the window menu; the window has no menu.
    if (msg == WM_CONTEXTMENU && HWND(wp) == Handle()) return 0;
    // Nor from the keyboard: Alt+Space would open it.
    if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_KEYMENU) return 0;
    return TForm::WndProc(msg, wp, lp);
}

// --- Shell commands and option rules ---------------------------------------------------------

void TMainForm1::N1Click(TComponent*) { ShowRestored(*this); }
void TMainForm1::TrayIcon1DblClick(TComponent*) { ShowRestored(*this); }
void TMainForm1::X1Click(TComponent*) { Close(); }

void TMainForm1::CButton4Click(TComponent*) {
    Hide();
    TrayIcon1->SetActive(true);
}

void TMainForm1::CheckBox1Click(TComponent*) {
    for (TGlobalHotKey* key : HotKeys)
        key->SetActive(CheckBox1->Checked());
}

void TMainForm1::C0_01Change(TComponent*) {
    // While the user types in the field, a "\" at the end starts the next folder name: taking it
    // away then would lose it and throw the caret to the start. The rule waits until they leave.
    const std::wstring text = C0_01->Text();
    const std::wstring trimmed = RemoveTrailingBackslash(text);
    if (trimmed != text && !C0_01->Focused()) C0_01->SetText(trimmed); // runs this rule again
    C0_01->SetHint(RemoveTrailingBackslash(C0_01->Text()));
}

void TMainForm1::C1_01Change(TComponent*) {
    const auto format = SaveFormatForItem(C1_01->ItemIndex());
    const bool jpeg = format && format->mediaFormat == kFormatJpeg;
    L1_02->SetEnabled(jpeg);
    C1_02->SetEnabled(jpeg);
}

void TMainForm1::C1_05Change(TComponent*) {
    const auto mode = ResizeModeForItem(C1_05->ItemIndex());
    if (!mode) return;
    const bool factor = *mode == ResizeMode::Scale;
    const bool pixels = *mode == ResizeMode::Pixels || *mode == ResizeMode::PixelsStretched;
    L1_06_1->SetEnabled(factor);
    C1_06_1->SetEnabled(factor);
    L1_06_2->SetEnabled(pixels);
    C1_06_2->SetEnabled(pixels);
    C1_06_3->SetEnabled(pixels);
}

void TMainForm1::OpenUserGuide() {
    // Any length of path: the string carries it whole.
    const std::wstring path = AppDir_ + L"/Readme.txt";
    ShellExecuteW(Handle(), L"OPEN", path.c_str(), L"", L"", SW_SHOW);
}

void TMainForm1::ShowInformation() {
    if (OnShowInformation) OnShowInformation();
}

} // namespace pelorine
