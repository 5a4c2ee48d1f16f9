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
    EXPECT_EQ(testing_support::Matching(path + L".~*").size(), 0u); // nothing left beside it
    DeleteFileW(path.c_str());
}
