#pragma once
// Controls: windowless graphic controls painted by their parent, windowed controls that own an
// HWND (own class or a subclassed system class), and the top-level form. Messages reach the
// object's virtual WndProc through the one window procedure (framework/Window.h) or, for a
// subclassed system control, through its subclass procedure; no exception leaves either.
#include "framework/Canvas.h"
#include "framework/Component.h"
#include "framework/Geometry.h"
#include "framework/Messages.h"
#include "framework/Scale.h"
#include "framework/Window.h"

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pelorine {

class TWinControl;
using TNotifyEvent = std::function<void(TComponent* sender)>;

enum class TCursor { Default, HandPoint };
enum class TAlignment { LeftJustify, RightJustify, Center };
enum class TTextLayout { Top, Center, Bottom };

class TControl : public TComponent {
  public:
    TControl(TComponent* owner, TWinControl* parent);
    ~TControl() override;
    const Rect& BoundsRect() const { return bounds_; }
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.Width(); }
    int Height() const { return bounds_.Height(); }
    virtual void SetBounds(const Rect& r);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool e);
    void SetCursor(TCursor c) { cursor_ = c; }
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    virtual void Invalidate();
    // The text the application's hint window shows while the pointer rests on the control, if
    // ShowHint is on.
    const std::wstring& Hint() const { return hint_; }
    void SetHint(std::wstring hint) { hint_ = std::move(hint); }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show) { showHint_ = show; }
    // The scale of the control's window. Its form sets it before the bounds; the control draws
    // the inner parts of its design (a button beside an edit, a picture) at it.
    const Scale& CurrentScale() const { return scale_; }
    virtual void SetScale(Scale s) { scale_ = s; }

  protected:
    TWinControl* parent_;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    TCursor cursor_ = TCursor::Default;
    TFont font_;
    std::wstring hint_;
    bool showHint_ = false;
    Scale scale_;
};

// Drawn by its parent's WM_PAINT, in the order the controls were made (later ones on top).
class TGraphicControl : public TControl {
  public:
    TGraphicControl(TComponent* owner, TWinControl* parent);
    // Canvas origin is the control's top-left corner.
    virtual void Paint(TCanvas& canvas) = 0;
    // Puts the control above its parent's other graphic controls.
    void BringToFront();

    // A control that captures the mouse gets the left button's press and release from its
    // parent (points in its own coordinates) and a click when released over it.
    virtual bool CapturesMouse() const { return false; }
    virtual void MouseDown(Point p);
    virtual void MouseUp(Point p);
    virtual void Click();
    std::function<void(TComponent*sender, Point p)> OnMouseDown, OnMouseUp;
    TNotifyEvent OnClick;
};

class TWinControl : public TControl, public TWindow {
  public:
    TWinControl(TComponent* owner, TWinControl* parent);
    ~TWinControl() override;
    static TWinControl* FromHandle(HWND wnd) { return dynamic_cast<TWinControl*>(TWindow::FromHandle(wnd)); }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT Perform(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return WndProc(msg, wp, lp); }

    void SetBounds(const Rect& r) override;
    void SetVisible(bool v) override;
    void SetEnabled(bool e) override;
    void Invalidate() override;
    void SetFocus();
    bool Focused() const;
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    void ApplyFont();
    // The colour the control's surface is filled with; children that follow their parent's
    // colour take it from here.
    virtual TColor BackgroundColor() const { return clBtnFace; }
    // Sends a message to every windowed child, as a group of buttons tells its members.
    void Broadcast(UINT msg, WPARAM wp, LPARAM lp);

    // What a screen reader hears of the control (framework/Accessible.h). An empty answer keeps
    // the system's own; a control with no name from either is named by its hint.
    void SetAccessibleName(std::wstring name) { accessibleName_ = std::move(name); }
    virtual std::wstring AccessibleName() const { return accessibleName_; }
    virtual long AccessibleRole() const { return 0; }
    virtual long AccessibleState() const { return 0; } // added to the system's
    virtual std::optional<std::wstring> AccessibleValue() const { return std::nullopt; }
    // The default action's name, and the action; a control without one has the system's.
    virtual std::wstring AccessibleAction() const { return {}; }
    virtual void DoAccessibleAction() {}

    // Children, for painting graphic controls and for the tab order.
    void InsertControl(TControl* c) { controls_.push_back(c); }
    void RemoveControl(TControl* c);
    void BringToFront(TControl* c);
    const std::vector<TControl*>& Controls() const { return controls_; }
    // Paints the visible graphic children onto a canvas whose origin lies at `origin` in this
    // control's client coordinates.
    void PaintGraphicControls(TCanvas& canvas, Point origin) const;

  protected:
    // A window of the framework's own class, bound to this object from its creation on.
    void CreateOwnWindow(DWORD style, DWORD exStyle, const std::wstring& text, HWND parentWnd);
    // A system control (EDIT, COMBOBOX, ...) subclassed so this object sees its messages first.
    void CreateSystemWindow(const wchar_t* className, DWORD style, DWORD exStyle, const std::wstring& text);
    LRESULT DefaultHandler(UINT msg, WPARAM wp, LPARAM lp);
    // Paints the graphic children (and calls PaintWindow for custom painting). An error is
    // reported once the paint has ended.
    void PaintHandler();
    virtual void PaintWindow(TCanvas& canvas);
    virtual bool FillsBackground() const { return true; }

  private:
    LRESULT ReflectToChild(HWND child, UINT msg, WPARAM wp, LPARAM lp);
    TGraphicControl* MouseTarget(Point p) const;
    void LeftButton(bool down, Point p);
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    bool subclassed_ = false;
    int tabOrder_ = -1;
    std::wstring accessibleName_;
    std::exception_ptr paintFailure_;
    std::vector<TControl*> controls_;
    TGraphicControl* mouseControl_ = nullptr; // holds the mouse between press and release
};

// A windowed control of the framework's own class that paints itself (double-buffered).
class TCustomControl : public TWinControl {
  public:
    TCustomControl(TComponent* owner, TWinControl* parent, DWORD extraStyle = 0);
    virtual void Paint(TCanvas& canvas) = 0;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

  protected:
    void PaintWindow(TCanvas& canvas) override { Paint(canvas); }
    bool mouseInside_ = false;
};

enum class TCloseAction { None, Hide, Free };

class TForm : public TWinControl {
  public:
    TForm(TComponent* owner, DWORD style, DWORD exStyle, const std::wstring& caption);
    ~TForm() override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void Show();
    void Hide();
    void Close();
    void SetColor(TColor c) { color_ = c; }
    // No frame or caption bar: the client area is the whole window.
    void SetBorderStyleNone();
    // The form stops filling its background; its controls paint all of it.
    void SetBrushClear() { brushClear_ = true; }
    // Moves the focus to the next (or previous) windowed control in tab order.
    void SelectNext(bool forward);
    // Sets the client area's size, keeping the window's place; the frame is the one of the
    // form's scale.
    void SetClientSize(int width, int height);
    // Shows the form and runs messages until it closes (or the application ends); the other
    // windows of the application take no input meanwhile. Returns the modal result.
    int ShowModal();
    int ModalResult = 0;
    std::function<void(TComponent* sender, TCloseAction& action)> OnClose;
    // A window is named by its caption.
    std::wstring AccessibleName() const override { return Text(); }

  protected:
    TColor BackgroundColor() const override { return color_; }
    bool FillsBackground() const override { return !brushClear_; }
    TColor color_ = clBtnFace;
    bool brushClear_ = false;
    bool modal_ = false;
};

} // namespace pelorine
