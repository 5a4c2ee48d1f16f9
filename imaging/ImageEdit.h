#pragma once
// The image edit layer: loads the hand-off bitmap, converts it (colour depth, quarter turns,
// size) and saves it as BMP, TIFF, JPEG, PCX or PNG. Methods report failure by returning
// false and never throw; refused property writes throw pelorine::Error.
// Callers have COM initialised (apartment-threaded) on the thread.
#include "base/Bytes.h"
#include "imaging/EditPicture.h"

#include <string>

namespace pelorine {

// The whole file a save writes for the picture in that format; empty on failure.
Bytes EncodeForSave(const EditPicture& picture, int mediaFormat, int quality);

// Writes that file at path, replacing it only once complete; false (or a thrown allocation
// failure) when it cannot. BMP, PNG and PCX go to the file a piece at a time as they are made.
bool SavePicture(const EditPicture& picture, int mediaFormat, int quality, const std::wstring& path);

class TImageEdit {
  public:
    void SetInputFileName(const std::wstring& fileName) { inputFileName_ = fileName; }
    std::wstring InputFileName() const { return inputFileName_; }

    // Decodes InputFileName (a bitmap of any depth, recognised by content, whatever its
    // extension). On failure the former picture is dropped, so a later Save fails too instead
    // of writing an older capture under the new name.
    bool Load();

    // A MediaFormat code; any other code throws.
    void SetSaveMediaFormat(int code);
    int SaveMediaFormat() const { return saveMediaFormat_; }

    // JPEG quality 1 (smallest file) to 10 (best), 0 for the encoder's default; else throws.
    void SetSaveQuality(int quality);

    // A DepthCode: the palette depths get a palette fitted to the picture and error diffusion.
    bool ChangeColorDepth(int code);
    // Turns counter-clockwise by 90, 180 or 270; other angles are refused.
    bool RotateArbitrary(int degrees);

    int ImageWidth() const { return picture_.Width(); }
    const EditPicture& Picture() const { return picture_; }
    int ImageHeight() const { return picture_.Height(); }

    // true: ResizeImage fits the picture inside the box, centred on white margins.
    void SetAspectRatio(bool keep) { aspectRatio_ = keep; }
    // The result is width × height; a side below 1 is refused.
    bool ResizeImage(int width, int height);

    // Writes the picture in SaveMediaFormat, keeping its reduced depth where the format holds
    // it. The file is replaced only once completely written.
    bool Save(const std::wstring& path);

    // Drops the picture and gives its memory back, once a command has no more use for it: kept
    // until the next Load, it was a whole screen more at the next capture's peak.
    void Unload() { picture_ = {}; }

  private:
    std::wstring inputFileName_;
    int saveMediaFormat_ = kFormatBmp;
    int saveQuality_ = 0;
    bool aspectRatio_ = false;
    EditPicture picture_;
};

} // namespace pelorine
