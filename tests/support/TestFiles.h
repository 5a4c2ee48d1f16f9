#pragma once
// Files for the Win32 and end-to-end tests: temporary paths, whole files in and out, and the
// text of a settings file, written out here as the guide gives it, never from the program's table.
#include "framework/Files.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

// A path in the system's temporary folder.
inline std::wstring TempPath(const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    if (!GetTempPathW(MAX_PATH, folder)) throw std::runtime_error("no temporary folder");
    return folder + name;
}

// A Unix path as Wine reaches it, through drive Z:.
inline std::wstring ToWindowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (char c : unixPath)
        path += c == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(c));
    return path;
}

// The build folder, which CTest passes in PELORINE_BUILD: a Unix path under Wine, a Windows
// path on Windows.
inline std::wstring BuildDir() {
    const char* build = std::getenv("PELORINE_BUILD");
    if (!build) throw std::runtime_error("PELORINE_BUILD is not set");
    return build[0] == '/' ? ToWindowsPath(build) : std::wstring(build, build + std::strlen(build));
}

inline bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Text as the bytes it is made of.
inline pelorine::ByteView AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The file's bytes as text, to compare; empty when it cannot be read.
inline std::string FileBytes(const std::wstring& path) {
    pelorine::Bytes bytes;
    return pelorine::ReadWholeFile(path, bytes) ? std::string(bytes.begin(), bytes.end()) : std::string();
}

inline void WriteFileBytes(const std::wstring& path, pelorine::ByteView bytes) {
    if (!pelorine::WriteWholeFile(path, bytes)) throw std::runtime_error("cannot write a test file");
}
inline void WriteFileBytes(const std::wstring& path, std::string_view bytes) {
    WriteFileBytes(path, AsBytes(bytes));
}

// The names that a pattern such as "C:\\folder\\*" matches, none of them starting with a dot.
inline std::vector<std::wstring> Matching(const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do
        if (found.cFileName[0] != L'.') names.push_back(found.cFileName);
    while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

// ASCII text, one byte a character.
inline std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

// A settings file as the profile functions keep it in UTF-16: the byte-order mark, then UTF-16LE.
inline std::string Utf16File(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

// Settings as key and value; the section of each key follows from its name, as the guide
// (Readme.txt) lists them.
using Settings = std::map<std::wstring, std::wstring>;

// Settings written as "KEY=value KEY=value", for short tables.
inline Settings SettingsOf(const std::wstring& text) {
    Settings settings;
    std::wistringstream words(text);
    for (std::wstring word; words >> word;)
        settings[word.substr(0, word.find(L'='))] = word.substr(word.find(L'=') + 1);
    return settings;
}

// The keys of the settings file in the guide's order.
inline constexpr const wchar_t* kKeysInOrder[] = {
    L"M_TOP",   L"M_LEFT", L"HOTKEY", L"CURSOR",  L"TIMING",  L"SOUND",   L"C0_01",   L"C0_02",
    L"C0_03",   L"C1_01",  L"C1_02",  L"C1_03",   L"C1_04",   L"C1_05",   L"C1_06_1", L"C1_06_2",
    L"C1_06_3", L"C2_02",  L"C2_03",  L"C2_04_1", L"C2_04_2", L"C2_04_3", L"C2_04_4"};

// The section of a settings key: [SET0], [SET1] and [SET2] for the keys C0_…, C1_… and C2_…,
// [SET] for the window's place and the capture options.
inline std::wstring SectionOf(const std::wstring& key) {
    if (std::ranges::find(kKeysInOrder, key) == std::end(kKeysInOrder))
        throw std::invalid_argument("no such settings key");
    return key[0] == L'C' && key[2] == L'_' ? L"SET" + key.substr(1, 1) : L"SET";
}

// A settings-file text of the given keys, in the guide's order under their sections.
inline std::wstring SettingsTextW(const Settings& values) {
    for (const auto& value : values)
        SectionOf(value.first); // no key of another program
    std::wstring text, section;
    for (const wchar_t* key : kKeysInOrder)
        if (const auto value = values.find(key); value != values.end()) {
            if (section != SectionOf(key)) text += L"[" + (section = SectionOf(key)) + L"]\r\n";
            text += value->first + L"=" + value->second + L"\r\n";
        }
    return text;
}

// The same as an ANSI file of ASCII text, as an older settings file would be.
inline std::string SettingsText(const Settings& values) { return Narrow(SettingsTextW(values)); }

// The settings a first run holds (the layout's values) and writes at its close.
inline Settings FirstRunSettings(const std::wstring& appDir) {
    return {{L"M_TOP", L"20"},    {L"M_LEFT", L"20"}, {L"HOTKEY", L"1"},    {L"CURSOR", L"1"},
            {L"TIMING", L"0"},    {L"SOUND", L"1"},   {L"C0_01", appDir},   {L"C0_02", L"Snap"},
            {L"C0_03", L"0"},     {L"C1_01", L"-1"},  {L"C1_02", L"-1"},    {L"C1_03", L"-1"},
            {L"C1_04", L"-1"},    {L"C1_05", L"-1"},  {L"C1_06_1", L"100"}, {L"C1_06_2", L"640"},
            {L"C1_06_3", L"480"}, {L"C2_02", L""},    {L"C2_03", L""},      {L"C2_04_1", L"0"},
            {L"C2_04_2", L"0"},   {L"C2_04_3", L"0"}, {L"C2_04_4", L"0"}};
}

// The whole settings file a first run leaves behind, as the profile functions write it.
inline std::wstring FirstRunIniText(const std::wstring& appDir) {
    return L"[SET]\r\nM_TOP=20\r\nM_LEFT=20\r\nHOTKEY=1\r\nCURSOR=1\r\nTIMING=0\r\nSOUND=1\r\n"
           L"[SET0]\r\nC0_01=" +
           appDir +
           L"\r\nC0_02=Snap\r\nC0_03=0\r\n"
           L"[SET1]\r\nC1_01=-1\r\nC1_02=-1\r\nC1_03=-1\r\nC1_04=-1\r\nC1_05=-1\r\n"
           L"C1_06_1=100\r\nC1_06_2=640\r\nC1_06_3=480\r\n"
           L"[SET2]\r\nC2_02=\r\nC2_03=\r\nC2_04_1=0\r\nC2_04_2=0\r\nC2_04_3=0\r\nC2_04_4=0\r\n";
}

} // namespace testing_support
