#include "app/Infowindow1.h"

#include "forms/InfoForm1Layout.h"
#include "forms/LogoArt.h"
#include "forms/resource.h"
#include "framework/FontFaces.h"

#include <algorithm>
#include <shellapi.h>

namespace pelorine {

using namespace infoform;

TInfoForm1::TInfoForm1(TComponent* owner)
    : TForm(owner, WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW, kCaption) {
    CreateMembers();
    Layout(WindowScale(Handle()));
}

// Everything the scale decides: the fonts, the client area with the frame of that DPI, the
// members' places and the logo. Run when the window is made and whenever its DPI changes.
void TInfoForm1::Layout(Scale scale) {
    SetScale(scale);
    font_.height = scale_.Scaled(kFontHeight);
    ApplyFont();
    SetClientSize(scale_.Scaled(kClientWidth), scale_.Scaled(kClientHeight));
    for (const MemberRow& row : kMembers) {
        auto* member = Get<TControl>(row.name);
        member->SetScale(scale_);
        member->Font().height = scale_.Scaled(row.fontHeight);
        member->SetBounds(Designed(row));
        if (auto* w = dynamic_cast<TWinControl*>(member)) w->ApplyFont();
    }
    FitLabels();
    LoadLogo();
    Invalidate();
}

void TInfoForm1::CreateMembers() {
    for (const MemberRow& row : kMembers) {
        TControl* made = CreateMember(row);
        made->Font().color = row.textColor;
        made->SetHint(row.hint);
        made->SetShowHint(*row.hint != L'\0');
    }
    Image1 = Get<TImage>(L"Image1");
    Label1 = Get<TLabel>(L"Label1");
    Label2 = Get<TLabel>(L"Label2");
    Label3 = Get<TLabel>(L"Label3");
    SpeedButton1 = Get<TSpeedButton>(L"SpeedButton1");
    SpeedButton2 = Get<TSpeedButton>(L"SpeedButton2");
    SpeedButton3 = Get<TSpeedButton>(L"SpeedButton3");

    SpeedButton1->OnClick = [this](TComponent* s) { SpeedButton1Click(s); };
    SpeedButton2->OnClick = [this](TComponent* s) { SpeedButton2Click(s); };
    SpeedButton3->OnClick = [this](TComponent* s) { SpeedButton3Click(s); };
}

TControl* TInfoForm1::CreateMember(const MemberRow& row) {
    switch (row.kind) {
    case Kind::Panel:
        Panel1 = New<TPanel>(row.name, this);
        Panel1->Color = row.face;
        Panel1->Lowered = true;
        return Panel1;
    case Kind::Image:
        return New<TImage>(row.name, Panel1);
    case Kind::Label: {
        auto* label = New<TLabel>(row.name, Panel1);
        label->SetCaption(row.text);
        label->Color = row.face;
        label->Transparent = row.transparent;
        return label;
    }
    case Kind::SpeedButton: {
        auto* button = New<TSpeedButton>(row.name, Panel1);
        button->SetCaption(row.text);
        button->Color = row.face;
        button->Flat = row.linkOf != nullptr;
        if (button->Flat) button->SetCursor(TCursor::HandPoint);
        return button;
    }
    }
    return nullptr;
}

// Our particulars need not be as wide as the designed lines: a label takes the width of its
// text and stays inside the panel's bevel; a link line stays centred where it was designed and its
// button keeps the designed margins around it, so the whole address is readable and clickable.
void TInfoForm1::FitLabels() {
    for (const MemberRow& row : kMembers)
        if (row.kind == Kind::Label) FitLabel(*Get<TLabel>(row.name), LinkOver(row.name) != nullptr);
    for (const MemberRow& row : kMembers)
        if (row.linkOf) FitLink(row, *FindMember(row.linkOf));
}

Rect TInfoForm1::Designed(const MemberRow& row) const {
    return scale_.Scaled(Bounds(row.left, row.top, row.width, row.height));
}

void TInfoForm1::FitLabel(TLabel& label, bool centred) {
    const int inset = scale_.Scaled(3); // the bevel and one pixel
    const Rect designed = label.BoundsRect();
    const int width = int(label.TextSize().cx);
    int left = centred ? designed.left + (designed.Width() - width) / 2 : designed.left;
    left = std::max(inset, std::min(left, Panel1->Width() - inset - width));
    label.SetBounds(Bounds(left, designed.top, width, designed.Height()));
}

void TInfoForm1::FitLink(const MemberRow& button, const MemberRow& designedLabel) {
    const Rect label = Get<TLabel>(designedLabel.name)->BoundsRect();
    const Rect designed = Designed(button), around = Designed(designedLabel);
    const int marginLeft = around.left - designed.left, marginRight = designed.right - around.right;
    Get<TSpeedButton>(button.name)
        ->SetBounds(Rect{label.left - marginLeft, designed.top, label.right + marginRight, designed.bottom});
}

void TInfoForm1::LoadLogo() {
    if (scale_.IsDesign())
        Image1->Picture().SetHandle(HBITMAP(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_LOGO),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    else
        Image1->Picture().SetPixels(ScaledLogo());
    Image1->PictureChanged();
}

// The logo at the window's scale: the spheres drawn for it, the name from a font of the scaled
// height.
RasterImage TInfoForm1::ScaledLogo() const {
    RasterImage picture = logo::DrawLogoSpheres(scale_);
    TBitmap name;
    name.SetPixels(RasterImage(picture.width, picture.height, 24));
    {
        BitmapCanvas canvas(name.Handle());
        canvas.Canvas().FillRect(Rect{0, 0, picture.width, picture.height}, clWhite);
        TFont font;
        font.name = kLogoFace;
        font.charSet = ANSI_CHARSET;
        font.bold = true;
        font.height = scale_.Scaled(logo::kNameFontHeight);
        canvas.Canvas().SetFont(font);
        const std::wstring text = L"Pelorine";
        const int top = scale_.Scaled(logo::kNameTop) +
                        (scale_.Scaled(logo::kNameHeight) - int(canvas.Canvas().TextExtent(text).cy)) / 2;
        canvas.Canvas().TextOut(Point{scale_.Scaled(logo::kNameLeft), top}, text, clBlack);
    }
    logo::PaintLogoName(picture, name.Pixels(), scale_);
    return picture;
}

void TInfoForm1::CenterOnScreen() {
    RECT rc;
    GetWindowRect(Handle(), &rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    SetBounds(Bounds((GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height));
}

LRESULT TInfoForm1::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SHOWWINDOW:
        if (wp && !placed_) {
            CenterOnScreen();
            placed_ = true;
        }
        break;
    case WM_GETDPISCALEDSIZE: { // the exact size for the new DPI, which the system then suggests
        const Scale next{int(wp)};
        const Size frame =
            FrameSize(Handle(), Size{next.Scaled(kClientWidth), next.Scaled(kClientHeight)}, next);
        *reinterpret_cast<SIZE*>(lp) = SIZE{frame.width, frame.height};
        return TRUE;
    }
    case WM_DPICHANGED: {
        // The suggested place; the size is the one answered above, laid out again here, so a
        // suggestion scaled by the system alone cannot cut the client area by a pixel.
        const RECT& suggested = *reinterpret_cast<const RECT*>(lp);
        Layout(Scale(HIWORD(wp)));
        SetBounds(Bounds(suggested.left, suggested.top, Width(), Height()));
        return 0;
    }
    case WM_CHAR:
    case WM_SYSCHAR: // "CLOSE (&X)" answers to X with or without Alt
        if (ClickAccelerator(*this, wchar_t(wp))) return 0;
        break;
    }
    return TForm::WndProc(msg, wp, lp);
}

void TInfoForm1::SpeedButton1Click(TComponent*) {
    ShellExecuteW(Handle(), L"OPEN", kWebAddress, L"", L"", SW_SHOW);
}

void TInfoForm1::SpeedButton2Click(TComponent*) { Close(); }

void TInfoForm1::SpeedButton3Click(TComponent*) {
    const std::wstring mail = std::wstring(L"MailTo:") + kMailAddress;
    ShellExecuteW(nullptr, nullptr, mail.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace pelorine
