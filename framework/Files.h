#pragma once
// Whole files in and out, each closed before the call returns.
#include "base/Bytes.h"

#include <functional>
#include <string>

namespace pelorine {

// The file's bytes; false when it cannot be read or is larger than 64 MiB.
bool ReadWholeFile(const std::wstring& path, Bytes& bytes);

// Creates or replaces the file with the bytes. A file that cannot be written whole is deleted
// and the call returns false.
bool WriteWholeFile(const std::wstring& path, ByteView bytes);
// The same with the bytes made while writing: `produce` hands them to the sink piece by piece
// and returns false (as the sink does when a write fails) to give up.
using FileProducer = std::function<bool(const ByteSink&)>;
bool WriteWholeFile(const std::wstring& path, const FileProducer& produce);

// The same for a file that is read back and deleted soon after. Marked temporary, so that with
// memory enough the system keeps it in its cache and need never write it to the disk: on a USB
// stick or a network folder a capture's tens of megabytes cost seconds there. The benchmark
// cannot show this, as its folder is on a local disk with memory to spare.
bool WriteTemporaryFile(const std::wstring& path, const FileProducer& produce);

// Writes the bytes to a temporary file beside path and moves it over path once every byte is
// on the disk, so a failure never leaves a partial file nor destroys the older one. On any
// failure the temporary file is deleted, path is untouched, and false returns.
bool WriteFileReplacing(const std::wstring& path, ByteView bytes);
bool WriteFileReplacing(const std::wstring& path, const FileProducer& produce);

// The bytes of a raw-data resource of the exe (they live as long as the program); empty when
// there is none.
ByteView ResourceBytes(int id);

} // namespace pelorine
