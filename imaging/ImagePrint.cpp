#include "imaging/ImagePrint.h"

#include "framework/Error.h"
#include "framework/FontFaces.h"
#include "framework/Handles.h"

#include <winspool.h>

#include <cwchar>
#include <new>

namespace pelorine {

namespace {

constexpr int kFontPoints = 9;
constexpr wchar_t kDocumentTitle[] = L"Pelorine";

// Header and footer font, chosen into the DC while it lives; the line height it gives is
// the height of the header and footer bands.
class PageFont {
  public:
    PageFont(HDC dc, int dpiY) : font_(Create(dpiY)), selected_(dc, font_.get()) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        lineHeight_ = metrics.tmHeight;
    }
    int LineHeight(const std::wstring& text) const { return text.empty() ? 0 : lineHeight_; }

  private:
    static UniqueFont Create(int dpiY) {
        LOGFONTW font{};
        font.lfHeight = -MulDiv(kFontPoints, dpiY, 72);
        font.lfCharSet = SHIFTJIS_CHARSET;
        font.lfOutPrecision = OUT_TT_PRECIS;
        lstrcpynW(font.lfFaceName, kUiFace, LF_FACESIZE);
        return UniqueFont(CreateFontIndirectW(&font));
    }

    UniqueFont font_;
    SelectGuard selected_;
    int lineHeight_ = 0;
};

PageLayout LayOut(const PageFont& font, const Pixmap& picture, const PageMetrics& page,
                  const PageDecoration& decoration) {
    const PageLayout layout = LayOutPage(page, decoration.margins, font.LineHeight(decoration.header),
                                         font.LineHeight(decoration.footer), picture.width, picture.height);
    if (!layout.ok) throw Error(L"余白が大きすぎて印刷する場所がありません");
    return layout;
}

void DrawLine(HDC dc, const std::wstring& text, const Rect& band) {
    if (text.empty()) return;
    RECT r{band.left, band.top, band.right, band.bottom};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

BITMAPINFO TopDown32BitInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

void DrawPicture(HDC dc, const Pixmap& picture, const Rect& where) {
    const BITMAPINFO info = TopDown32BitInfo(picture.width, picture.height);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr); // HALFTONE needs it after the mode is set
    const int lines =
        StretchDIBits(dc, where.left, where.top, where.Width(), where.Height(), 0, 0, picture.width,
                      picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) throw Error(L"画像を描けません");
}

Pixmap ReadPicture(const std::wstring& path) {
    const Error unreadable(FormatMessageText(L"ファイル %s を読み込めません", path));
    const UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP size{};
    if (!bitmap || !GetObjectW(bitmap.get(), sizeof size, &size) || size.bmWidth <= 0 || size.bmHeight <= 0)
        throw unreadable;

    Pixmap picture(size.bmWidth, size.bmHeight);
    BITMAPINFO info = TopDown32BitInfo(picture.width, picture.height);
    const UniqueMemDc dc(CreateCompatibleDC(nullptr));
    if (GetDIBits(dc.get(), bitmap.get(), 0, picture.height, picture.pixels.data(), &info, DIB_RGB_COLORS) !=
        picture.height)
        throw unreadable;
    return picture;
}

// A printer DC is freed with DeleteDC, as a memory DC is.
UniqueMemDc OpenDefaultPrinter() {
    DWORD length = 0;
    GetDefaultPrinterW(nullptr, &length);
    std::wstring name(length, L'\0');
    if (length == 0 || !GetDefaultPrinterW(name.data(), &length))
        throw Error(L"既定のプリンターがありません");
    name.resize(std::wcslen(name.c_str()));
    // No DEVMODE: the printer's own default paper and orientation.
    UniqueMemDc dc(CreateDCW(nullptr, name.c_str(), nullptr, nullptr));
    if (!dc) throw Error(FormatMessageText(L"プリンター %s を開けません", name));
    return dc;
}

PageMetrics PrinterMetrics(HDC dc) {
    return {GetDeviceCaps(dc, PHYSICALWIDTH),   GetDeviceCaps(dc, PHYSICALHEIGHT),
            GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY),
            GetDeviceCaps(dc, HORZRES),         GetDeviceCaps(dc, VERTRES),
            GetDeviceCaps(dc, LOGPIXELSX),      GetDeviceCaps(dc, LOGPIXELSY)};
}

// A print job that is cancelled unless it is finished: no half page reaches the printer.
class PrintJob {
  public:
    explicit PrintJob(HDC dc) : dc_(dc) {
        DOCINFOW doc{};
        doc.cbSize = sizeof doc;
        doc.lpszDocName = kDocumentTitle;
        if (StartDocW(dc_, &doc) <= 0) throw Error(L"印刷ジョブを開始できません");
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;
    ~PrintJob() {
        if (!finished_) AbortDoc(dc_);
    }

    void PrintPage(const Pixmap& picture, const PageMetrics& page, const PageDecoration& decoration) {
        if (StartPage(dc_) <= 0) throw Error(L"ページを開始できません");
        DrawPage(dc_, picture, page, decoration);
        if (EndPage(dc_) <= 0) throw Error(L"ページを印刷できません");
    }
    void Finish() {
        if (EndDoc(dc_) <= 0) throw Error(L"印刷ジョブを終了できません");
        finished_ = true;
    }

  private:
    HDC dc_;
    bool finished_ = false;
};

void CheckMargin(float mm) {
    if (!(mm >= 0.0f && mm <= 255.0f)) throw Error(L"余白は 0 から 255 mm の間で指定してください");
}

} // namespace

void DrawPage(HDC dc, const Pixmap& picture, const PageMetrics& page, const PageDecoration& decoration) {
    const PageFont font(dc, page.dpiY);
    const PageLayout layout = LayOut(font, picture, page, decoration);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawLine(dc, decoration.header, layout.header);
    DrawLine(dc, decoration.footer, layout.footer);
    DrawPicture(dc, picture, layout.picture);
}

void TImagePrint::SetMarginTop(float mm) {
    CheckMargin(mm);
    decoration_.margins.top = mm;
}

void TImagePrint::SetMarginBottom(float mm) {
    CheckMargin(mm);
    decoration_.margins.bottom = mm;
}

void TImagePrint::SetMarginLeft(float mm) {
    CheckMargin(mm);
    decoration_.margins.left = mm;
}

void TImagePrint::SetMarginRight(float mm) {
    CheckMargin(mm);
    decoration_.margins.right = mm;
}

bool TImagePrint::StartPrint() {
    lastError_.clear();
    try {
        Print();
        return true;
    } catch (const Error& e) {
        lastError_ = L"印刷できません: " + e.Message();
    } catch (const std::bad_alloc&) {
        lastError_ = L"印刷できません: メモリが足りません";
    }
    return false;
}

void TImagePrint::Print() const {
    const Pixmap picture = ReadPicture(fileName_); // first of all: the caller deletes the file next
    const UniqueMemDc printer = OpenDefaultPrinter();
    const PageMetrics page = PrinterMetrics(printer.get());
    // Refused before the job starts, so a page that cannot be laid out leaves no job behind.
    LayOut(PageFont(printer.get(), page.dpiY), picture, page, decoration_);
    PrintJob job(printer.get());
    job.PrintPage(picture, page, decoration_);
    job.Finish();
}

} // namespace pelorine
