#include "app/SettingsValues.h"

#include <gtest/gtest.h>

using namespace pelorine;

TEST(AppDirFromExePath, CutsBeforeTheLastDelimiterButKeepsARoot) {
    EXPECT_EQ(AppDirFromExePath(L"C:\\Tools\\Pelorine.exe"), L"C:\\Tools");
    EXPECT_EQ(AppDirFromExePath(L"C:\\Pelorine.exe"), L"C:\\");
    EXPECT_EQ(AppDirFromExePath(L"C:Pelorine.exe"), L"C:");
    EXPECT_EQ(AppDirFromExePath(L"\\\\server\\share\\Pelorine.exe"), L"\\\\server\\share");
    EXPECT_EQ(AppDirFromExePath(L"D:\\表\\Pelorine.exe"), L"D:\\表");
    EXPECT_EQ(AppDirFromExePath(L"Pelorine.exe"), L"");
}

TEST(IniPathFromExePath, PutsTheFileBesideTheExecutable) {
    EXPECT_EQ(IniPathFromExePath(L"C:\\Tools\\Pelorine.exe"), L"C:\\Tools\\Pelorine.ini");
    EXPECT_EQ(IniPathFromExePath(L"C:\\Pelorine.exe"), L"C:\\Pelorine.ini");
    EXPECT_EQ(IniPathFromExePath(L"C:Pelorine.exe"), L"C:Pelorine.ini");
    EXPECT_EQ(IniPathFromExePath(L"Pelorine.exe"), L"Pelorine.ini");
}

TEST(RemoveTrailingBackslash, RemovesExactlyOne) {
    EXPECT_EQ(RemoveTrailingBackslash(L"D:\\Pictures\\"), L"D:\\Pictures");
    EXPECT_EQ(RemoveTrailingBackslash(L"D:\\Pictures"), L"D:\\Pictures");
    EXPECT_EQ(RemoveTrailingBackslash(L"C:\\"), L"C:");
    EXPECT_EQ(RemoveTrailingBackslash(L"\\\\"), L"\\");
    EXPECT_EQ(RemoveTrailingBackslash(L""), L"");
}

TEST(RemoveTrailingBackslash, LeavesAKanjiWithTrailByte5CAlone) {
    // In code page 932 表 is 0x95 0x5C: a byte-wise rule would have eaten its second half.
    EXPECT_EQ(RemoveTrailingBackslash(L"D:\\写真\\一覧表"), L"D:\\写真\\一覧表");
    EXPECT_EQ(RemoveTrailingBackslash(L"D:\\一覧表\\"), L"D:\\一覧表");
    EXPECT_EQ(RemoveTrailingBackslash(L"D:\\ソ"), L"D:\\ソ"); // 0x83 0x5C
}
