// What a screen reader hears of the real window: every control read through oleacc from this
// process, as a reader reads it, and a check box toggled by the keyboard announcing its change.
#include "e2e/AppTest.h"
#include "support/Accessibility.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace e2e;
using namespace testing_support;

namespace {

// The states a reader speaks of a control; the rest (hot-tracked, offscreen …) vary with the
// pointer and the bench.
constexpr long kSpokenStates = STATE_SYSTEM_CHECKED | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE;
constexpr long kCheck = ROLE_SYSTEM_CHECKBUTTON, kCombo = ROLE_SYSTEM_COMBOBOX, kText = ROLE_SYSTEM_TEXT,
               kButton = ROLE_SYSTEM_PUSHBUTTON;
constexpr long kOn = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_CHECKED, kOff = STATE_SYSTEM_FOCUSABLE,
               kGrey = STATE_SYSTEM_UNAVAILABLE;

struct Expected {
    const wchar_t* control; // found at its place on the window
    const wchar_t* name;
    long role;
    long state;
    const wchar_t* value; // null: the bench's own (a folder)
};

// BMP (so no JPEG quality), resize by factor (so no width and height), the serial number 7.
const char* const kIni = "[SET]\r\nHOTKEY=1\r\nCURSOR=0\r\nTIMING=0\r\nSOUND=1\r\n"
                         "[SET0]\r\nC0_02=Snap\r\nC0_03=7\r\n"
                         "[SET1]\r\nC1_01=0\r\nC1_02=3\r\nC1_03=4\r\nC1_04=0\r\nC1_05=1\r\nC1_06_1=150\r\n"
                         "C1_06_2=640\r\nC1_06_3=480\r\n";

// clang-format off
const Expected kTable[] = {
    {L"CheckBox1", L"ﾎｯﾄｷｰを使用する", kCheck, kOn, L""},
    {L"CheckBox2", L"ﾏｳｽｶｰｿﾙを含める", kCheck, kOff, L""},
    {L"CheckBox3", L"5秒後にｷｬﾌﾟﾁｬ", kCheck, kOff, L""},
    {L"CheckBox4", L"ｷｬﾌﾟﾁｬ時の効果音", kCheck, kOn, L""},
    {L"C1_01", L"ﾌｧｲﾙ形式", kCombo, kOff, L"BMP形式"},
    {L"C1_02", L"JPEG画質", kCombo, kGrey, L"3-標準"},
    {L"C1_03", L"色数", kCombo, kOff, L"ﾌﾙｶﾗｰ"},
    {L"C1_04", L"回転", kCombo, kOff, L"そのまま"},
    {L"C1_05", L"ﾘｻｲｽﾞ", kCombo, kOff, L"倍率"},
    {L"C1_06_1", L"倍率(%)", kText, kOff, L"150"},
    {L"C1_06_2", L"リサイズの幅(ﾋﾟｸｾﾙ単位)", kText, kGrey, L"640"},
    {L"C1_06_3", L"リサイズの高さ(ﾋﾟｸｾﾙ単位)", kText, kGrey, L"480"},
    {L"C0_01", L"保存先", kText, kOff, nullptr},
    {L"C0_02", L"保存ファイル名", kText, kOff, L"Snap"},
    {L"C0_03", L"保存ファイル名(連番)", kText, kOff, L"7"},
    {L"C2_02", L"ﾍｯﾀﾞｰ", kText, kOff, L""},
    {L"C2_03", L"ﾌｯﾀｰ", kText, kOff, L""},
    {L"C2_04_1", L"用紙の上端からの余白(mm単位)", kText, kOff, L"0"},
    {L"C2_04_2", L"用紙の下端からの余白(mm単位)", kText, kOff, L"0"},
    {L"C2_04_3", L"用紙の左端からの余白(mm単位)", kText, kOff, L"0"},
    {L"C2_04_4", L"用紙の右端からの余白(mm単位)", kText, kOff, L"0"},
    {L"CButton4", L"タスクトレイへ", kButton, kOff, L""},
    {L"CButton3", L"ソフトウェア情報", kButton, kOff, L""},
    {L"CButton1", L"閉じる", kButton, kOff, L""},
    {L"CButton2", L"ユーザーズガイド", kButton, kOff, L""},
};
// clang-format on

std::string Utf8(const std::wstring& s) {
    std::string out(
        size_t(WideCharToMultiByte(CP_UTF8, 0, s.c_str(), int(s.size()), nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.c_str(), int(s.size()), out.data(), int(out.size()), nullptr, nullptr);
    return out;
}

// A control as a reader meets it, for the log: control | name | role | state | value.
void Print(const wchar_t* control, const Announced& a) {
    std::printf("| %s | %s | %s | %s | %s |\n", Utf8(control).c_str(), Utf8(a.name).c_str(),
                Utf8(RoleText(a.role)).c_str(), Utf8(StateText(a.state)).c_str(), Utf8(a.value).c_str());
}

// The state changes announced to this process's hook.
std::vector<HWND> g_stateChanges;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD, HWND wnd, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) g_stateChanges.push_back(wnd);
}

class AccessibilityTest : public AppTest {
  protected:
    // By its place: a disabled control is passed over by WindowFromPoint.
    HWND ControlWindow(const wchar_t* name) const {
        POINT at = Middle(name);
        ScreenToClient(main_, &at);
        return ChildWindowFromPointEx(main_, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    }
};

} // namespace

TEST_F(AccessibilityTest, EveryControlAnnouncesItsNameRoleStateAndValue) {
    StartWith(kIni);
    Print(L"Pelorine", ReadClient(main_));
    EXPECT_EQ(ReadClient(main_).name, L"Pelorine");
    for (const Expected& row : kTable) {
        SCOPED_TRACE(Utf8(row.control));
        const HWND wnd = ControlWindow(row.control);
        ASSERT_NE(wnd, main_);
        const Announced a = ReadClient(wnd);
        Print(row.control, a);
        EXPECT_EQ(a.name, row.name);
        EXPECT_EQ(RoleText(a.role), RoleText(row.role));
        EXPECT_EQ(StateText(a.state & kSpokenStates), StateText(row.state));
        if (row.value) EXPECT_EQ(a.value, row.value);
    }
    // Every hint is a description; the skinned buttons click by their default action.
    EXPECT_EQ(ReadClient(ControlWindow(L"C0_02")).description, L"保存ファイル名");
    EXPECT_EQ(ReadClient(ControlWindow(L"CheckBox3")).description, L"５秒後にキャプチャする");
    EXPECT_FALSE(ReadClient(ControlWindow(L"CButton4")).defaultAction.empty());
}

TEST_F(AccessibilityTest, SpaceOnACheckBoxAnnouncesItsNewState) {
    StartWith(kIni);
    const HWND box = ControlWindow(L"CheckBox3");
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr,
                                               OnWinEvent, pid_, 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    const POINT at = Middle(L"CheckBox3");
    ClickAt(at.x, at.y); // takes the focus and checks it
    ASSERT_TRUE(WaitFor([&] { return ReadClient(box).state & STATE_SYSTEM_CHECKED; }, 3000));
    EXPECT_TRUE(ReadClient(box).state & STATE_SYSTEM_FOCUSED);
    Pump(300);
    g_stateChanges.clear();
    PressKey(VK_SPACE);
    EXPECT_TRUE(WaitFor([&] { return !(ReadClient(box).state & STATE_SYSTEM_CHECKED); }, 3000));
    EXPECT_TRUE(
        WaitFor([&] { return std::count(g_stateChanges.begin(), g_stateChanges.end(), box) > 0; }, 3000));
    UnhookWinEvent(hook);
}
