#pragma once
// The image print layer: prints a Windows bitmap file on one page of the default printer,
// with a header line, a footer line and page margins in millimetres.
#include "base/Pixmap.h"
#include "imaging/PageLayout.h"

#include <windows.h>

#include <string>

namespace pelorine {

// What goes on the page besides the picture.
struct PageDecoration {
    std::wstring header; // one line above the picture; nothing when empty
    std::wstring footer; // one line below the picture; nothing when empty
    PageMargins margins;
};

// Draws one page: header and footer in "ＭＳ Ｐゴシック" 9 pt, the picture laid out by
// LayOutPage. `page` describes the DC (a printer's own metrics, or a memory DC's chosen
// size and resolution). Throws Error when the margins leave no room.
void DrawPage(HDC dc, const Pixmap& picture, const PageMetrics& page, const PageDecoration& decoration);

class TImagePrint {
  public:
    void SetHeaderText(const std::wstring& text) { decoration_.header = text; }
    void SetFooterText(const std::wstring& text) { decoration_.footer = text; }

    // Millimetres, 0 to 255; anything else (NaN included) throws Error.
    void SetMarginTop(float mm);
    float MarginTop() const { return decoration_.margins.top; }
    void SetMarginBottom(float mm);
    void SetMarginLeft(float mm);
    void SetMarginRight(float mm);

    void SetFileName(const std::wstring& path) { fileName_ = path; }

    // Prints the file on the default printer with its default paper and orientation. The
    // file has been read completely when this returns, whatever the result. False: nothing
    // was printed, and LastError() tells why.
    bool StartPrint();
    // After a failed StartPrint, the whole message, e.g. "印刷できません: 既定のプリンターが
    // ありません"; empty after a successful one.
    std::wstring LastError() const { return lastError_; }

  private:
    void Print() const;

    PageDecoration decoration_;
    std::wstring fileName_;
    std::wstring lastError_;
};

} // namespace pelorine
