// The image edit layer under the platform's codecs: bitmaps of every depth in, every format ×
// depth out, decoded back through WIC here and through ImageMagick by check_saved_files.sh,
// which reads the manifest this test writes beside the files.
#include "framework/Bitmap.h"
#include "imaging/ImageEdit.h"

#include "framework/Error.h"
#include "support/WinTest.h"
#include "support/BitmapFiles.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace pelorine {
namespace {

constexpr int kWidth = 67, kHeight = 41; // odd sizes exercise row padding

// Where the saved files go, for check_saved_files.sh to read.
std::wstring OutputFolder() {
    const std::wstring folder = testing_support::BuildDir() + L"\\imaging-out";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

using testing_support::FileBytes;
using testing_support::FileExists;
using testing_support::WriteFileBytes;

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

// A bottom-up Windows bitmap file; `value` gives the stored pixel value (an index, a 16-bit
// 5-5-5 word or 0x00RRGGBB) for each pixel.
std::vector<std::uint8_t> BitmapFile(int bits, const std::vector<Rgb>& palette,
                                     const std::function<std::uint32_t(int, int)>& value) {
    const std::uint32_t stride = (std::uint32_t(kWidth) * bits + 31) / 32 * 4;
    const std::uint32_t offset = 14 + 40 + std::uint32_t(palette.size()) * 4;
    std::vector<std::uint8_t> out = testing_support::BitmapHeader(
        kWidth, kHeight, bits, 0, std::uint32_t(palette.size()), offset, stride * kHeight);
    for (const Rgb c : palette)
        Put(out, c, 4);
    for (int y = kHeight - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t v = value(x, y);
            if (bits < 8)
                row[std::size_t(x * bits / 8)] |= std::uint8_t(v << (8 - bits - x * bits % 8));
            else
                for (int b = 0; b < bits / 8; ++b)
                    row[std::size_t(x * bits / 8 + b)] = std::uint8_t(v >> (8 * b));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

Rgb Colourful(int x, int y) {
    return MakeRgb(x * 255 / (kWidth - 1), y * 255 / (kHeight - 1), (x ^ y) * 4 & 0xFF);
}

// The colourful picture in 16-bit 5-5-5 words, and as a decoder widens them back to 8 bits.
std::uint32_t Colourful555(int x, int y) {
    const Rgb c = Colourful(x, y);
    return std::uint32_t(RedOf(c) >> 3 << 10 | GreenOf(c) >> 3 << 5 | BlueOf(c) >> 3);
}
Rgb Widened555(int x, int y) {
    const Rgb c = Colourful(x, y);
    const auto widen = [](int v) { return (v >> 3 << 3) | (v >> 5); };
    return MakeRgb(widen(RedOf(c)), widen(GreenOf(c)), widen(BlueOf(c)));
}

std::vector<Rgb> RampPalette(int entries) {
    std::vector<Rgb> palette;
    for (int i = 0; i < entries; ++i)
        palette.push_back(MakeRgb(i * 255 / (entries - 1), 255 - i * 255 / (entries - 1), i * 37 & 0xFF));
    return palette;
}

struct Source {
    const char* name;
    int bits;
    std::vector<Rgb> palette;
    std::function<std::uint32_t(int, int)> value;
    std::function<Rgb(int, int)> expected;
    int tolerance = 0; // per channel: codecs widen 5-bit channels in their own ways
};

std::vector<Source> Sources() {
    const auto paletteEntry = [](int entries, int x, int y) { return std::uint32_t((x + 3 * y) % entries); };
    const auto indexed = [&](const char* name, int bits) {
        const int entries = 1 << bits;
        const std::vector<Rgb> palette = RampPalette(entries);
        return Source{name, bits, palette, [=](int x, int y) { return paletteEntry(entries, x, y); },
                      [=](int x, int y) { return palette[paletteEntry(entries, x, y)]; }};
    };
    return {{"24", 24, {}, Colourful, Colourful},
            {"32", 32, {}, Colourful, Colourful},
            {"16", 16, {}, Colourful555, Widened555, 8},
            indexed("8", 8),
            indexed("4", 4),
            indexed("1", 1)};
}

struct Decoded {
    UINT width = 0, height = 0;
    WICPixelFormatGUID format{};
    std::vector<Rgb> pixels;
};

// An independent decode: WIC's own pixel format of the file, then its pixels as 32bppBGR.
bool DecodeWithWic(const std::wstring& path, Decoded& out) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapSource> converted;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetPixelFormat(&out.format)) ||
        FAILED(frame->GetSize(&out.width, &out.height)) ||
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.Get(), &converted)))
        return false;
    out.pixels.resize(std::size_t(out.width) * out.height);
    if (FAILED(converted->CopyPixels(nullptr, out.width * 4, UINT(out.pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(out.pixels.data()))))
        return false;
    for (Rgb& c : out.pixels)
        c &= 0xFFFFFF;
    return true;
}

bool Near(Rgb a, Rgb b, int tolerance) {
    return std::abs(RedOf(a) - RedOf(b)) <= tolerance && std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
           std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

class ImageEditTest : public testing::Test {
  protected:
    void SetUp() override { folder_ = OutputFolder(); }

    std::wstring Path(const std::string& name) const {
        return folder_ + L"/" + std::wstring(name.begin(), name.end());
    }

    // Writes the source bitmap under a .tmp name, as the hand-off file is named, and loads it.
    void LoadSource(const Source& source) {
        const std::wstring path = Path(std::string("_tmp") + source.name + ".tmp");
        WriteFileBytes(path, BitmapFile(source.bits, source.palette, source.value));
        edit_.SetInputFileName(path);
        ASSERT_TRUE(edit_.Load()) << source.name;
        DeleteFileW(path.c_str());
    }

    void ExpectDecodesTo(const std::wstring& path, const std::function<Rgb(int, int)>& expected, int width,
                         int height, int tolerance = 0) {
        Decoded decoded;
        ASSERT_TRUE(DecodeWithWic(path, decoded));
        ASSERT_EQ(int(decoded.width), width);
        ASSERT_EQ(int(decoded.height), height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_TRUE(Near(decoded.pixels[std::size_t(y) * width + x], expected(x, y), tolerance))
                    << x << "," << y;
    }

    std::wstring folder_;
    TImageEdit edit_;
};

TEST_F(ImageEditTest, LoadsBitmapsOfEveryDepthByContent) {
    for (const Source& source : Sources()) {
        LoadSource(source);
        EXPECT_EQ(edit_.ImageWidth(), kWidth);
        EXPECT_EQ(edit_.ImageHeight(), kHeight);
        const std::wstring out = Path(std::string("load") + source.name + ".bmp");
        ASSERT_TRUE(edit_.Save(out));
        ExpectDecodesTo(out, source.expected, kWidth, kHeight, source.tolerance);
    }
}

// Each load reuses the memory of the picture before it; hand-off files of changing sizes
// still come back whole and upright. The file is marked temporary, for the cache to keep.
TEST_F(ImageEditTest, HandOffFilesOfChangingSizesLoadWhole) {
    for (const auto& [w, h] : {std::pair{200, 150}, {50, 30}, {310, 170}}) {
        TBitmap bitmap;
        bitmap.SetSize(w, h);
        {
            BitmapCanvas canvas(bitmap.Handle());
            canvas.Canvas().FillRect(Rect{0, 0, w, h}, MakeColor(w % 256, 20, 30));
            canvas.Canvas().FillRect(Rect{0, 0, w, 1}, MakeColor(1, 2, h % 256)); // the top row
        }
        const std::wstring path = Path("_handoff.tmp");
        bitmap.SaveToFile(path);
        // Wine 8 does not keep the attribute; Windows reports it.
        if (!pelorine::RunningOnWine())
            EXPECT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_TEMPORARY);
        edit_.SetInputFileName(path);
        ASSERT_TRUE(edit_.Load()) << w;
        DeleteFileW(path.c_str());
        const Pixmap& loaded = edit_.Picture().Colour();
        ASSERT_EQ(loaded.width, w);
        ASSERT_EQ(loaded.height, h);
        EXPECT_EQ(loaded.pixels.size(), std::size_t(w) * std::size_t(h));
        EXPECT_EQ(loaded.At(w - 1, 0), MakeRgb(1, 2, h % 256)) << w;
        EXPECT_EQ(loaded.At(w - 1, h - 1), MakeRgb(w % 256, 20, 30)) << w;
    }
}

TEST_F(ImageEditTest, LoadFailureDropsTheFormerPicture) {
    LoadSource(Sources()[0]);
    edit_.SetInputFileName(Path("missing.tmp"));
    EXPECT_FALSE(edit_.Load());
    EXPECT_EQ(edit_.ImageWidth(), 0);
    WriteFileBytes(Path("garbage.tmp"), std::string("BM\x01\x02\x03", 5));
    edit_.SetInputFileName(Path("garbage.tmp"));
    EXPECT_FALSE(edit_.Load());
    EXPECT_FALSE(edit_.Save(Path("nothing.bmp")));
    EXPECT_FALSE(FileExists(Path("nothing.bmp")));
    EXPECT_FALSE(edit_.ChangeColorDepth(8));
    EXPECT_FALSE(edit_.RotateArbitrary(90));
    EXPECT_FALSE(edit_.ResizeImage(10, 10));
}

struct Format {
    int code;
    const char* extension;
    const char* magick;
    bool lossless;
};
const Format kFormats[] = {
    {101, "bmp", "BMP", true}, {102, "tif", "TIFF", true}, {103, "jpg", "JPEG", false},
    {104, "pcx", "PCX", true}, {106, "png", "PNG", true},
};
const int kDepths[] = {1, 4, 8, 9, 12};

int MaxColours(int depth) { return depth == 1 ? 2 : depth == 4 ? 16 : depth == 12 ? 0 : 256; }

// One manifest line: name, format, size, ImageMagick's type and colour space, the most colours
// (0: not counted), and a file with the very same pixels ("-": none).
std::string ManifestLine(const std::string& name, const Format& format, int depth) {
    const bool jpeg = format.code == 103, pcx = format.code == 104;
    const char* type = depth == 9            ? "Grayscale"
                       : depth == 12 || jpeg ? "TrueColor"
                       : depth == 1 && pcx   ? "Bilevel" // PCX readers show two colours as black and white
                                             : "Palette";
    const bool greySpace = depth == 9 && format.code != 101 && !pcx;
    const bool sameAsBmp = format.lossless && format.code != 101 && !(depth == 1 && pcx);
    return name + ' ' + format.magick + ' ' + std::to_string(kWidth) + ' ' + std::to_string(kHeight) + ' ' +
           type + ' ' + (greySpace ? "Gray" : "sRGB") + ' ' +
           std::to_string(format.lossless ? MaxColours(depth) : 0) + ' ' +
           (sameAsBmp ? "depth" + std::to_string(depth) + ".bmp" : "-") + '\n';
}

// What WIC reports for the saved file: the reduced depth wherever the format holds it.
WICPixelFormatGUID ExpectedFormat(int code, int depth) {
    if (depth == 9) return code == 101 ? GUID_WICPixelFormat8bppIndexed : GUID_WICPixelFormat8bppGray;
    if (depth == 12 || code == 103) return GUID_WICPixelFormat24bppBGR;
    return depth == 1   ? GUID_WICPixelFormat1bppIndexed
           : depth == 4 ? GUID_WICPixelFormat4bppIndexed
                        : GUID_WICPixelFormat8bppIndexed;
}

TEST_F(ImageEditTest, EveryFormatAndDepthIsWrittenAtTheRightPixelFormat) {
    std::ofstream manifest(std::filesystem::path(folder_ + L"/manifest.txt"),
                           std::ios::binary | std::ios::trunc);
    const Source source = Sources()[0];
    for (const int depth : kDepths) {
        std::vector<Rgb> reference;
        for (const Format& format : kFormats) {
            LoadSource(source);
            edit_.SetSaveMediaFormat(format.code);
            edit_.SetSaveQuality(8);
            ASSERT_TRUE(edit_.ChangeColorDepth(depth));
            const std::string name = "depth" + std::to_string(depth) + "." + format.extension;
            ASSERT_TRUE(edit_.Save(Path(name))) << name;
            manifest << ManifestLine(name, format, depth);
            if (format.code == 104) continue; // WIC has no PCX decoder
            Decoded decoded;
            ASSERT_TRUE(DecodeWithWic(Path(name), decoded)) << name;
            EXPECT_EQ(decoded.width, UINT(kWidth));
            EXPECT_EQ(decoded.height, UINT(kHeight));
            EXPECT_TRUE(IsEqualGUID(decoded.format, ExpectedFormat(format.code, depth))) << name;
            if (!format.lossless) continue;
            // The same reduction in every lossless format; full colour is the source itself.
            if (reference.empty()) reference = decoded.pixels;
            EXPECT_EQ(decoded.pixels, reference) << name;
            if (depth == 12) ExpectDecodesTo(Path(name), Colourful, kWidth, kHeight);
        }
    }
}

TEST_F(ImageEditTest, QuarterTurnAndResizeReachTheFile) {
    LoadSource(Sources()[0]);
    ASSERT_TRUE(edit_.RotateArbitrary(270)); // a clockwise quarter turn
    EXPECT_EQ(edit_.ImageWidth(), kHeight);
    EXPECT_EQ(edit_.ImageHeight(), kWidth);
    edit_.SetSaveMediaFormat(106);
    ASSERT_TRUE(edit_.Save(Path("turned.png")));
    ExpectDecodesTo(
        Path("turned.png"), [](int x, int y) { return Colourful(y, kHeight - 1 - x); }, kHeight, kWidth);

    EXPECT_FALSE(edit_.RotateArbitrary(45));
    EXPECT_FALSE(edit_.ResizeImage(0, 10));
    EXPECT_EQ(edit_.ImageWidth(), kHeight);
    edit_.SetAspectRatio(true);
    ASSERT_TRUE(edit_.ResizeImage(100, 100));
    ASSERT_TRUE(edit_.Save(Path("fitted.png")));
    Decoded decoded;
    ASSERT_TRUE(DecodeWithWic(Path("fitted.png"), decoded));
    EXPECT_EQ(decoded.width, 100u);
    EXPECT_EQ(decoded.pixels[0], kWhite); // margin at the left
    EXPECT_NE(decoded.pixels[50 * 100 + 50], kWhite);
}

TEST_F(ImageEditTest, JpegQualityChangesTheFileSize) {
    LoadSource(Sources()[0]);
    edit_.SetSaveMediaFormat(103);
    edit_.SetSaveQuality(1);
    ASSERT_TRUE(edit_.Save(Path("q1.jpg")));
    edit_.SetSaveQuality(10);
    ASSERT_TRUE(edit_.Save(Path("q10.jpg")));
    EXPECT_LT(FileBytes(Path("q1.jpg")).size(), FileBytes(Path("q10.jpg")).size());
}

TEST_F(ImageEditTest, RefusedPropertiesThrow) {
    EXPECT_THROW(edit_.SetSaveMediaFormat(105), Error);
    EXPECT_THROW(edit_.SetSaveQuality(11), Error);
    EXPECT_THROW(edit_.SetSaveQuality(-1), Error);
    EXPECT_EQ(edit_.SaveMediaFormat(), 101);
    edit_.SetSaveQuality(0);
    edit_.SetSaveMediaFormat(104);
    EXPECT_EQ(edit_.SaveMediaFormat(), 104);
}

TEST_F(ImageEditTest, FailedSavesLeaveNoFileAndKeepTheOlderOne) {
    LoadSource(Sources()[0]);
    EXPECT_FALSE(edit_.Save(Path("no such folder/x.bmp")));
    EXPECT_FALSE(FileExists(Path("no such folder")));
    EXPECT_FALSE(edit_.Save(folder_ + L"/" + std::wstring(300, L'n') + L".bmp"));

    const std::wstring locked = folder_ + L"/locked";
    CreateDirectoryW(locked.c_str(), nullptr);
    const std::wstring target = locked + L"/older.bmp";
    WriteFileBytes(target, "old");
    // Held open without sharing, the older file cannot be replaced.
    HANDLE holder = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(edit_.Save(target));
    CloseHandle(holder);
    EXPECT_EQ(FileBytes(target), "old");
    EXPECT_EQ(testing_support::Matching(locked + L"/*"), std::vector<std::wstring>{L"older.bmp"})
        << "temporary file left behind";

    ASSERT_TRUE(edit_.Save(target)); // once free, it is replaced
    EXPECT_GT(FileBytes(target).size(), 3u);
    EXPECT_EQ(testing_support::Matching(locked + L"/*"), std::vector<std::wstring>{L"older.bmp"});
}

} // namespace
} // namespace pelorine
