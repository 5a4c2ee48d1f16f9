#pragma once
// The information window's form description: every member with its class, place (left, top,
// width, height at 96 dpi inside the panel), text, hint and look, in the order they are made
// (later ones lie on top). Data only, so tests can read it natively.
#include "base/Colors.h"

#include <array>
#include <string_view>

// The maker's particulars, shown on the window and opened by its links. Example domains are
// reserved for documentation, so no real site or mailbox is ever reached by mistake.
#define PELORINE_MAKER L"Pelorine Project"
#define PELORINE_DESIGNER L"Pelorine Team"
#define PELORINE_WEB L"https://pelorine.example.org/"
#define PELORINE_MAIL L"support@pelorine.example.org"

namespace pelorine::infoform {

enum class Kind { Panel, Image, Label, SpeedButton };

struct MemberRow {
    const wchar_t* name;
    Kind kind;
    int left, top, width, height;
    const wchar_t* text; // caption
    const wchar_t* hint; // with its leading blank; "" for none
    TColor face;         // the panel's, a label's or a button's background
    TColor textColor;
    int fontHeight;
    bool transparent;      // labels
    const wchar_t* linkOf; // speed buttons: a link, flat with a hand cursor, lying over this label
};

constexpr const wchar_t* kCaption = L"Pelorine Ver.2.6";
constexpr int kClientWidth = 248, kClientHeight = 128, kFontHeight = 12;
constexpr const wchar_t* kWebAddress = PELORINE_WEB;
constexpr const wchar_t* kMailAddress = PELORINE_MAIL;

constexpr TColor kOrange{0x000080FF}; // RGB 255, 128, 0

// The panel comes first and holds all the others.
// clang-format off
constexpr std::array<MemberRow, 8> kMembers{{
    {L"Panel1", Kind::Panel, 0, 0, 248, 128, L"", L"", clWhite, clBlack, 12, false, nullptr},
    {L"Image1", Kind::Image, 8, 4, 200, 54, L"", L"", clWhite, clBlack, 12, false, nullptr},
    {L"Label1", Kind::Label, 44, 52, 201, 11, L"Software Design＆Creation : " PELORINE_DESIGNER, L"", clWhite, clBlue, 11, true, nullptr},
    {L"Label3", Kind::Label, 70, 69, 111, 11, L"mail : " PELORINE_MAIL, L"", clWhite, kOrange, 11, false, nullptr},
    {L"SpeedButton3", Kind::SpeedButton, 65, 69, 120, 11, L"", L" " PELORINE_MAKER L"にメールを送信", clWhite, clBlack, 12, false, L"Label3"},
    {L"Label2", Kind::Label, 81, 86, 87, 11, L"url : " PELORINE_WEB, L"", clWhite, kOrange, 11, false, nullptr},
    {L"SpeedButton1", Kind::SpeedButton, 76, 86, 96, 11, L"", L" " PELORINE_MAKER L"のサイトにアクセス", clWhite, clBlack, 12, false, L"Label2"},
    {L"SpeedButton2", Kind::SpeedButton, 85, 104, 77, 16, L"CLOSE (&X)", L" 閉じる", clBtnFace, clBlack, 11, false, nullptr},
}};
// clang-format on

constexpr const MemberRow* FindMember(std::wstring_view name) {
    for (const MemberRow& row : kMembers)
        if (name == row.name) return &row;
    return nullptr;
}

// The link button that lies over a label, if any.
constexpr const MemberRow* LinkOver(std::wstring_view label) {
    for (const MemberRow& row : kMembers)
        if (row.linkOf && label == row.linkOf) return &row;
    return nullptr;
}

} // namespace pelorine::infoform
