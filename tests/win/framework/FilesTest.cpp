#include "framework/Files.h"
#include "framework/Handles.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

using namespace pelorine;

namespace {
using testing_support::TempPath;

using testing_support::AsBytes;
using testing_support::FileBytes;

} // namespace

// A file made piece by piece replaces the old one only once whole; a failing piece leaves the
// old file as it was and nothing beside it.
TEST(Files, FileMadeInPiecesReplacesTheOldOneOnlyWhenWhole) {
    const std::wstring path = TempPath(L"pelorine-pieces.bin");
    ASSERT_TRUE(WriteFileReplacing(path, AsBytes("old")));
    ASSERT_TRUE(WriteFileReplacing(path, [](const ByteSink& write) {
        return write(AsBytes("one ")) && write({}) && write(AsBytes(std::string(70000, 'x'))) &&
               write(AsBytes(" two"));
    }));
    EXPECT_EQ(FileBytes(path), "one " + std::string(70000, 'x') + " two");

    EXPECT_FALSE(
        WriteFileReplacing(path, [](const ByteSink& write) { return write(AsBytes("half")) && false; }));
    EXPECT_EQ(FileBytes(path), "one " + std::string(70000, 'x') + " two");
    EXPECT_EQ(testing_support::Matching(path + L".~*").size(), 0u); // nothing left beside it
    DeleteFileW(path.c_str());
}

// A file handle's "none" is INVALID_HANDLE_VALUE: a file that could not be opened is no handle,
// and a handle moved away leaves none behind.
TEST(Files, AFileHandleIsTrueOnlyForAnOpenFile) {
    const UniqueFile missing(CreateFileW(TempPath(L"pelorine-no-folder\\none.bin").c_str(), GENERIC_READ, 0,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_FALSE(missing);
    EXPECT_FALSE(UniqueFile());
    const std::wstring path = TempPath(L"pelorine-handle.bin");
    {
        UniqueFile open(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(open);
        const UniqueFile taken(std::move(open));
        EXPECT_TRUE(taken);
        EXPECT_FALSE(open);
    }
    EXPECT_TRUE(DeleteFileW(path.c_str())); // the handle closed with its last owner
}
