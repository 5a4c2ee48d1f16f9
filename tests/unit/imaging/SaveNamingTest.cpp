#include "imaging/SaveNaming.h"

#include "framework/Error.h"
#include "support/ErrorText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>

namespace pelorine {
namespace {

std::wstring Ext(int item) { return SaveFormatForItem(item)->extension; }

TEST(SaveNaming, FormatTableGivesCodesAndExtensions) {
    const std::pair<int, std::wstring> expected[] = {
        {101, L".bmp"}, {102, L".tif"}, {103, L".jpg"}, {104, L".pcx"}, {106, L".png"}};
    for (int item = 0; item < 5; ++item) {
        ASSERT_TRUE(SaveFormatForItem(item));
        EXPECT_EQ(SaveFormatForItem(item)->mediaFormat, expected[item].first);
        EXPECT_EQ(Ext(item), expected[item].second);
    }
    EXPECT_FALSE(SaveFormatForItem(-1));
    EXPECT_FALSE(SaveFormatForItem(5));
    EXPECT_FALSE(IsSaveMediaFormat(105));
    EXPECT_TRUE(IsSaveMediaFormat(106));
}

TEST(SaveNaming, OptionItemsMapToTheControlsArguments) {
    EXPECT_EQ(SaveQualityForItem(-1), 0);
    EXPECT_EQ(SaveQualityForItem(0), 1);
    EXPECT_EQ(SaveQualityForItem(9), 10);
    EXPECT_EQ(ColorDepthForItem(0), 1);
    EXPECT_EQ(ColorDepthForItem(3), 9);
    EXPECT_EQ(ColorDepthForItem(4), 12);
    EXPECT_FALSE(ColorDepthForItem(-1));
    EXPECT_FALSE(RotationForItem(0));
    EXPECT_EQ(RotationForItem(1), 270);
    EXPECT_EQ(RotationForItem(2), 180);
    EXPECT_EQ(RotationForItem(3), 90);
    EXPECT_FALSE(RotationForItem(-1));
}

TEST(SaveNaming, ADotInThePrefixLosesTheSerialNumberToTheExtension) {
    EXPECT_EQ(SaveFileName(L"shot.x", 12, Ext(0)), L"shot.bmp");
    EXPECT_EQ(SaveFileName(L"shot.x", 13, Ext(0)), L"shot.bmp");
}

TEST(SaveNaming, FolderPartsOfThePrefixAreDropped) {
    EXPECT_EQ(SaveFileName(L"a\\b", 3, Ext(4)), L"b3.png");
    EXPECT_EQ(SaveFileName(L"C:x", 1, Ext(1)), L"x1.tif");
    EXPECT_EQ(SaveFileName(L"a/b", 3, Ext(4)), L"b3.png");
    // The dot belongs to a folder name, not to an extension.
    EXPECT_EQ(SaveFileName(L"v1.2\\cap", 5, Ext(2)), L"cap5.jpg");
}

TEST(SaveNaming, NoFormatSelectedGivesNoExtension) { EXPECT_EQ(SaveFileName(L"Snap", 0, L""), L"Snap0"); }

TEST(SaveNaming, OutputPathJoinsWithASlash) {
    EXPECT_EQ(SaveOutputPath(L"C:\\Shots", SaveFileName(L"Snap", 7, Ext(2))), L"C:\\Shots/Snap7.jpg");
}

TEST(SaveNaming, SerialNumberStopsAt9999) {
    EXPECT_EQ(NextSerialNumber(7), 8);
    EXPECT_EQ(NextSerialNumber(9998), 9999);
    EXPECT_EQ(NextSerialNumber(9999), 9999);
    EXPECT_EQ(SaveFileName(L"Snap", NextSerialNumber(9999), Ext(0)), L"Snap9999.bmp");
}

// Held at 9999, the next save would replace the last file: it is refused instead. Below the
// limit the file is not even looked for.
TEST(SaveNaming, TheLastSerialNumberIsNeverOverwritten) {
    int looked = 0;
    const auto exists = [&] { return ++looked, true; };
    EXPECT_NO_THROW(CheckSerialNumberFree(9998, exists));
    EXPECT_EQ(looked, 0);
    EXPECT_NO_THROW(CheckSerialNumberFree(9999, [] { return false; }));
    EXPECT_EQ(testing_support::ErrorOf([&] { CheckSerialNumberFree(9999, exists); }),
              L"連番が上限 (9999) に達しました。連番を変更してください");
}

TEST(FoldersToCreate, MissingParentsComeFirst) {
    const std::set<std::wstring> existing{L"C:\\Shots"};
    std::vector<std::wstring> asked;
    const auto exists = [&](const std::wstring& p) {
        asked.push_back(p);
        return existing.count(p) > 0;
    };
    EXPECT_EQ(FoldersToCreate(L"C:\\Shots\\2024\\May\\", exists),
              (std::vector<std::wstring>{L"C:\\Shots\\2024", L"C:\\Shots\\2024\\May"}));
    EXPECT_EQ(asked.back(), L"C:\\Shots");
}

TEST(FoldersToCreate, ExistingOrShortPathsNeedNothing) {
    const auto none = [](const std::wstring&) { return false; };
    EXPECT_TRUE(FoldersToCreate(L"C:\\Shots", [](const std::wstring&) { return true; }).empty());
    EXPECT_TRUE(FoldersToCreate(L"C:\\", none).empty());
    EXPECT_TRUE(FoldersToCreate(L"D:", none).empty());
    EXPECT_EQ(FoldersToCreate(L"C:\\a", none), (std::vector<std::wstring>{L"C:\\a"}));
    EXPECT_EQ(FoldersToCreate(L"Z:/tmp/x", none), (std::vector<std::wstring>{L"Z:/tmp", L"Z:/tmp/x"}));
}

// A pasted path of thousands of parts: the walk up its folders must not take a call per part
// (it overflowed the stack), so the existence check is always asked from the same depth.
TEST(FoldersToCreate, ADeepPathIsWalkedWithoutGrowingTheStack) {
    constexpr size_t kParts = 2000, kExisting = 1000;
    std::wstring path = L"C:";
    for (size_t i = 0; i < kParts; ++i)
        path += L"\\d";
    std::uintptr_t lowest = UINTPTR_MAX, highest = 0;
    const auto exists = [&](const std::wstring& p) {
        volatile char here = 0;
        const auto at = reinterpret_cast<std::uintptr_t>(&here);
        lowest = std::min(lowest, at);
        highest = std::max(highest, at);
        return p.size() <= 2 + 2 * kExisting;
    };
    const std::vector<std::wstring> missing = FoldersToCreate(path, exists);
    ASSERT_EQ(missing.size(), kParts - kExisting);
    EXPECT_EQ(missing.front(), path.substr(0, 2 + 2 * (kExisting + 1)));
    EXPECT_EQ(missing.back(), path);
    EXPECT_LT(highest - lowest, 4096u);
}

TEST(FoldersToCreate, EmptyFolderTextIsAnError) {
    EXPECT_EQ(
        testing_support::ErrorOf([] { FoldersToCreate(L"", [](const std::wstring&) { return false; }); }),
        L"ディレクトリを作成することができません");
}

} // namespace
} // namespace pelorine
