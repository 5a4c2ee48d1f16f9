#pragma once
// One INI file, read and written key by key through the private-profile functions.
#include <cstdint>
#include <string>
#include <vector>

namespace pelorine {

// One value as the file holds it: the text of an integer or boolean is made with IniValues.h.
struct IniEntry {
    std::wstring section, key, value;
};

class TIniFile {
  public:
    // The path is made absolute: the profile functions would look for a bare name in the
    // Windows folder.
    explicit TIniFile(std::wstring path);

    // A missing key gives the fallback exactly; a present key gives its text, even when
    // empty, cut to the Shift-JIS width the file historically allowed.
    std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& fallback) const;
    // Missing, empty or unreadable values give the fallback.
    int32_t ReadInteger(const std::wstring& section, const std::wstring& key, int32_t fallback) const;
    bool ReadBool(const std::wstring& section, const std::wstring& key, bool fallback) const;

    // Each write goes to the file at once; a text with blanks or quotes at its ends is quoted
    // so that it reads back unchanged. A file that does not exist yet is created as
    // UTF-16 (an empty file with a byte-order mark), so that no character is lost to the
    // ANSI code page; an existing file keeps its encoding. Throws Error "<path> に書き込めません"
    // when the file cannot be written.
    void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    void WriteInteger(const std::wstring& section, const std::wstring& key, int32_t value);
    void WriteBool(const std::wstring& section, const std::wstring& key, bool value);

    // Writes every entry in one step that either happens whole or not at all: into a copy of the
    // file beside it ("<name>.new", made from the file itself so that its encoding and any other
    // keys stay), read back entry by entry, then moved over the file. The profile writer can
    // report success for a short write on a full disk, so only the read-back tells that the copy
    // is whole. On any failure the file is untouched, the copy is gone, and Error
    // "<path> に書き込めません" is thrown.
    void WriteAll(const std::vector<IniEntry>& entries);

  private:
    std::wstring ReadRaw(const std::wstring& section, const std::wstring& key, const wchar_t* fallback) const;
    void PrepareForWriting() const;
    // Rewrites an ANSI file as UTF-16 with a byte-order mark, its content unchanged.
    void ConvertToUtf16() const;
    // Whether the entry reads back as written (values are cut as ReadString cuts them).
    bool Holds(const IniEntry& entry) const;
    [[noreturn]] void ThrowWriteError() const;

    std::wstring path_;
};

} // namespace pelorine
