#pragma once
// Reading and writing pictures through the Windows Imaging Component. All conversion is done
// by our own code beforehand: the encoders get the final pixel format with its palette.
// Callers have COM initialised on the thread.
#include "base/Pixmap.h"
#include "imaging/EditPicture.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pelorine {

// Any picture file WIC reads, recognised by its content, in full colour; nullopt on failure.
// The file is closed again before this returns. The picture is made in `storage`'s memory.
std::optional<Pixmap> DecodeImageFile(const std::wstring& path, Pixmap storage = {});

// The whole file in memory, for kFormatTiff, kFormatJpeg or kFormatPng;
// empty on failure. quality 1..10 sets the JPEG ImageQuality to quality / 10; 0 leaves the
// encoder's default.
std::vector<std::uint8_t> EncodeWithWic(const EditPicture& picture, int mediaFormat, int quality);

} // namespace pelorine
