#include "framework/IniValues.h"

#include <gtest/gtest.h>

using namespace pelorine;

namespace {

constexpr int32_t kFallback = 4711;

int32_t Parse(const std::wstring& text) { return ParseIniInteger(text, kFallback); }

} // namespace

TEST(ParseIniInteger, ReadsDecimalNumbersWithSign) {
    EXPECT_EQ(Parse(L"0"), 0);
    EXPECT_EQ(Parse(L"5000"), 5000); // clamping is the spin edit's business, not the reader's
    EXPECT_EQ(Parse(L"-3"), -3);
    EXPECT_EQ(Parse(L"+7"), 7);
    EXPECT_EQ(Parse(L"-1"), -1);
    EXPECT_EQ(Parse(L"000000000000012"), 12);
    EXPECT_EQ(Parse(L"2147483647"), 2147483647);
    EXPECT_EQ(Parse(L"-2147483648"), INT32_MIN);
}

TEST(ParseIniInteger, ReadsHexadecimalPatternsAfterEveryPrefix) {
    EXPECT_EQ(Parse(L"0x10"), 16);
    EXPECT_EQ(Parse(L"0X1f"), 31);
    EXPECT_EQ(Parse(L"x10"), 16);
    EXPECT_EQ(Parse(L"X10"), 16);
    EXPECT_EQ(Parse(L"$7fffffff"), 2147483647);
    EXPECT_EQ(Parse(L"$FFFFFFFF"), -1);
    EXPECT_EQ(Parse(L"$80000000"), INT32_MIN);
    EXPECT_EQ(Parse(L"$00000001"), 1);
}

TEST(ParseIniInteger, SkipsLeadingBlanksOnly) {
    EXPECT_EQ(Parse(L" 12"), 12);
    EXPECT_EQ(Parse(L"\t 0x10"), 16);
    EXPECT_EQ(Parse(L"12 "), kFallback);
    EXPECT_EQ(Parse(L"- 12"), kFallback);
    EXPECT_EQ(Parse(L"0x 10"), kFallback);
}

TEST(ParseIniInteger, GivesTheFallbackForAnythingElse) {
    // clang-format off
    const wchar_t* const unreadable[] = {
        L"", L" ", L"yes", L"x", L"0x", L"$", L"+", L"-", L"+-1", L"2147483648", L"-2147483649",
        L"0x123456789", L"99999999999999999999", L"$-1", L"-$1", L"+0x10", L"0x1g", L"12a", L"1.5",
        L"1e3", L"１２", L"0b101"};
    // clang-format on
    for (const std::wstring text : unreadable)
        EXPECT_EQ(Parse(text), kFallback) << testing::PrintToString(text);
}

TEST(ParseIniBool, NonZeroIsTrueAndUnreadableIsTheFallback) {
    EXPECT_TRUE(ParseIniBool(L"yes", true)); // HOTKEY=yes keeps the box checked
    EXPECT_FALSE(ParseIniBool(L"yes", false));
    EXPECT_TRUE(ParseIniBool(L"2", false));
    EXPECT_TRUE(ParseIniBool(L"-1", false));
    EXPECT_FALSE(ParseIniBool(L"0", true));
    EXPECT_FALSE(ParseIniBool(L"0x0", true));
    EXPECT_TRUE(ParseIniBool(L"", true));
}

TEST(QuoteIniValue, QuotesOnlyWhatTheReaderWouldStrip) {
    EXPECT_EQ(QuoteIniValue(L""), L"");
    EXPECT_EQ(QuoteIniValue(L"D:\\Pictures"), L"D:\\Pictures");
    EXPECT_EQ(QuoteIniValue(L"a \"b\" c"), L"a \"b\" c");
    EXPECT_EQ(QuoteIniValue(L"\"a"), L"\"a");
    EXPECT_EQ(QuoteIniValue(L"\""), L"\"");
    EXPECT_EQ(QuoteIniValue(L" page "), L"\" page \"");
    EXPECT_EQ(QuoteIniValue(L"page\t"), L"\"page\t\"");
    EXPECT_EQ(QuoteIniValue(L"\"a\""), L"\"\"a\"\"");
    EXPECT_EQ(QuoteIniValue(L"'a'"), L"\"'a'\"");
}

TEST(ShiftJisWidth, IsOneForAsciiAndHalfWidthKatakana) {
    EXPECT_EQ(ShiftJisWidth(L'A'), 1u);
    EXPECT_EQ(ShiftJisWidth(L'\\'), 1u);
    EXPECT_EQ(ShiftJisWidth(L'\uFF61'), 1u); // ｡
    EXPECT_EQ(ShiftJisWidth(L'\uFF9F'), 1u); // ﾟ
    EXPECT_EQ(ShiftJisWidth(L'\uFF60'), 2u);
    EXPECT_EQ(ShiftJisWidth(L'\uFFA0'), 2u);
    EXPECT_EQ(ShiftJisWidth(L'表'), 2u);
    EXPECT_EQ(ShiftJisWidth(L'\u00E9'), 2u);
}

TEST(ShiftJisLength, CountsMixedTextAsCodePage932Does) {
    EXPECT_EQ(ShiftJisLength(L"ｷｬﾌﾟﾁｬ設定"), 10u); // six half-width katakana, two kanji
    EXPECT_EQ(ShiftJisLength(L"保存先 -"), 8u);
    EXPECT_EQ(ShiftJisLength(L"← 余白 →"), 10u);
    EXPECT_EQ(ShiftJisLength(L""), 0u);
    // A surrogate pair (as UTF-16 units) is one character.
    const std::wstring pair = {wchar_t(0xD840), wchar_t(0xDC0B)};
    EXPECT_EQ(ShiftJisCharacters(L"a" + pair + L"b"), (std::vector<std::wstring>{L"a", pair, L"b"}));
    EXPECT_EQ(ShiftJisCharacters(L"ﾌﾟ設"), (std::vector<std::wstring>{L"ﾌ", L"ﾟ", L"設"}));
}

TEST(CutToShiftJisBytes, KeepsAtMost2047Bytes) {
    const std::wstring ascii(3000, L'a');
    EXPECT_EQ(CutToShiftJisBytes(ascii), std::wstring(2047, L'a'));
    EXPECT_EQ(CutToShiftJisBytes(L"short"), L"short");

    const std::wstring halfWidth(3000, L'\uFF71'); // ｱ
    EXPECT_EQ(CutToShiftJisBytes(halfWidth).size(), 2047u);
}

TEST(CutToShiftJisBytes, NeverSplitsADoubleByteCharacterAtTheBoundary) {
    // 2046 ASCII bytes, then a kanji that would need bytes 2047 and 2048.
    const std::wstring odd = std::wstring(2046, L'a') + std::wstring(500, L'表');
    EXPECT_EQ(CutToShiftJisBytes(odd), std::wstring(2046, L'a'));

    // 2045 ASCII bytes, then kanji: one fits exactly.
    const std::wstring even = std::wstring(2045, L'a') + std::wstring(500, L'表');
    EXPECT_EQ(CutToShiftJisBytes(even), std::wstring(2045, L'a') + L"表");

    const std::wstring kanji(3000, L'表');
    EXPECT_EQ(CutToShiftJisBytes(kanji), std::wstring(1023, L'表'));
}

TEST(CutToShiftJisBytes, KeepsSurrogatePairsWhole) {
    // A kanji outside the BMP as UTF-16 units (wchar_t is wider than 16 bits off Windows).
    const std::wstring pair = {wchar_t(0xD840), wchar_t(0xDC0B)};
    EXPECT_EQ(CutToShiftJisBytes(L"ab" + pair, 5), L"ab");
    EXPECT_EQ(CutToShiftJisBytes(L"ab" + pair, 6), L"ab" + pair);
    EXPECT_EQ(CutToShiftJisBytes(std::wstring(2044, L'a') + pair + pair), std::wstring(2044, L'a'));
}
