#pragma once
// Writing a whole file so that a failure never leaves a partial file nor destroys an older one.
#include <cstdint>
#include <string>
#include <vector>

namespace pelorine {

// Writes bytes to a temporary file beside path and moves it over path once every byte is
// flushed. On any failure the temporary file is deleted, path is untouched, and false returns.
bool WriteFileReplacing(const std::wstring& path, const std::vector<std::uint8_t>& bytes);

} // namespace pelorine
