#include "imaging/ImageEdit.h"

#include "framework/Error.h"
#include "framework/Files.h"
#include "imaging/BitmapFile.h"
#include "imaging/JpegWriter.h"
#include "imaging/PcxWriter.h"
#include "imaging/PngWriter.h"
#include "imaging/SaveNaming.h"
#include "imaging/WicCodec.h"

#include <algorithm>

namespace pelorine {
namespace {

// The methods' contract is a result flag; an exhausted allocation is just another failure.
template <class F> bool Guarded(F&& action) {
    try {
        return action();
    } catch (...) {
        return false;
    }
}

// The formats written by our own code, a piece at a time as they are made.
bool StreamOwnFormat(const EditPicture& picture, int mediaFormat, const ByteSink& out) {
    if (mediaFormat == kFormatPng)
        return picture.IsIndexed() ? StreamPng(picture.Indexed(), out) : StreamPng(picture.Colour(), out);
    if (mediaFormat == kFormatPcx)
        return picture.IsIndexed() ? StreamPcx(picture.Indexed(), out) : StreamPcx(picture.Colour(), out);
    return picture.IsIndexed() ? StreamBitmapFile(picture.Indexed(), out)
                               : StreamBitmapFile(picture.Colour(), out);
}

// The quality of a JPEG file, 1 to 10, in tenths of the usual scale as the platform's encoder
// took it; none chosen (0) is that encoder's own default, 0.9.
int JpegQuality(int quality) { return quality > 0 ? std::min(quality, 10) * 10 : 90; }
} // namespace

// PCX has no platform encoder; the platform's BMP encoder went through two more copies of the
// picture than writing the rows ourselves, its PNG encoder deflated on one thread at zlib's
// default level, and its JPEG encoder, on one thread too, took most of a 4K save's time. The
// platform still writes TIFF, and JPEG files of palette pictures.
Bytes EncodeForSave(const EditPicture& picture, int mediaFormat, int quality) {
    if (picture.Empty()) return {};
    if (mediaFormat == kFormatJpeg && !picture.IsIndexed())
        return EncodeJpeg(picture.Colour(), JpegQuality(quality));
    if (mediaFormat == kFormatPng)
        return picture.IsIndexed() ? EncodePng(picture.Indexed()) : EncodePng(picture.Colour());
    if (mediaFormat == kFormatBmp)
        return picture.IsIndexed() ? EncodeBitmapFile(picture.Indexed()) : EncodeBitmapFile(picture.Colour());
    if (mediaFormat == kFormatPcx)
        return picture.IsIndexed() ? EncodePcx(picture.Indexed()) : EncodePcx(picture.Colour());
    return EncodeWithWic(picture, mediaFormat, quality);
}

bool TImageEdit::Load() {
    return Guarded([&] {
        // A picture still loaded lends its memory: usually the same size, and fresh memory for a
        // whole screen cost more than reading the file.
        Pixmap storage = picture_.TakeColour();
        picture_ = {};
        std::optional<Pixmap> decoded = DecodeImageFile(inputFileName_, std::move(storage));
        if (!decoded) return false;
        picture_ = EditPicture(std::move(*decoded));
        return true;
    });
}

void TImageEdit::SetSaveMediaFormat(int code) {
    if (!IsSaveMediaFormat(code))
        throw Error(FormatMessageText(L"保存形式 %s は使用できません", std::to_wstring(code)));
    saveMediaFormat_ = code;
}

void TImageEdit::SetSaveQuality(int quality) {
    if (quality < 0 || quality > 10)
        throw Error(FormatMessageText(L"画質 %s は使用できません", std::to_wstring(quality)));
    saveQuality_ = quality;
}

bool TImageEdit::ChangeColorDepth(int code) {
    return Guarded([&] { return picture_.ChangeColorDepth(code); });
}

bool TImageEdit::RotateArbitrary(int degrees) {
    return Guarded([&] { return picture_.Rotate(degrees); });
}

bool TImageEdit::ResizeImage(int width, int height) {
    return Guarded([&] { return picture_.Resize(width, height, aspectRatio_); });
}

bool SavePicture(const EditPicture& picture, int mediaFormat, int quality, const std::wstring& path) {
    if (picture.Empty()) return false;
    if (mediaFormat == kFormatBmp || mediaFormat == kFormatPng ||
        mediaFormat == kFormatPcx) // written as made
        return WriteFileReplacing(
            path, [&](const ByteSink& out) { return StreamOwnFormat(picture, mediaFormat, out); });
    const Bytes bytes = EncodeForSave(picture, mediaFormat, quality);
    return !bytes.empty() && WriteFileReplacing(path, bytes);
}

bool TImageEdit::Save(const std::wstring& path) {
    return Guarded([&] { return SavePicture(picture_, saveMediaFormat_, saveQuality_, path); });
}

} // namespace pelorine
