#include "framework/Files.h"

#include "framework/Handles.h"

#include <algorithm>

namespace pelorine {

namespace {
enum class Durability { Cached, OnDisk };

bool WriteAll(const std::wstring& path, const FileProducer& produce, Durability durability,
              DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
    if (!file) return false;
    const auto write = [&](ByteView bytes) {
        for (std::size_t done = 0; done < bytes.size();) {
            const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - done, 1u << 24));
            DWORD written = 0;
            if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written != chunk)
                return false;
            done += chunk;
        }
        return true;
    };
    if (produce(write) && (durability == Durability::Cached || FlushFileBuffers(file.get()))) return true;
    file.reset(); // an open file cannot be deleted
    DeleteFileW(path.c_str());
    return false;
}

FileProducer Whole(ByteView bytes) {
    return [bytes](const ByteSink& write) { return write(bytes); };
}
} // namespace

bool ReadWholeFile(const std::wstring& path, Bytes& bytes) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 26)) return false;
    bytes.resize(size_t(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() ||
           (ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) && read == bytes.size());
}

bool WriteWholeFile(const std::wstring& path, ByteView bytes) { return WriteWholeFile(path, Whole(bytes)); }

bool WriteWholeFile(const std::wstring& path, const FileProducer& produce) {
    return WriteAll(path, produce, Durability::Cached);
}

bool WriteTemporaryFile(const std::wstring& path, const FileProducer& produce) {
    return WriteAll(path, produce, Durability::Cached, FILE_ATTRIBUTE_TEMPORARY);
}

bool WriteFileReplacing(const std::wstring& path, ByteView bytes) {
    return WriteFileReplacing(path, Whole(bytes));
}

bool WriteFileReplacing(const std::wstring& path, const FileProducer& produce) {
    // The process id keeps two running copies that write the same name apart.
    const std::wstring temp = path + L".~" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    if (!WriteAll(temp, produce, Durability::OnDisk)) return false;
    if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

ByteView ResourceBytes(int id) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    return {static_cast<const std::uint8_t*>(bytes), SizeofResource(nullptr, found)};
}

} // namespace pelorine
