#include "imaging/FileReplace.h"

#include "framework/Handles.h"

#include <windows.h>

#include <algorithm>

namespace pelorine {
namespace {

using UniqueFile = UniqueHandle<HANDLE, FileDeleter>;

UniqueFile CreateNewFile(const std::wstring& path) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueFile(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

bool WriteAll(HANDLE file, const std::vector<std::uint8_t>& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written != chunk) return false;
        done += chunk;
    }
    return FlushFileBuffers(file) != FALSE;
}

bool WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    const UniqueFile file = CreateNewFile(path);
    return file && WriteAll(file.get(), bytes);
}

} // namespace

bool WriteFileReplacing(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    // The process id keeps two running copies that save the same name apart.
    const std::wstring temp = path + L".~" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    const bool written = WriteWholeFile(temp, bytes); // closed here, before the move
    if (written &&
        MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

} // namespace pelorine
