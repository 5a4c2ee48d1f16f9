#include "framework/Files.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

using namespace pelorine;

namespace {
using testing_support::TempPath;

std::string Read(const std::wstring& path) {
    std::string bytes;
    return ReadWholeFile(path, bytes) ? bytes : "<none>";
}

// Any file beside the target that a write left behind.
int LeftoversBeside(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((path + L".~*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do
        ++count;
    while (FindNextFileW(find, &found));
    FindClose(find);
    return count;
}
} // namespace

// A file made piece by piece replaces the old one only once whole; a failing piece leaves the
// old file as it was and nothing beside it.
TEST(Files, FileMadeInPiecesReplacesTheOldOneOnlyWhenWhole) {
    const std::wstring path = TempPath(L"pelorine-pieces.bin");
    ASSERT_TRUE(WriteFileReplacing(path, std::string_view("old")));
    ASSERT_TRUE(WriteFileReplacing(path, [](const ByteSink& write) {
        return write("one ") && write("") && write(std::string(70000, 'x')) && write(" two");
    }));
    EXPECT_EQ(Read(path), "one " + std::string(70000, 'x') + " two");

    EXPECT_FALSE(WriteFileReplacing(path, [](const ByteSink& write) { return write("half") && false; }));
    EXPECT_EQ(Read(path), "one " + std::string(70000, 'x') + " two");
    EXPECT_EQ(LeftoversBeside(path), 0);
    DeleteFileW(path.c_str());
}
