#pragma once
// The rules of a save that need no platform: option items to the image edit layer's codes,
// the numbered file name, the output path, the folders to create and the next serial number.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pelorine {

struct SaveFormat {
    int mediaFormat; // SaveMediaFormat code
    const wchar_t* extension;
};

// File format item 0..4 → BMP 101 ".bmp", TIFF 102 ".tif", JPEG 103 ".jpg", PCX 104 ".pcx",
// PNG 106 ".png"; nullopt for no selection (-1) or an unknown item.
std::optional<SaveFormat> SaveFormatForItem(int item);
bool IsSaveMediaFormat(int code);

// JPEG quality item 0..9 → 1..10; no selection → 0.
int SaveQualityForItem(int item);

// Colour depth item 0..4 → 1, 4, 8, 9, 12; nullopt: no call.
std::optional<int> ColorDepthForItem(int item);

// Rotation item (clockwise 0, 90, 180, 270) → the counter-clockwise RotateArbitrary argument:
// nullopt, 270, 180, 90.
std::optional<int> RotationForItem(int item);

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
