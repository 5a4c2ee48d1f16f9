#pragma once
// The rules of a save that need no platform: option items to the image edit layer's codes,
// the numbered file name, the output path, the folders to create and the next serial number.
#include "imaging/SaveOptions.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pelorine {

// The format of a file format item; nullopt for no selection (-1) or an unknown item.
std::optional<SaveFormat> SaveFormatForItem(int item);

// JPEG quality item 0..9 → 1..10; no selection → 0.
int SaveQualityForItem(int item);

// The depth code of a colour depth item; nullopt: no call.
std::optional<DepthCode> ColorDepthForItem(int item);

// The counter-clockwise turn of a rotation item; nullopt for none.
std::optional<Turn> RotationForItem(int item);

// The mode of a resize mode item; nullopt for no selection or an unknown item.
std::optional<ResizeMode> ResizeModeForItem(int item);

// floor(percent × size / 100) for the scale mode, computed exactly.
int ScaledSize(int percent, int size);

// Raises the user's error when the resize would make a picture larger than the image edit layer
// holds: refused silently, the save would write the original size under the new name.
void CheckResizeSize(int width, int height);

// prefix + serial; an extension (a final "." after any "\", ":" or "/") is replaced by
// saveExt, then every folder or drive part is dropped so the file lands in the save folder.
std::wstring SaveFileName(const std::wstring& prefix, int serial, const std::wstring& saveExt);

// folder + "/" + file name.
std::wstring SaveOutputPath(const std::wstring& folder, const std::wstring& fileName);

// The folders to create, parents first, for the save folder to exist. A trailing separator
// is dropped; a path under 3 characters or one that exists needs nothing. Throws
// pelorine::Error "ディレクトリを作成することができません" for an empty folder text.
std::vector<std::wstring> FoldersToCreate(const std::wstring& folder,
                                          const std::function<bool(const std::wstring&)>& exists);

// The serial number after a save: +1, held at 9999.
int NextSerialNumber(int serial);

// Throws pelorine::Error when the serial number is held at 9999 and its file exists already:
// each save from then on would silently replace that file. Below the limit an existing file is
// replaced as the user chose the number.
void CheckSerialNumberFree(int serial, const std::function<bool()>& outputExists);

} // namespace pelorine
