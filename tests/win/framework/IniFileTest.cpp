// The settings file through the real profile functions: every value type read back from ANSI
// and UTF-16 files, the encoding of new and existing files, write failures (also of all the
// values at once), and the exact bytes of a first-run file.
#include "framework/Error.h"
#include "framework/IniFile.h"
#include "support/ErrorText.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

using namespace pelorine;

namespace {

using testing_support::FileBytes;
using testing_support::Utf16File;
using testing_support::WriteFileBytes;

const std::wstring kForeignFolder = L"C:\\Фото\\Ελληνικά"; // outside code page 932 and 1252

class IniFileTest : public testing::Test {
  protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir_ = testing_support::TempPath(L"pelorine-ini-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                         std::filesystem::path(info->name()).wstring());
        ASSERT_TRUE(CreateDirectoryW(dir_.c_str(), nullptr));
        path_ = dir_ + L"\\Pelorine.ini";
    }
    void TearDown() override {
        for (const auto& entry : std::filesystem::directory_iterator(dir_))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(dir_);
    }
    std::vector<std::wstring> FilesInDir() const {
        std::vector<std::wstring> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir_))
            files.push_back(entry.path().filename().wstring());
        return files;
    }
    std::wstring dir_;
    std::wstring path_; // the settings file in it
};

const std::vector<IniEntry> kEntries = {
    {L"SET", L"M_TOP", L"-5"}, {L"SET", L"HOTKEY", L"0"}, {L"SET2", L"C2_02", L" - page - "}};

TEST_F(IniFileTest, ReadsEveryTypeFromAnAnsiFile) {
    WriteFileBytes(path_, "[SET]\r\nM_TOP=0x10\r\nM_LEFT=-30   \r\nHOTKEY=yes\r\nCURSOR=2\r\nTIMING=0\r\n"
                          "[SET0]\r\nC0_01=D:\\Pictures\\\r\nC0_02=\r\nC0_03=\r\n"
                          "[SET2]\r\nC2_02=  Header text  \r\n");
    const TIniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger(L"SET", L"M_TOP", 20), 16);
    EXPECT_EQ(ini.ReadInteger(L"set", L"m_top", 20), 16);   // names match without regard to case
    EXPECT_EQ(ini.ReadInteger(L"SET", L"M_LEFT", 20), -30); // the reader strips trailing blanks
    EXPECT_TRUE(ini.ReadBool(L"SET", L"HOTKEY", true));
    EXPECT_FALSE(ini.ReadBool(L"SET", L"HOTKEY", false));
    EXPECT_TRUE(ini.ReadBool(L"SET", L"CURSOR", false));
    EXPECT_FALSE(ini.ReadBool(L"SET", L"TIMING", true));
    EXPECT_TRUE(ini.ReadBool(L"SET", L"SOUND", true)); // missing
    EXPECT_EQ(ini.ReadString(L"SET0", L"C0_01", L""), L"D:\\Pictures\\");
    EXPECT_EQ(ini.ReadString(L"SET0", L"C0_02", L"Snap"), L""); // present but empty is not missing
    EXPECT_EQ(ini.ReadInteger(L"SET0", L"C0_03", 7), 7);        // empty is not a number
    EXPECT_EQ(ini.ReadString(L"SET2", L"C2_02", L""), L"Header text");
    EXPECT_EQ(ini.ReadString(L"SET2", L"C2_03", L" kept  "), L" kept  "); // missing: the fallback as it is
    EXPECT_EQ(ini.ReadInteger(L"SET9", L"C2_04_1", 5), 5);
}

TEST_F(IniFileTest, ReadsEveryTypeFromAUtf16File) {
    WriteFileBytes(path_, Utf16File(L"[SET]\r\nM_TOP=$FFFFFFFF\r\nSOUND=0\r\n[SET0]\r\nC0_01=" +
                                    kForeignFolder + L"\r\nC0_02=一覧表\r\n"));
    const TIniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger(L"SET", L"M_TOP", 20), -1);
    EXPECT_FALSE(ini.ReadBool(L"SET", L"SOUND", true));
    EXPECT_EQ(ini.ReadString(L"SET0", L"C0_01", L""), kForeignFolder);
    EXPECT_EQ(ini.ReadString(L"SET0", L"C0_02", L""), L"一覧表");
}

TEST_F(IniFileTest, CutsLongValuesTo2047ShiftJisBytes) {
    const std::wstring kanjiTail = std::wstring(2046, L'a') + std::wstring(477, L'表');
    WriteFileBytes(path_, Utf16File(L"[SET2]\r\nC2_02=" + std::wstring(3000, L'a') + L"\r\nC2_03=" +
                                    kanjiTail + L"\r\n"));
    const TIniFile ini(path_);
    EXPECT_EQ(ini.ReadString(L"SET2", L"C2_02", L""), std::wstring(2047, L'a'));
    EXPECT_EQ(ini.ReadString(L"SET2", L"C2_03", L""), std::wstring(2046, L'a'));
}

TEST_F(IniFileTest, NewFileIsUtf16AndKeepsCharactersOutsideTheAnsiCodePage) {
    TIniFile ini(path_);
    EXPECT_EQ(ini.ReadString(L"SET0", L"C0_01", L"none"), L"none"); // read before the file exists
    ini.WriteString(L"SET0", L"C0_01", kForeignFolder);
    ini.WriteInteger(L"SET0", L"C0_03", 12);
    EXPECT_EQ(FileBytes(path_), Utf16File(L"[SET0]\r\nC0_01=" + kForeignFolder + L"\r\nC0_03=12\r\n"));
    EXPECT_EQ(TIniFile(path_).ReadString(L"SET0", L"C0_01", L""), kForeignFolder);
}

TEST_F(IniFileTest, TextsWithBlanksOrQuotesAtTheirEndsReadBackUnchanged) {
    TIniFile ini(path_);
    for (const std::wstring text :
         {L"  - page -  ", L"\"quoted\"", L"'single'", L"\"", L"a \"b\" c", L"\t"}) {
        ini.WriteString(L"SET2", L"C2_02", text);
        EXPECT_EQ(ini.ReadString(L"SET2", L"C2_02", L"missing"), text);
    }
}

TEST_F(IniFileTest, ExistingAnsiFileKeepsItsEncodingAndOtherKeys) {
    WriteFileBytes(path_, "[Other]\r\nkeep=me\r\n[SET]\r\nM_TOP=1\r\n");
    TIniFile ini(path_);
    ini.WriteInteger(L"SET", L"M_TOP", -5);
    ini.WriteBool(L"SET", L"HOTKEY", false);
    EXPECT_EQ(FileBytes(path_), "[Other]\r\nkeep=me\r\n[SET]\r\nM_TOP=-5\r\nHOTKEY=0\r\n");
}

TEST_F(IniFileTest, AnsiFileBecomesUtf16RatherThanLoseACharacter) {
    WriteFileBytes(path_, "[Other]\r\nkeep=me\r\n[SET0]\r\nC0_02=Snap\r\n");
    TIniFile ini(path_);
    ini.WriteString(L"SET0", L"C0_01", kForeignFolder);
    const std::string bytes = FileBytes(path_);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ini.ReadString(L"SET0", L"C0_01", L""), kForeignFolder);
    EXPECT_EQ(ini.ReadString(L"SET0", L"C0_02", L""), L"Snap");
    EXPECT_EQ(ini.ReadString(L"Other", L"keep", L""), L"me");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(path_ + L".new")));
}

// The UTF-16 copy of an ANSI file, twice its size, cannot be written whole under a file-size
// limit: ini-file-limit.sh runs this with the limit in place and its size in PELORINE_FILE_LIMIT.
TEST_F(IniFileTest, ACopyThatCannotBeWrittenWholeLeavesTheFileAndNoCopy) {
    const char* limit = std::getenv("PELORINE_FILE_LIMIT");
    if (!limit) GTEST_SKIP() << "no file-size limit";
    const std::string ansi = "[SET0]\r\nC0_02=" + std::string(std::stoul(limit) * 3 / 4, 'a') + "\r\n";
    WriteFileBytes(path_, ansi);
    TIniFile ini(path_);
    EXPECT_THROW(ini.WriteString(L"SET0", L"C0_01", kForeignFolder), Error);
    EXPECT_EQ(FileBytes(path_), ansi);
    // No copy of any name is left beside it.
    EXPECT_EQ(FilesInDir(), std::vector<std::wstring>{L"Pelorine.ini"});
}

// The same limit for all the values at once: the profile writer reports the short write as a
// success, and the file is cut.
TEST_F(IniFileTest, ACopyThatCannotBeWrittenWholeByWriteAllLeavesTheFileAndNoCopy) {
    const char* limit = std::getenv("PELORINE_FILE_LIMIT");
    if (!limit) GTEST_SKIP() << "no file-size limit";
    std::string ansi = "[Other]\r\n";
    while (ansi.size() < std::stoul(limit) - 1000)
        ansi += "key" + std::to_string(ansi.size()) + "=" + std::string(100, 'a') + "\r\n";
    WriteFileBytes(path_, ansi);
    std::vector<IniEntry> entries = kEntries;
    entries.push_back({L"SET2", L"C2_03", std::wstring(2047, L'b')});
    EXPECT_EQ(testing_support::ErrorOf([&] { TIniFile(path_).WriteAll(entries); }),
              path_ + L" に書き込めません");
    EXPECT_EQ(FileBytes(path_), ansi);
    EXPECT_EQ(FilesInDir(), std::vector<std::wstring>{L"Pelorine.ini"});
}

TEST_F(IniFileTest, WriteAllKeepsTheEncodingAndOtherKeysAndLeavesNoCopy) {
    TIniFile(path_).WriteAll(kEntries); // the first run: a new file is UTF-16
    EXPECT_EQ(FileBytes(path_),
              Utf16File(L"[SET]\r\nM_TOP=-5\r\nHOTKEY=0\r\n[SET2]\r\nC2_02=\" - page - \"\r\n"));
    WriteFileBytes(path_, "[Other]\r\nkeep=me\r\n[SET]\r\nM_TOP=1\r\n");
    TIniFile(path_).WriteAll(kEntries);
    EXPECT_EQ(FileBytes(path_),
              "[Other]\r\nkeep=me\r\n[SET]\r\nM_TOP=-5\r\nHOTKEY=0\r\n[SET2]\r\nC2_02=\" - page - \"\r\n");
    EXPECT_EQ(FilesInDir(), std::vector<std::wstring>{L"Pelorine.ini"});
}

TEST_F(IniFileTest, WritingAReadOnlyFileThrowsWithThePath) {
    WriteFileBytes(path_, "[SET]\r\nM_TOP=20\r\n");
    ASSERT_TRUE(SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_READONLY));
    TIniFile ini(path_);
    // The unchanged value is the case where the profile writer itself may claim success.
    for (const std::wstring value : {L"20", L"21"})
        EXPECT_EQ(testing_support::ErrorOf([&] { ini.WriteString(L"SET", L"M_TOP", value); }),
                  path_ + L" に書き込めません");
    EXPECT_EQ(FileBytes(path_), "[SET]\r\nM_TOP=20\r\n");
}

TEST_F(IniFileTest, WritingIntoAMissingFolderThrows) {
    TIniFile ini(dir_ + L"\\missing\\Pelorine.ini");
    EXPECT_THROW(ini.WriteBool(L"SET", L"SOUND", true), Error);
}

// The file is the one the relative path named when the object was made, not one in the Windows
// folder (where the profile functions look for a bare name) or in a later current folder.
TEST_F(IniFileTest, RelativePathIsMadeAbsolute) {
    const auto previous = std::filesystem::current_path();
    ASSERT_TRUE(SetCurrentDirectoryW(dir_.c_str()));
    TIniFile ini(L"Pelorine.ini");
    std::filesystem::current_path(previous);
    ini.WriteInteger(L"SET", L"M_TOP", 7);
    EXPECT_EQ(FileBytes(path_), Utf16File(L"[SET]\r\nM_TOP=7\r\n"));
}

} // namespace
