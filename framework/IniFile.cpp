#include "framework/IniFile.h"

#include "base/ScopeExit.h"
#include "framework/Error.h"
#include "framework/Files.h"
#include "framework/Handles.h"
#include "framework/IniValues.h"

#include <algorithm>
#include <vector>
#include <windows.h>

namespace pelorine {

namespace {

// The cut keeps at most one UTF-16 unit per byte, so any buffer longer than that will do: a
// longer value comes back truncated and is then cut.
constexpr DWORD kReadBufferChars = 4096;
static_assert(kReadBufferChars > kMaxIniValueBytes + 1);

std::wstring FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}

// Whether the text survives the ANSI code page, which an ANSI settings file is written in.
bool FitsAnsiCodePage(const std::wstring& text) {
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), int(text.size()), nullptr, 0, nullptr,
                        &lossy);
    return !lossy;
}

bool IsUtf16(const Bytes& bytes) { return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE; }

} // namespace

TIniFile::TIniFile(std::wstring path) : path_(FullPath(path)) {}

// The profile reader strips trailing blanks from the default it hands back, so the fallback
// is not given to it: an empty result is read again with a marker default to tell a missing
// key (the marker comes back) from an empty value.
std::wstring TIniFile::ReadString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& fallback) const {
    const std::wstring value = ReadRaw(section, key, L"");
    if (value.empty() && ReadRaw(section, key, L"?") == L"?") return fallback;
    return CutToShiftJisBytes(value);
}

std::wstring TIniFile::ReadRaw(const std::wstring& section, const std::wstring& key,
                               const wchar_t* fallback) const {
    std::vector<wchar_t> buffer(kReadBufferChars);
    const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback, buffer.data(),
                                                  kReadBufferChars, path_.c_str());
    return std::wstring(buffer.data(), length);
}

int32_t TIniFile::ReadInteger(const std::wstring& section, const std::wstring& key, int32_t fallback) const {
    return ParseIniInteger(ReadString(section, key, L""), fallback);
}

bool TIniFile::ReadBool(const std::wstring& section, const std::wstring& key, bool fallback) const {
    return ParseIniBool(ReadString(section, key, L""), fallback);
}

void TIniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    PrepareForWriting();
    const std::wstring text = QuoteIniValue(value);
    // An ANSI file would keep "?" in place of a character outside its code page.
    if (!FitsAnsiCodePage(section + key + text)) ConvertToUtf16();
    if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), text.c_str(), path_.c_str()))
        ThrowWriteError();
}

void TIniFile::WriteInteger(const std::wstring& section, const std::wstring& key, int32_t value) {
    WriteString(section, key, IntegerValueText(value));
}

void TIniFile::WriteBool(const std::wstring& section, const std::wstring& key, bool value) {
    WriteString(section, key, BoolValueText(value));
}

// The profile writer can report success without touching a read-only file (when the value
// is already there), so the file is checked and opened for writing first. The attribute is
// tested as well because an administrator (or root under Wine) may open such a file anyway.
// A new file gets just the UTF-16 byte-order mark, which makes the profile functions keep it
// in UTF-16.
void TIniFile::PrepareForWriting() const {
    const DWORD attributes = GetFileAttributesW(path_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) ThrowWriteError();
    const UniqueFile file(CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (!file) ThrowWriteError();
    if (existed) return;
    static constexpr BYTE kBom[] = {0xFF, 0xFE};
    DWORD written = 0;
    if (!WriteFile(file.get(), kBom, sizeof kBom, &written, nullptr) || written != sizeof kBom)
        ThrowWriteError();
}

void TIniFile::ConvertToUtf16() const {
    Bytes bytes;
    if (!ReadWholeFile(path_, bytes)) ThrowWriteError();
    if (IsUtf16(bytes)) return;
    const auto* ansi = reinterpret_cast<const char*>(bytes.data());
    std::wstring text(size_t(MultiByteToWideChar(CP_ACP, 0, ansi, int(bytes.size()), nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi, int(bytes.size()), text.data(), int(text.size()));
    Bytes utf16 = {0xFF, 0xFE};
    const auto* units = reinterpret_cast<const std::uint8_t*>(text.data());
    utf16.insert(utf16.end(), units, units + text.size() * sizeof(wchar_t));
    // The old file is replaced only once the new one is whole.
    if (!WriteFileReplacing(path_, utf16)) ThrowWriteError();
}

void TIniFile::WriteAll(const std::vector<IniEntry>& entries) {
    const DWORD attributes = GetFileAttributesW(path_.c_str());
    // A copy would not be read-only, and the move would then replace a file meant to stay as it is.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) ThrowWriteError();
    const std::wstring copyPath = path_ + L".new";
    DeleteFileW(copyPath.c_str()); // left by a run that ended half-way
    ScopeExit removeCopy([&] { DeleteFileW(copyPath.c_str()); });
    // Without a file, the copy starts as a new file does (UTF-16).
    if (attributes != INVALID_FILE_ATTRIBUTES && !CopyFileW(path_.c_str(), copyPath.c_str(), TRUE))
        ThrowWriteError();
    try {
        TIniFile copy(copyPath);
        for (const IniEntry& entry : entries)
            copy.WriteString(entry.section, entry.key, entry.value);
        // All nulls flush the profile functions' cached file, so the reads below see the disk.
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, copyPath.c_str());
        if (!std::all_of(entries.begin(), entries.end(), [&](const IniEntry& e) { return copy.Holds(e); }))
            ThrowWriteError();
    } catch (const Error&) {
        ThrowWriteError(); // naming the settings file, not its copy
    }
    {
        const UniqueFile copy(CreateFileW(copyPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!copy || !FlushFileBuffers(copy.get())) ThrowWriteError();
    }
    if (!MoveFileExW(copyPath.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ThrowWriteError();
    removeCopy.release();
}

// A fallback unlike the value tells a missing key from a present one.
bool TIniFile::Holds(const IniEntry& entry) const {
    const std::wstring expected = CutToShiftJisBytes(entry.value);
    return ReadString(entry.section, entry.key, expected.empty() ? L"?" : L"") == expected;
}

void TIniFile::ThrowWriteError() const { throw Error(FormatMessageText(L"%s に書き込めません", path_)); }

} // namespace pelorine
