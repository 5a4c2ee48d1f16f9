#include "framework/Application.h"
#include "framework/Spin.h"

#include <gtest/gtest.h>

using namespace pelorine;

namespace {
struct SpinEditTest : testing::Test {
    TForm form{nullptr, WS_OVERLAPPEDWINDOW, 0, L"spin"};
    TSpinEdit* spin = form.New<TSpinEdit>(L"spin", &form);
    void SetUp() override {
        spin->SetBounds(Bounds(10, 10, 82, 19));
        spin->SetRange(1, 1000);
        spin->SetValue(100);
    }
    void Key(WPARAM vk) { SendMessageW(spin->Handle(), WM_KEYDOWN, vk, 0); }
    void Char(wchar_t c) { SendMessageW(spin->Handle(), WM_CHAR, c, 0); }
};
} // namespace

TEST_F(SpinEditTest, ArrowsStepByOneAndPageKeysByTenWithinTheRange) {
    Key(VK_UP);
    EXPECT_EQ(spin->Value(), 101);
    Key(VK_NEXT);
    EXPECT_EQ(spin->Value(), 91);
    Key(VK_PRIOR);
    Key(VK_DOWN);
    EXPECT_EQ(spin->Value(), 100);
    spin->SetValue(995);
    Key(VK_PRIOR);
    EXPECT_EQ(spin->Text(), L"1000");
    spin->SetValue(3);
    Key(VK_NEXT);
    EXPECT_EQ(spin->Text(), L"1");
}

TEST_F(SpinEditTest, SettingClampsAndTypingIsReadAsTypedUntilTheFocusLeaves) {
    spin->SetValue(5000);
    EXPECT_EQ(spin->Text(), L"1000");
    spin->SetText(L"5000");
    EXPECT_EQ(spin->Value(), 5000);
    SendMessageW(spin->Handle(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(spin->Text(), L"1000");
}

TEST_F(SpinEditTest, EmptyOrUnreadableTextReadsAsTheLowerBoundAndIsReplaced) {
    spin->SetText(L"");
    EXPECT_EQ(spin->Value(), 1);
    EXPECT_EQ(spin->Text(), L"1");
    spin->SetText(L"1-2");
    EXPECT_EQ(spin->Value(), 1);
    EXPECT_EQ(spin->Text(), L"1");
}

TEST_F(SpinEditTest, OnlyDigitsAndSignsCanBeTypedAndMarginsTakeThreeCharacters) {
    spin->SetText(L"");
    Char(L'4');
    Char(L'a');
    Char(L'.');
    Char(L'2');
    EXPECT_EQ(spin->Text(), L"42");
    spin->SetMaxLength(3);
    spin->SetText(L"");
    for (wchar_t c : std::wstring(L"12345"))
        Char(c);
    EXPECT_EQ(spin->Text(), L"123");
}
