#include "framework/Files.h"

#include "framework/Handles.h"

namespace pelorine {

namespace {
using UniqueFile = UniqueHandle<HANDLE, FileDeleter>;
} // namespace

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (file.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 26))
        return false;
    bytes.resize(size_t(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() ||
           (ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) && read == bytes.size());
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    if (WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
        written == bytes.size())
        return true;
    file.reset(); // an open file cannot be deleted
    DeleteFileW(path.c_str());
    return false;
}

} // namespace pelorine
