#pragma once
// Path rules of the settings file, free of any window so they can be tested natively. The value
// texts themselves are the INI layer's.
#include <string>

namespace pelorine {

// The program's folder from the executable's path: cut before the last "\" or ":", but a
// drive's root keeps its backslash ("C:\Pelorine.exe" gives "C:\") and a colon is kept
// ("C:Pelorine.exe" gives "C:"). A bare file name gives the empty text.
std::wstring AppDirFromExePath(const std::wstring& exePath);

// The settings file beside the executable: the path cut after its last "\" or ":", then
// "Pelorine.ini".
std::wstring IniPathFromExePath(const std::wstring& exePath);

// Removes one trailing "\" ("D:\Pictures\" gives "D:\Pictures", "C:\" gives "C:"). In UTF-16
// a double-byte character whose Shift-JIS trail byte is 0x5C (such as 表) is never a "\".
std::wstring RemoveTrailingBackslash(const std::wstring& text);

} // namespace pelorine
