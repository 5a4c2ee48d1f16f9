#include "framework/CommaText.h"
#include "framework/StringList.h"

#include <gtest/gtest.h>

using namespace pelorine;
using Fields = std::vector<std::wstring>;

TEST(CommaText, CommasBlanksAndControlCharactersSeparateFields) {
    EXPECT_EQ(SplitCommaText(L"0-低画質,高圧縮率(ﾌｧｲﾙ小)"), (Fields{L"0-低画質", L"高圧縮率(ﾌｧｲﾙ小)"}));
    EXPECT_EQ(SplitCommaText(L"90度"), (Fields{L"90度"}));
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

TEST(StringList, APositionOutsideRaisesTheListIndexErrorAndChangesNothing) {
    TStringList list;
    list.Add(L"a");
    list.Insert(1, L"c");
    list.Insert(1, L"b");
    EXPECT_EQ(list[1], L"b");
    for (int bad : {-1, 4}) {
        try {
            list.Insert(bad, L"x");
            ADD_FAILURE() << bad;
        } catch (const Error& e) {
            EXPECT_EQ(e.Message(), ListIndexError(bad).Message());
        }
    }
    EXPECT_THROW(list.Delete(3), Error);
    EXPECT_THROW(list[-1], Error);
    EXPECT_EQ(list.Count(), 3);
    list.Delete(0);
    EXPECT_EQ(list[0], L"b");
}
