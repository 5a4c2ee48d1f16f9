#pragma once
// The main window's form description: every control with its class, place (left, top, width,
// height at 96 dpi), tab order, text, hint, range and look, in the order the controls are made
// (later windowed controls lie on top of earlier ones). Data only, so tests can read it natively.
#include "base/Colors.h"
#include "framework/Geometry.h"

#include <array>
#include <cstdint>

namespace pelorine::mainform {

enum class Kind { Skin, Label, CheckBox, ComboBox, SpinEdit, BrowseEdit, Edit, Button, Panel, Image };
enum class Look { None, Title, Option, Field, FieldPlain, FieldUnit };

struct ControlRow {
    const wchar_t* name;
    Kind kind;
    int left, top, width, height;
    int tab;             // -1: not in the tab order
    const wchar_t* text; // caption, or initial text
    const wchar_t* hint; // with its leading blank
    int min, max, value; // spin edits: range and initial value; check boxes: value 1 = checked
    Look look;
    int fontHeight;
};

constexpr int kClientWidth = 361, kClientHeight = 553, kLeft = 20, kTop = 20;
// The top disc of the skin, by which the window is dragged: it must stay reachable on a screen.
constexpr Rect kTitleArea{29, 0, 179, 150};

// clang-format off
constexpr std::array<ControlRow, 50> kControls{{
    {L"Rgn1", Kind::Skin, 0, 0, 361, 553, -1, L"", L"", 0, 0, 0, Look::None, 12},
    {L"ShadowLabel15", Kind::Label, 69, 13, 69, 12, -1, L"ｷｬﾌﾟﾁｬ設定", L"", 0, 0, 0, Look::Title, 12},
    {L"ShadowLabel10", Kind::Label, 68, 36, 84, 11, -1, L"ﾎｯﾄｷｰを使用する", L"", 0, 0, 0, Look::Option, 11},
    {L"ShadowLabel5", Kind::Label, 60, 54, 88, 11, -1, L"ﾏｳｽｶｰｿﾙを含める", L"", 0, 0, 0, Look::Option, 11},
    {L"ShadowLabel19", Kind::Label, 56, 72, 73, 11, -1, L"5秒後にｷｬﾌﾟﾁｬ", L"", 0, 0, 0, Look::Option, 11},
    {L"ShadowLabel12", Kind::Label, 60, 90, 90, 11, -1, L"ｷｬﾌﾟﾁｬ時の効果音", L"", 0, 0, 0, Look::Option, 11},
    {L"ShadowLabel16", Kind::Label, 172, 98, 98, 12, -1, L"ﾀﾞｲﾚｸﾄ保存 設定", L"", 0, 0, 0, Look::Title, 12},
    {L"L1_01", Kind::Label, 137, 122, 56, 11, -1, L"ﾌｧｲﾙ形式 -", L"", 0, 0, 0, Look::Field, 11},
    {L"L1_02", Kind::Label, 115, 142, 57, 11, -1, L"JPEG画質 -", L"", 0, 0, 0, Look::Field, 11},
    {L"L1_03", Kind::Label, 129, 162, 31, 11, -1, L"色数 -", L"", 0, 0, 0, Look::Field, 11},
    {L"L1_04", Kind::Label, 120, 182, 31, 11, -1, L"回転 -", L"", 0, 0, 0, Look::Field, 11},
    {L"L1_05", Kind::Label, 105, 202, 38, 11, -1, L"ﾘｻｲｽﾞ -", L"", 0, 0, 0, Look::Field, 11},
    {L"L1_06_1", Kind::Label, 100, 222, 43, 11, -1, L"倍率(%) -", L"", 0, 0, 0, Look::Field, 11},
    {L"L1_06_2", Kind::Label, 106, 246, 45, 11, -1, L"幅/高さ -", L"", 0, 0, 0, Look::Field, 11},
    {L"L0_01", Kind::Label, 119, 266, 42, 11, -1, L"保存先 -", L"", 0, 0, 0, Look::Field, 11},
    {L"L0_02", Kind::Label, 105, 286, 73, 11, -1, L"ﾌｧｲﾙ名/連番 -", L"", 0, 0, 0, Look::Field, 11},
    {L"ShadowLabel8", Kind::Label, 52, 371, 98, 12, -1, L"ﾀﾞｲﾚｸﾄ印刷 設定", L"", 0, 0, 0, Look::Title, 12},
    {L"L2_02", Kind::Label, 20, 407, 38, 11, -1, L"ﾍｯﾀﾞｰ -", L"", 0, 0, 0, Look::Field, 11},
    {L"L2_03", Kind::Label, 16, 427, 34, 11, -1, L"ﾌｯﾀｰ -", L"", 0, 0, 0, Look::Field, 11},
    {L"L2_04_4", Kind::Label, 143, 470, 44, 11, -1, L"単位=mm", L"", 0, 0, 0, Look::FieldUnit, 11},
    {L"L2_04_2", Kind::Label, 95, 481, 11, 11, -1, L"↑", L"", 0, 0, 0, Look::FieldPlain, 11},
    {L"L2_04_1", Kind::Label, 77, 491, 50, 11, -1, L"← 余白 →", L"", 0, 0, 0, Look::FieldPlain, 11},
    {L"L2_04_3", Kind::Label, 95, 503, 11, 11, -1, L"↓", L"", 0, 0, 0, Look::FieldPlain, 11},
    {L"CButton4", Kind::Button, 264, 304, 77, 70, -1, L"タスクトレイへ", L" タスクトレイに収める", 0, 0, 0, Look::None, 11},
    {L"CheckBox2", Kind::CheckBox, 44, 52, 13, 13, 1, L"", L" キャプチャ画像にマウスカーソルを含める", 0, 0, 1, Look::None, 12},
    {L"CheckBox3", Kind::CheckBox, 40, 70, 13, 13, 2, L"", L" ５秒後にキャプチャする", 0, 0, 0, Look::None, 12},
    {L"CheckBox4", Kind::CheckBox, 44, 88, 13, 13, 3, L"", L" キャプチャ時に効果音を鳴らす", 0, 0, 1, Look::None, 12},
    {L"C0_02", Kind::Edit, 182, 282, 87, 19, 13, L"Snap", L" 保存ファイル名", 0, 0, 0, Look::None, 11},
    {L"C2_02", Kind::Edit, 62, 403, 115, 19, 15, L"", L" ヘッダーの指定", 0, 0, 0, Look::None, 11},
    {L"C2_03", Kind::Edit, 54, 423, 115, 19, 16, L"", L" フッターの指定", 0, 0, 0, Look::None, 11},
    {L"CButton1", Kind::Button, 332, 364, 22, 14, -1, L"×", L" 閉じる", 0, 0, 0, Look::None, 12},
    {L"CheckBox1", Kind::CheckBox, 52, 34, 13, 13, 0, L"", L" ホットキーを使用する", 0, 0, 1, Look::None, 12},
    {L"Panel1", Kind::Panel, 384, 124, 215, 150, 25, L"", L"", 0, 0, 0, Look::None, 12},
    {L"Image1", Kind::Image, 2, 2, 211, 146, -1, L"", L"", 0, 0, 0, Look::None, 12},
    {L"C1_01", Kind::ComboBox, 196, 118, 82, 19, 4, L"", L" ファイル形式", 0, 0, 0, Look::None, 11},
    {L"C1_02", Kind::ComboBox, 176, 138, 82, 19, 5, L"", L" JPEG保存時の画質(圧縮率)", 0, 0, 0, Look::None, 11},
    {L"C1_03", Kind::ComboBox, 164, 158, 82, 19, 6, L"", L" 画像の色数", 0, 0, 0, Look::None, 11},
    {L"C1_05", Kind::ComboBox, 147, 198, 82, 19, 8, L"", L" 画像のリサイズ方法", 0, 0, 0, Look::None, 11},
    {L"C1_06_1", Kind::SpinEdit, 147, 218, 82, 19, 9, L"", L" リサイズの倍率(%)", 1, 1000, 100, Look::None, 11},
    {L"C1_06_2", Kind::SpinEdit, 155, 238, 82, 19, 10, L"", L" リサイズの幅(ﾋﾟｸｾﾙ単位)", 1, 9999, 640, Look::None, 11},
    {L"C1_06_3", Kind::SpinEdit, 237, 238, 82, 19, 11, L"", L" リサイズの高さ(ﾋﾟｸｾﾙ単位)", 1, 9999, 480, Look::None, 11},
    {L"C1_04", Kind::ComboBox, 155, 178, 82, 19, 7, L"", L" 画像の回転角度(時計回り)", 0, 0, 0, Look::None, 11},
    {L"C0_01", Kind::BrowseEdit, 165, 262, 160, 19, 12, L"", L" 保存先のパス", 0, 0, 0, Look::None, 11},
    {L"C2_04_3", Kind::SpinEdit, 26, 487, 50, 19, 19, L"", L" 用紙の左端からの余白(mm単位)", 0, 255, 0, Look::None, 11},
    {L"C2_04_2", Kind::SpinEdit, 75, 512, 50, 19, 18, L"", L" 用紙の下端からの余白(mm単位)", 0, 255, 0, Look::None, 11},
    {L"C2_04_4", Kind::SpinEdit, 126, 487, 50, 19, 20, L"", L" 用紙の右端からの余白(mm単位)", 0, 255, 0, Look::None, 11},
    {L"C2_04_1", Kind::SpinEdit, 75, 462, 50, 19, 17, L"", L" 用紙の上端からの余白(mm単位)", 0, 255, 0, Look::None, 11},
    {L"C0_03", Kind::SpinEdit, 269, 282, 46, 19, 14, L"", L" 保存ファイル名(連番)", 0, 9999, 0, Look::None, 11},
    {L"CButton2", Kind::Button, 296, 380, 22, 22, -1, L"？", L" ユーザーズガイド", 0, 0, 0, Look::None, 12},
    {L"CButton3", Kind::Button, 272, 372, 16, 21, -1, L"ｉ", L" ソフトウェア情報", 0, 0, 0, Look::None, 12},
}};
// clang-format on

// The caption label beside each control that has one of its own, which names it for a screen
// reader. The others share a label ("幅/高さ -", "ﾌｧｲﾙ名/連番 -") or the margin diagram and are
// named by their hints.
struct LabelPair {
    const wchar_t* label;
    const wchar_t* control;
};

constexpr std::array<LabelPair, 13> kLabelFor{{
    {L"ShadowLabel10", L"CheckBox1"},
    {L"ShadowLabel5", L"CheckBox2"},
    {L"ShadowLabel19", L"CheckBox3"},
    {L"ShadowLabel12", L"CheckBox4"},
    {L"L1_01", L"C1_01"},
    {L"L1_02", L"C1_02"},
    {L"L1_03", L"C1_03"},
    {L"L1_04", L"C1_04"},
    {L"L1_05", L"C1_05"},
    {L"L1_06_1", L"C1_06_1"},
    {L"L0_01", L"C0_01"},
    {L"L2_02", L"C2_02"},
    {L"L2_03", L"C2_03"},
}};

struct ListRow {
    const wchar_t* name;
    std::array<int, 2> columnWidths; // 0: no such column
    int dropDownRows;
    std::array<const wchar_t*, 10> items; // nullptr ends the list
};

// Every list's columns have black text of height 11, the first on light cyan, the second on white.
constexpr std::array<TColor, 2> kListColumnColors{TColor{0x00FFFF80}, TColor{0x00FFFFFF}};

// Filled by the constructor in this order.
constexpr std::array<ListRow, 5> kLists{{
    {L"C1_01", {62, 0}, 6, {L"BMP形式", L"TIFF形式", L"JPEG形式", L"PCX形式", L"PNG形式"}},
    {L"C1_02",
     {62, 100},
     10,
     {L"0-低画質,高圧縮率(ﾌｧｲﾙ小)", L"1-低画質,高圧縮率", L"2-低画質,高圧縮率", L"3-標準", L"4-標準",
      L"5-標準", L"6-高画質", L"7-高画質", L"8-最高画質,低圧縮率", L"9-最高画質,低圧縮率(ﾌｧｲﾙ大)"}},
    {L"C1_03",
     {62, 150},
     6,
     {L"2色,BMP/TIFF/PCX/PNG", L"16色,BMP/TIFF/PNG", L"256色,BMP/TIFF/PCX/PNG",
      L"ｸﾞﾚｰｽｹｰﾙ,BMP/TIFF/JPEG/PCX/PNG", L"ﾌﾙｶﾗｰ,BMP/TIFF/JPEG/PCX/PNG"}},
    {L"C1_04", {62, 110}, 5, {L"そのまま,元画像の角度を維持", L"90度", L"180度", L"270度"}},
    {L"C1_05",
     {62, 170},
     6,
     {L"そのまま,元画像のｻｲｽﾞを維持", L"倍率", L"ﾋﾟｸｾﾙ", L"ﾋﾟｸｾﾙ-伸,余白が生じた場合は画像引伸ばし"}},
}};

struct MenuRow {
    const wchar_t* name;
    const wchar_t* parent; // nullptr: top level
    const wchar_t* caption;
    uint16_t shortCut;
};

constexpr std::array<MenuRow, 16> kMenu{{
    {L"N1", nullptr, L"オプション画面(&O)...", 0},
    {L"N2", nullptr, L"-", 0},
    {L"Copy1", nullptr, L"クリップボードコピー(&C)", 0},
    {L"N3", L"Copy1", L"アクティブウィンドウ(&W)", 0x76},
    {L"N4", L"Copy1", L"デスクトップ全体(&D)", 0x77},
    {L"N5", nullptr, L"ダイレクト保存(&S)", 0},
    {L"W1", L"N5", L"アクティブウィンドウ(&W)", 0x78},
    {L"D1", L"N5", L"デスクトップ全体(&D)", 0x79},
    {L"N6", nullptr, L"ダイレクト印刷(&P)", 0},
    {L"W2", L"N6", L"アクティブウィンドウ(&W)", 0x7A},
    {L"D2", L"N6", L"デスクトップ全体(&D)", 0x7B},
    {L"N7", nullptr, L"-", 0},
    {L"N8", nullptr, L"ユーザーズガイド(&G)", 0},
    {L"N9", nullptr, L"ソフトウェア情報(&A)...", 0},
    {L"N10", nullptr, L"-", 0},
    {L"X1", nullptr, L"終了(&X)", 0},
}};

// HotKey1 to HotKey6: F7 to F12 without modifiers.
constexpr std::array<uint16_t, 6> kHotKeys{0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B};

} // namespace pelorine::mainform
