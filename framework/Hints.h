#pragma once
// The hint window: a small top-most pop-up that shows a hint text as its caption, never takes the
// focus or the mouse, and paints itself. The application keeps one (framework/HintTracker.h); a
// component may give it another class by deriving from this one.
#include "framework/Canvas.h"
#include "framework/Scale.h"
#include "framework/Window.h"

#include <functional>
#include <memory>
#include <string>

namespace pelorine {

class TControl;

// The hint that is about to show: its control, and where the window's top-left corner goes.
struct THintInfo {
    TControl* HintControl = nullptr;
    Point HintPos;    // screen
    int HintMaxWidth; // where the text breaks into lines
};

class THintWindow : public TWindow {
  public:
    THintWindow() = default;
    // The rectangle (at 0, 0) that the text needs, broken into lines at maxWidth, with a margin.
    virtual Rect CalcHintRect(int maxWidth, const std::wstring& text);
    // Shows the window at the screen rectangle with the text as its caption.
    virtual void ActivateHint(Rect r, const std::wstring& text);
    void ReleaseHint();
    bool Showing() const;
    std::wstring Caption() const;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // The window's class name, the same for every kind of hint window.
    static constexpr const wchar_t* kClassName = L"PelorineHint";

  protected:
    virtual DWORD Style() const { return WS_POPUP | WS_BORDER; }
    virtual void Paint(TCanvas& canvas);
    // Fills the window with its colour; a derived window may leave what lies under it.
    virtual void EraseBackground(TCanvas& canvas);
    void HandleNeeded();
    Rect ClientRect() const;
    TFont font_; // measures the text, and paints it in the plain window
    TColor color_ = clInfoBk;
    Scale scale_; // of the margins around the text

  private:
    void PaintAll(HDC dc);
};

using THintWindowClass = std::function<std::unique_ptr<THintWindow>()>;

} // namespace pelorine
