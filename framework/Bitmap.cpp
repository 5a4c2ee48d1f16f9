#include "framework/Bitmap.h"

#include "base/Pixmap.h"
#include "framework/Error.h"
#include "framework/Files.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pelorine {

namespace {
BITMAP Info(HBITMAP h) {
    BITMAP bm{};
    if (h) GetObjectW(h, sizeof bm, &bm);
    return bm;
}

// Writes a Windows bitmap file holding the bitmap at its own depth, its rows fetched and
// written a band at a time: the whole file in fresh memory cost more than writing it.
bool WriteBitmapFileOf(HBITMAP bitmap, const ByteSink& put) {
    const BITMAP bm = Info(bitmap);
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
    // 16-bit and deeper screens are written as they are; indexed bitmaps carry their table.
    const int bpp = bm.bmBitsPixel <= 1   ? 1
                    : bm.bmBitsPixel <= 4 ? 4
                    : bm.bmBitsPixel <= 8 ? 8
                                          : bm.bmBitsPixel;
    const int colors = bpp <= 8 ? (1 << bpp) : 0;
    std::vector<char> info(sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD));
    auto* bih = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    bih->biSize = sizeof(BITMAPINFOHEADER);
    bih->biWidth = bm.bmWidth;
    bih->biHeight = bm.bmHeight;
    bih->biPlanes = 1;
    bih->biBitCount = WORD(bpp);
    bih->biCompression = BI_RGB;
    const size_t stride = ((size_t(bm.bmWidth) * bpp + 31) / 32) * 4;
    const int height = int(bm.bmHeight);
    const int bandRows = int(std::clamp<size_t>((256 << 10) / stride, 1, size_t(height)));
    std::vector<char> band(stride * size_t(bandRows));
    WindowDc screen(nullptr);
    const auto rowsFrom = [&](int first) { return std::min(bandRows, height - first); };
    const auto fetch = [&](int first) { // rows counted from the bottom, as the file stores them
        const int rows = rowsFrom(first);
        return GetDIBits(screen.get(), bitmap, UINT(first), UINT(rows), band.data(),
                         reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS) == rows;
    };
    const auto bytes = [](const auto& from, size_t size) {
        return ByteView(reinterpret_cast<const std::uint8_t*>(&from), size);
    };
    // The first band also fills in the colour table, which comes before the rows.
    if (!fetch(0)) return false;
    bih->biSizeImage = DWORD(stride * size_t(height));
    BITMAPFILEHEADER bfh{};
    bfh.bfType = 0x4D42; // "BM"
    bfh.bfOffBits = DWORD(sizeof bfh + info.size());
    bfh.bfSize = bfh.bfOffBits + bih->biSizeImage;
    if (!put(bytes(bfh, sizeof bfh)) || !put(bytes(info[0], info.size()))) return false;
    for (int first = 0; first < height; first += bandRows)
        if ((first > 0 && !fetch(first)) || !put(bytes(band[0], stride * size_t(rowsFrom(first)))))
            return false;
    return true;
}

void DescribeTopDown(BITMAPINFOHEADER& header, int width, int height, int bits) {
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height; // rows top to bottom, as RasterImage holds them
    header.biPlanes = 1;
    header.biBitCount = WORD(bits);
    header.biCompression = BI_RGB;
}
} // namespace

SIZE BitmapSize(HBITMAP bitmap) {
    const BITMAP bm = Info(bitmap);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

COLORREF TransparentColorOf(HBITMAP bitmap) {
    const SIZE size = BitmapSize(bitmap);
    UniqueMemDc dc(CreateCompatibleDC(nullptr));
    SelectGuard sel(dc.get(), bitmap);
    return GetPixel(dc.get(), 0, size.cy - 1);
}

namespace {
int ScreenBitsPerPixel() {
    WindowDc screen(nullptr);
    return GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
}
} // namespace

UniqueBitmap CopyBitmapPart(HBITMAP source, const Rect& part) {
    WindowDc screen(nullptr);
    UniqueBitmap copy(CreateCompatibleBitmap(screen.get(), part.Width(), part.Height()));
    UniqueMemDc from(CreateCompatibleDC(nullptr)), to(CreateCompatibleDC(nullptr));
    SelectGuard selSource(from.get(), source), selCopy(to.get(), copy.get());
    BitBlt(to.get(), 0, 0, part.Width(), part.Height(), from.get(), part.left, part.top, SRCCOPY);
    return copy;
}

UniqueBitmap NewScreenPicture(int width, int height) {
    WindowDc screen(nullptr);
    if (ScreenBitsPerPixel() != 32) return UniqueBitmap(CreateCompatibleBitmap(screen.get(), width, height));
    BITMAPINFO info{};
    DescribeTopDown(info.bmiHeader, width, height, 32);
    void* bits = nullptr;
    return UniqueBitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

void TBitmap::SetSize(int width, int height) {
    WindowDc screen(nullptr);
    HBITMAP h = CreateCompatibleBitmap(screen.get(), width, height);
    if (!h) throw Error(L"ビットマップを作成できません");
    bitmap_.reset(h);
}

void TBitmap::Assign(HBITMAP source) {
    // A device-independent bitmap stays one, with its depth and colour table.
    DIBSECTION dib{};
    const bool independent = source && GetObjectW(source, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBits;
    // A bitmap at the screen's depth (every capture) is copied with one blit: under Wine
    // CopyImage converted a whole screen through a device-independent copy, taking ten times
    // as long.
    const bool screenPicture =
        !independent || (dib.dsBmih.biCompression == BI_RGB && dib.dsBmih.biClrUsed == 0);
    if (source && screenPicture && dib.dsBm.bmBitsPixel == ScreenBitsPerPixel()) {
        bitmap_ = CopyBitmapPart(source, Rect{0, 0, dib.dsBm.bmWidth, dib.dsBm.bmHeight});
        return;
    }
    bitmap_.reset(source
                      ? HBITMAP(CopyImage(source, IMAGE_BITMAP, 0, 0, independent ? LR_CREATEDIBSECTION : 0))
                      : nullptr);
}

void TBitmap::SaveToFile(const std::wstring& path) const {
    if (!WriteTemporaryFile(path, [&](const ByteSink& put) { return WriteBitmapFileOf(bitmap_.get(), put); }))
        throw Error(FormatMessageText(L"ファイル %s を作成できません", path));
}

int TBitmap::Width() const { return Info(bitmap_.get()).bmWidth; }

int TBitmap::Height() const { return Info(bitmap_.get()).bmHeight; }

void TBitmap::LoadFromResource(int id) {
    HANDLE h =
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!h) throw Error(L"ビットマップを作成できません");
    bitmap_.reset(HBITMAP(h));
}

RasterImage TBitmap::Pixels() const {
    DIBSECTION dib{};
    if (!bitmap_ || !GetObjectW(bitmap_.get(), sizeof dib, &dib)) return {};
    const int stored = dib.dsBm.bmBits ? dib.dsBmih.biBitCount : 24;
    const int bits = stored == 16 && dib.dsBmih.biCompression == BI_BITFIELDS && dib.dsBitfields[1] == 0x07E0
                         ? 16
                     : stored == 16 ? 15
                                    : stored;
    RasterImage pixels(dib.dsBm.bmWidth, dib.dsBm.bmHeight, bits);
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    DescribeTopDown(info.header, pixels.width, pixels.height, stored);
    if (bits == 16) {
        info.header.biCompression = BI_BITFIELDS;
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(info.colours, masks, sizeof masks);
    }
    WindowDc screen(nullptr);
    if (!GetDIBits(screen.get(), bitmap_.get(), 0, UINT(pixels.height), pixels.bytes.data(),
                   reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS))
        return {};
    if (bits <= 8) {
        const UINT used = info.header.biClrUsed ? info.header.biClrUsed : 1u << bits;
        for (UINT i = 0; i < used && i < 256; ++i)
            pixels.palette.push_back(
                MakeRgb(info.colours[i].rgbRed, info.colours[i].rgbGreen, info.colours[i].rgbBlue));
    }
    return pixels;
}

void TBitmap::SetPixels(const RasterImage& pixels) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    DescribeTopDown(info.header, pixels.width, pixels.height, pixels.bits);
    for (size_t i = 0; i < pixels.palette.size() && i < 256; ++i) {
        const Rgb c = pixels.palette[i];
        info.colours[i] = RGBQUAD{BYTE(BlueOf(c)), BYTE(GreenOf(c)), BYTE(RedOf(c)), 0};
    }
    info.header.biClrUsed = DWORD(pixels.bits <= 8 ? pixels.palette.size() : 0);
    void* bits = nullptr;
    HBITMAP h =
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!h) throw Error(L"ビットマップを作成できません");
    std::memcpy(bits, pixels.bytes.data(),
                std::min(pixels.bytes.size(), pixels.Stride() * size_t(pixels.height)));
    bitmap_.reset(h);
}

UniqueBitmap MakeMonoMask(HBITMAP source, COLORREF transparent, int width, int height) {
    UniqueBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    if (!mask) return mask;
    UniqueMemDc from(CreateCompatibleDC(nullptr)), to(CreateCompatibleDC(nullptr));
    SelectGuard a(from.get(), source), b(to.get(), mask.get());
    // Copying colour to one bit per pixel turns the background colour white, all else black.
    SetBkColor(from.get(), transparent);
    BitBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, SRCCOPY);
    return mask;
}

BitmapCanvas::BitmapCanvas(HBITMAP bitmap)
    : dc_(CreateCompatibleDC(nullptr)), select_(dc_.get(), bitmap), canvas_(dc_.get()) {}
} // namespace pelorine
