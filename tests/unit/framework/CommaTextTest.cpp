#include "framework/CommaText.h"

#include <gtest/gtest.h>

using namespace pelorine;
using Fields = std::vector<std::wstring>;

TEST(CommaText, CommasBlanksAndControlCharactersSeparateFields) {
    EXPECT_EQ(SplitCommaText(L"0-低画質,高圧縮率(ﾌｧｲﾙ小)"), (Fields{L"0-低画質", L"高圧縮率(ﾌｧｲﾙ小)"}));
    EXPECT_EQ(SplitCommaText(L"90度"), (Fields{L"90度"}));
    EXPECT_EQ(SplitCommaText(L"2色,BMP/TIFF/PCX/PNG"), (Fields{L"2色", L"BMP/TIFF/PCX/PNG"}));
    EXPECT_EQ(SplitCommaText(L"A B,C"), (Fields{L"A", L"B", L"C"}));
    EXPECT_EQ(SplitCommaText(L"A\tB\x1F"
                             L"C"),
              (Fields{L"A", L"B", L"C"}));
    EXPECT_EQ(SplitCommaText(L"A,,B"), (Fields{L"A", L"B"}));
    EXPECT_EQ(SplitCommaText(L" , A , ,B, "), (Fields{L"A", L"B"}));
    EXPECT_EQ(SplitCommaText(L""), Fields{});
    EXPECT_EQ(SplitCommaText(L" \t "), Fields{});
}

TEST(CommaText, QuotedFieldsKeepSeparatorsAndDoubledQuotes) {
    EXPECT_EQ(SplitCommaText(L"\"a, b\",c"), (Fields{L"a, b", L"c"}));
    EXPECT_EQ(SplitCommaText(L"\"say \"\"hi\"\"\" x"), (Fields{L"say \"hi\"", L"x"}));
    EXPECT_EQ(SplitCommaText(L"\"\",B"), (Fields{L"", L"B"}));
    EXPECT_EQ(SplitCommaText(L"\"ab\"cd"), (Fields{L"ab", L"cd"}));
    EXPECT_EQ(SplitCommaText(L"\"unterminated, to the end"), (Fields{L"unterminated, to the end"}));
    EXPECT_EQ(SplitCommaText(L"a\"b,c"), (Fields{L"a\"b", L"c"})); // a quote inside a field is text
}
