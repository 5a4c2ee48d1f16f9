#include "framework/AccessibleText.h"

#include <gtest/gtest.h>

using namespace pelorine;

TEST(AccessibleText, NamesComeFromWhatTheEyeReads) {
    EXPECT_EQ(LabelName(L"保存先 -"), L"保存先");
    EXPECT_EQ(LabelName(L"ﾎｯﾄｷｰを使用する"), L"ﾎｯﾄｷｰを使用する");
    EXPECT_EQ(LabelName(L"A-B"), L"A-B");
    EXPECT_EQ(HintText(L" 保存ファイル名(連番)"), L"保存ファイル名(連番)");
    EXPECT_EQ(HintText(L"   "), L"");
    EXPECT_EQ(CaptionName(L"CLOSE (&X)"), L"CLOSE (X)");
    EXPECT_EQ(CaptionName(L"R&&D"), L"R&D");
    EXPECT_EQ(CaptionName(L"タスクトレイへ"), L"タスクトレイへ");
    // A glyph says nothing aloud: the hint names the button instead.
    EXPECT_EQ(CaptionName(L"×"), L"");
    EXPECT_EQ(CaptionName(L"&？"), L"");
}
