// Every font face the program asks for is one that Windows 10 and 11 install: a face they lack
// makes the font mapper pick a stand-in (a Japanese Gothic for a Latin name), which changes the
// look and the text's width. The faces come from one list, and no source names a face elsewhere.
#include "framework/FontFaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

using namespace pelorine;

namespace {
// Faces of Microsoft's font list for Windows 10 and 11 (the Japanese ones under their English and
// Japanese names; Meiryo comes with Japanese language support, as on every desk this program's
// users have).
const std::wstring kWindowsFaces[] = {
    L"Arial",           L"Calibri",         L"Consolas",     L"Courier New", L"Georgia",
    L"Meiryo",          L"メイリオ",        L"Meiryo UI",    L"MS Gothic",   L"ＭＳ ゴシック",
    L"MS PGothic",      L"ＭＳ Ｐゴシック", L"MS UI Gothic", L"Segoe UI",    L"Tahoma",
    L"Times New Roman", L"Verdana",         L"Yu Gothic",    L"游ゴシック",  L"Yu Gothic UI",
};
} // namespace

TEST(FontFaces, EveryFaceTheProgramAsksForIsOneWindowsInstalls) {
    for (const wchar_t* face : kRequestedFaces) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(face)));
        EXPECT_TRUE(std::ranges::count(kWindowsFaces, std::wstring(face))) << "not on Windows";
    }
}

// A face set from a literal anywhere but the list would escape the check above.
TEST(FontFaces, NoSourceNamesAFaceOutsideTheList) {
    const std::filesystem::path root = PELORINE_SOURCE_DIR;
    const std::regex faceFromLiteral(R"((lfFaceName|CreateFont|\bname\s*=).*L")");
    int scanned = 0;
    for (const char* layer : {"base", "framework", "capture", "imaging", "controls", "forms", "app"})
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root / layer)) {
            const auto ext = entry.path().extension();
            if ((ext != ".cpp" && ext != ".h") || entry.path().filename() == "FontFaces.h") continue;
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number)
                EXPECT_FALSE(std::regex_search(line, faceFromLiteral))
                    << entry.path().string() << ":" << number << ": " << line;
            ++scanned;
        }
    EXPECT_GT(scanned, 50);
}
