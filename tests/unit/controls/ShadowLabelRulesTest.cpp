// The shadow label's text gradients: which colour each character gets, where three colours
// split a text, and the shadow values telling of their changes.
#include "controls/ShadowLabelRules.h"
#include "framework/Gradient.h"

#include <gtest/gtest.h>

using namespace pelorine;
using enum TTextGradation;

namespace {
// Each character of a label's text in the colour the label draws it, or nothing when the text
// is drawn once in its text colour.
std::vector<ColoredCharacter> Colored(const std::wstring& text, TTextGradation gradation, TColor start,
                                      TColor mid, TColor end) {
    std::vector<ColoredCharacter> all;
    for (const TextRun& run : TextGradientRuns(text, gradation, start, mid, end))
        for (ColoredCharacter& c : GradientCharacters(run.text, SplitColor(run.from), SplitColor(run.to)))
            all.push_back(std::move(c));
    return all;
}
constexpr TColor kLightCyan{0x00FFFF80}, kPaleYellow{0x00B0FFFF};
// Three colours told apart, for where the runs split.
constexpr TColor k1{1}, k2{2}, k3{3};
} // namespace

TEST(TextGradient, TwoColoursStepEachCharacterAQuarterOfTheWayTruncated) {
    // Red falls from 255 to 128: 223.25, 191.5 and 159.75 between.
    EXPECT_EQ(Colored(L"保存先 -", tg2Colors, clWhite, clBlack, kLightCyan),
              (std::vector<ColoredCharacter>{{L"保", TColor{0xFFFFFF}},
                                             {L"存", TColor{0xFFFFDF}},
                                             {L"先", TColor{0xFFFFBF}},
                                             {L" ", TColor{0xFFFF9F}},
                                             {L"-", TColor{0xFFFF80}}}));
}

TEST(TextGradient, ThreeColoursSplitTheTitleAtItsFifthByte) {
    EXPECT_EQ(ThreeColorSplit(L"ｷｬﾌﾟﾁｬ設定"), 5u);
    EXPECT_EQ(Colored(L"ｷｬﾌﾟﾁｬ設定", tg3Colors, kPaleYellow, clWhite, kPaleYellow),
              (std::vector<ColoredCharacter>{{L"ｷ", TColor{0xB0FFFF}},
                                             {L"ｬ", TColor{0xC3FFFF}},
                                             {L"ﾌ", TColor{0xD7FFFF}},
                                             {L"ﾟ", TColor{0xEBFFFF}},
                                             {L"ﾁ", TColor{0xFFFFFF}},
                                             {L"ｬ", TColor{0xFFFFFF}},
                                             {L"設", TColor{0xD7FFFF}},
                                             {L"定", TColor{0xB0FFFF}}}));
}

TEST(TextGradient, ThreeColoursNeverSplitADoubleByteCharacter) {
    // Four bytes of eight: the split falls between two kanji.
    EXPECT_EQ(TextGradientRuns(L"保存先 -", tg3Colors, k1, k2, k3),
              (std::vector<TextRun>{{L"保存", k1, k2}, {L"先 -", k2, k3}}));
    // Two bytes of five end on the first byte of 設: the split moves past it, and the rest is
    // a lone character in the end colour.
    EXPECT_EQ(TextGradientRuns(L"a設定", tg3Colors, k1, k2, k3),
              (std::vector<TextRun>{{L"a設", k1, k2}, {L"定", k3, k3}}));
}

TEST(TextGradient, ShortTextsHaveNoMiddleColour) {
    EXPECT_EQ(Colored(L"幅高", tg3Colors, clRed, TColor{0x00FF00}, clBlue),
              (std::vector<ColoredCharacter>{{L"幅", TColor{0x0000FF}}, {L"高", TColor{0xFF0000}}}));
    // One character, or no gradient: drawn once in the text colour.
    EXPECT_TRUE(TextGradientRuns(L"↑", tg2Colors, k1, k2, k3).empty());
    EXPECT_TRUE(TextGradientRuns(L"↑", tg3Colors, k1, k2, k3).empty());
    EXPECT_TRUE(TextGradientRuns(L"← 余白 →", tgNone, k1, k2, k3).empty());
}

TEST(TShadow, TellsOfEachChangeOnceAndOfNoValueSetAgain) {
    TShadow shadow;
    int changes = 0;
    shadow.OnChange = [&](TShadow* sender) {
        EXPECT_EQ(sender, &shadow);
        ++changes;
    };
    shadow.SetShadowVisible(true);
    shadow.SetShadowColor(TColor{0xC0C0C0});
    shadow.SetShadowLeft(1);
    shadow.SetShadowTop(1);
    EXPECT_EQ(changes, 0);
    shadow.SetShadowColor(clBlack);
    shadow.SetShadowTop(2);
    EXPECT_EQ(changes, 2);

    const TShadow highlight(false, clWhite, -1, -3);
    shadow.Assign(highlight);
    EXPECT_EQ(changes, 3);
    EXPECT_FALSE(shadow.Visible());
    EXPECT_EQ(shadow.Color(), clWhite);
    EXPECT_EQ(shadow.OffsetLeft(), -1);
    EXPECT_EQ(shadow.OffsetTop(), -3);
}
