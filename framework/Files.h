#pragma once
// Whole files in and out, each closed before the call returns.
#include <string>

namespace pelorine {

// The file's bytes; false when it cannot be read or is larger than 64 MiB.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

// Creates or replaces the file with the bytes. A file that cannot be written whole is deleted
// and the call returns false.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

} // namespace pelorine
