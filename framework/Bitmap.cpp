#include "framework/Bitmap.h"

#include "framework/Error.h"
#include "framework/Files.h"

#include <vector>

namespace pelorine {

namespace {
BITMAP Info(HBITMAP h) {
    BITMAP bm{};
    if (h) GetObjectW(h, sizeof bm, &bm);
    return bm;
}

// The bytes of a Windows bitmap file holding the bitmap at its own depth (empty on failure).
std::string BitmapFileBytes(HBITMAP bitmap) {
    const BITMAP bm = Info(bitmap);
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0) return {};
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
    std::vector<char> bits(stride * bm.bmHeight);
    WindowDc screen(nullptr);
    if (!GetDIBits(screen.get(), bitmap, 0, bm.bmHeight, bits.data(),
                   reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS))
        return {};
    bih->biSizeImage = DWORD(bits.size());
    BITMAPFILEHEADER bfh{};
    bfh.bfType = 0x4D42; // "BM"
    bfh.bfOffBits = DWORD(sizeof bfh + info.size());
    bfh.bfSize = DWORD(bfh.bfOffBits + bits.size());
    std::string out(reinterpret_cast<const char*>(&bfh), sizeof bfh);
    out.append(info.data(), info.size());
    out.append(bits.data(), bits.size());
    return out;
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

UniqueBitmap MakeMonoMask(HBITMAP source, COLORREF transparent, int width, int height) {
    UniqueBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    UniqueMemDc from(CreateCompatibleDC(nullptr)), to(CreateCompatibleDC(nullptr));
    SelectGuard selSource(from.get(), source), selMask(to.get(), mask.get());
    // Copying colour to one bit per pixel gives 1 where the source has its DC's background colour.
    SetBkColor(from.get(), transparent);
    BitBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, SRCCOPY);
    return mask;
}

UniqueBitmap CopyBitmapPart(HBITMAP source, const Rect& part) {
    WindowDc screen(nullptr);
    UniqueBitmap copy(CreateCompatibleBitmap(screen.get(), part.Width(), part.Height()));
    UniqueMemDc from(CreateCompatibleDC(nullptr)), to(CreateCompatibleDC(nullptr));
    SelectGuard selSource(from.get(), source), selCopy(to.get(), copy.get());
    BitBlt(to.get(), 0, 0, part.Width(), part.Height(), from.get(), part.left, part.top, SRCCOPY);
    return copy;
}

void TBitmap::SetSize(int width, int height) {
    WindowDc screen(nullptr);
    HBITMAP h = CreateCompatibleBitmap(screen.get(), width, height);
    if (!h) throw Error(L"ビットマップを作成できません");
    bitmap_.reset(h);
}

void TBitmap::Assign(HBITMAP source) {
    bitmap_.reset(source ? HBITMAP(CopyImage(source, IMAGE_BITMAP, 0, 0, 0)) : nullptr);
}

void TBitmap::SaveToFile(const std::wstring& path) const {
    const std::string bytes = BitmapFileBytes(bitmap_.get());
    if (bytes.empty() || !WriteWholeFile(path, bytes))
        throw Error(FormatMessageText(L"ファイル %s を作成できません", path));
}

BitmapCanvas::BitmapCanvas(HBITMAP bitmap)
    : dc_(CreateCompatibleDC(nullptr)), select_(dc_.get(), bitmap), canvas_(dc_.get()) {}
} // namespace pelorine
