#include "framework/Controls.h"

#include "framework/Accessible.h"
#include "framework/Application.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <commctrl.h>
#include <windowsx.h>

namespace pelorine {

namespace {
bool IsDescendant(HWND ancestor, HWND wnd) { return wnd && (wnd == ancestor || IsChild(ancestor, wnd)); }

void Intersect(HRGN seen, const RECT& screen) {
    const UniqueRgn clip(CreateRectRgnIndirect(&screen));
    CombineRgn(seen, seen, clip.get(), RGN_AND);
}

// Whether any pixel of the window can show: it and its parents are visible, and neither a
// parent's client area nor a window region on the way up cuts all of it away.
bool CanBeSeen(HWND wnd) {
    if (!IsWindowVisible(wnd)) return false;
    RECT rc;
    GetWindowRect(wnd, &rc);
    const UniqueRgn seen(CreateRectRgnIndirect(&rc)), shape(CreateRectRgn(0, 0, 0, 0));
    const HWND desktop = GetDesktopWindow();
    for (HWND w = wnd; w && w != desktop; w = GetAncestor(w, GA_PARENT)) {
        if (GetWindowRgn(w, shape.get()) != ERROR) {
            GetWindowRect(w, &rc);
            OffsetRgn(shape.get(), rc.left, rc.top);
            CombineRgn(seen.get(), seen.get(), shape.get(), RGN_AND);
        }
        const HWND parent = GetAncestor(w, GA_PARENT);
        if (!parent || parent == desktop) break;
        GetClientRect(parent, &rc);
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        Intersect(seen.get(), rc);
    }
    return GetRgnBox(seen.get(), &rc) != NULLREGION;
}

// Child windows need distinct ids: owner-drawn controls are found by id while they are being
// created, before the window knows its object.
HMENU NextControlId() {
    static UINT_PTR id = 100;
    return reinterpret_cast<HMENU>(++id);
}
} // namespace

// --- TControl -------------------------------------------------------------------------------

TControl::TControl(TComponent* owner, TWinControl* parent) : TComponent(owner), parent_(parent) {
    if (parent_) parent_->InsertControl(this);
}

TControl::~TControl() {
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetBounds(const Rect& r) {
    Invalidate();
    bounds_ = r;
    Invalidate();
}

void TControl::SetVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    Invalidate();
}

void TControl::SetEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    Invalidate();
}

void TControl::Invalidate() {
    if (parent_ && parent_->Handle()) {
        const RECT rc = ToRECT(bounds_);
        InvalidateRect(parent_->Handle(), &rc, FALSE);
    }
}

TGraphicControl::TGraphicControl(TComponent* owner, TWinControl* parent) : TControl(owner, parent) {}

void TGraphicControl::BringToFront() {
    if (parent_) parent_->BringToFront(this);
}

void TGraphicControl::MouseDown(Point p) {
    if (OnMouseDown) OnMouseDown(this, p);
}

void TGraphicControl::MouseUp(Point p) {
    if (OnMouseUp) OnMouseUp(this, p);
}

void TGraphicControl::Click() {
    if (OnClick) OnClick(this);
}

// --- TWinControl ----------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner, TWinControl* parent) : TControl(owner, parent) {}

TWinControl::~TWinControl() {
    DestroyComponents();
    if (subclassed_) RemoveWindowSubclass(Handle(), SubclassProc, 1);
}

void TWinControl::CreateOwnWindow(DWORD style, DWORD exStyle, const std::wstring& text, HWND parentWnd) {
    CreateHandle(exStyle, text, style, bounds_, parentWnd, (style & WS_CHILD) ? NextControlId() : nullptr);
    ApplyFont();
}

void TWinControl::CreateSystemWindow(const wchar_t* className, DWORD style, DWORD exStyle,
                                     const std::wstring& text) {
    AdoptHandle(CreateWindowOrThrow(exStyle, className, text, style | WS_CHILD, bounds_, parent_->Handle(),
                                    NextControlId()));
    subclassed_ = SetWindowSubclass(Handle(), SubclassProc, 1, DWORD_PTR(this)) != FALSE;
    // Later controls lie on top of earlier ones.
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ApplyFont();
}

LRESULT CALLBACK TWinControl::SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                           DWORD_PTR ref) {
    auto* self = reinterpret_cast<TWinControl*>(ref);
    if (msg != WM_NCDESTROY) return self->Deliver(msg, wp, lp);
    RemoveWindowSubclass(wnd, SubclassProc, 1);
    self->subclassed_ = false;
    self->Detach();
    return DefSubclassProc(wnd, msg, wp, lp);
}

LRESULT TWinControl::DefaultHandler(UINT msg, WPARAM wp, LPARAM lp) {
    if (IsFrameworkMessage(msg) || !Handle()) return 0; // our own messages have no system default
    return subclassed_ ? DefSubclassProc(Handle(), msg, wp, lp) : TWindow::WndProc(msg, wp, lp);
}

LRESULT TWinControl::ReflectToChild(HWND child, UINT msg, WPARAM wp, LPARAM lp) {
    TWinControl* c = FromHandle(child);
    if (c && c != this) return c->WndProc(CN_BASE + msg, wp, lp);
    return DefaultHandler(msg, wp, lp);
}

LRESULT TWinControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (lp) return ReflectToChild(HWND(lp), msg, wp, lp);
        break;
    case WM_NOTIFY:
        return ReflectToChild(reinterpret_cast<NMHDR*>(lp)->hwndFrom, msg, wp, lp);
    case WM_DRAWITEM: {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (dis->CtlType == ODT_MENU) break;
        // A drop-down list's items may name the list window rather than the combo box.
        HWND item = FromHandle(dis->hwndItem) ? dis->hwndItem : GetDlgItem(Handle(), int(wp));
        return ReflectToChild(item, msg, wp, lp);
    }
    case WM_MEASUREITEM:
        if (wp) return ReflectToChild(GetDlgItem(Handle(), int(wp)), msg, wp, lp);
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        return ReflectToChild(HWND(lp), msg, wp, lp);
    case WM_PAINT:
        if (!subclassed_) {
            PaintHandler();
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        if (!subclassed_) return 1; // WM_PAINT fills the whole client area
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        LeftButton(msg != WM_LBUTTONUP, Point{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        break;
    case WM_CANCELMODE:
        // A modal loop begins (a message box or modal form disables this window): the hint
        // showing now would otherwise stay up, unwatched, until the loop ends.
        Application().Hints().CancelHint();
        break;
    case WM_GETOBJECT:
        if (const LRESULT object = AnswerGetObject(Handle(), wp, lp)) return object;
        break;
    case CM_ACCESSIBLEACTION:
        DoAccessibleAction();
        return 0;
    case CM_PAINTFAILED:
        if (auto failure = std::exchange(paintFailure_, nullptr)) std::rethrow_exception(failure);
        return 0;
    case WM_SETCURSOR:
        if (cursor_ == TCursor::HandPoint && HWND(wp) == Handle() && LOWORD(lp) == HTCLIENT) {
            ::SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    }
    // A reflected notification nobody handled gets the parent's default answer.
    if (IsReflected(msg)) return DefWindowProcW(GetParent(Handle()), msg - CN_BASE, wp, lp);
    return DefaultHandler(msg, wp, lp);
}

void TWinControl::PaintHandler() {
    PaintDc paint(Handle());
    try {
        RECT client;
        GetClientRect(Handle(), &client);
        BufferedPaint buffer(paint.get(), client.right, client.bottom);
        TCanvas& canvas = buffer.Canvas();
        if (FillsBackground()) canvas.FillRect(FromRECT(client), BackgroundColor());
        PaintWindow(canvas);
        PaintGraphicControls(canvas, Point{0, 0});
    } catch (...) {
        // Reported after the paint: an error box opened inside WM_PAINT would run its message
        // loop in the middle of painting. One report for the failures until then.
        if (!paintFailure_) PostMessageW(Handle(), CM_PAINTFAILED, 0, 0);
        paintFailure_ = std::current_exception();
    }
}

void TWinControl::PaintGraphicControls(TCanvas& canvas, Point origin) const {
    for (TControl* c : controls_) {
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (!g || !g->Visible()) continue;
        const Rect& r = g->BoundsRect();
        const Rect target{r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
        const int saved = SaveDC(canvas.Handle());
        IntersectClipRect(canvas.Handle(), target.left, target.top, target.right, target.bottom);
        SetViewportOrgEx(canvas.Handle(), target.left, target.top, nullptr);
        g->Paint(canvas);
        RestoreDC(canvas.Handle(), saved);
    }
}

void TWinControl::PaintWindow(TCanvas&) {}

void TWinControl::RemoveControl(TControl* c) {
    std::erase(controls_, c);
    if (mouseControl_ == c) mouseControl_ = nullptr;
}

void TWinControl::BringToFront(TControl* c) {
    if (std::erase(controls_, c)) controls_.push_back(c);
    c->Invalidate();
}

// The topmost visible, enabled graphic control under the point that takes the mouse.
TGraphicControl* TWinControl::MouseTarget(Point p) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        auto* g = dynamic_cast<TGraphicControl*>(*it);
        if (g && g->Visible() && g->Enabled() && g->CapturesMouse() && g->BoundsRect().Contains(p)) return g;
    }
    return nullptr;
}

void TWinControl::LeftButton(bool down, Point p) {
    if (down) {
        mouseControl_ = MouseTarget(p);
        if (!mouseControl_) return;
        SetCapture(Handle());
        mouseControl_->MouseDown(Point{p.x - mouseControl_->Left(), p.y - mouseControl_->Top()});
        return;
    }
    TGraphicControl* c = std::exchange(mouseControl_, nullptr);
    if (!c) return;
    ReleaseCapture();
    const Point inside{p.x - c->Left(), p.y - c->Top()};
    c->MouseUp(inside);
    if (Rect{0, 0, c->Width(), c->Height()}.Contains(inside)) c->Click();
}

void TWinControl::Broadcast(UINT msg, WPARAM wp, LPARAM lp) {
    const std::vector<TControl*> children = controls_; // a receiver may change the list
    for (TControl* c : children)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->Perform(msg, wp, lp);
}

void TWinControl::SetBounds(const Rect& r) {
    bounds_ = r;
    if (Handle()) MoveWindow(Handle(), r.left, r.top, r.Width(), r.Height(), TRUE);
}

void TWinControl::SetVisible(bool v) {
    visible_ = v;
    if (Handle()) ShowWindow(Handle(), v ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetEnabled(bool e) {
    enabled_ = e;
    if (Handle()) EnableWindow(Handle(), e);
    Perform(CM_ENABLEDCHANGED);
}

void TWinControl::Invalidate() {
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TWinControl::SetFocus() {
    if (Handle()) ::SetFocus(Handle());
}

bool TWinControl::Focused() const { return Handle() && IsDescendant(Handle(), GetFocus()); }

std::wstring TWinControl::Text() const {
    if (!Handle()) return {};
    std::wstring text(size_t(GetWindowTextLengthW(Handle())) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(Handle(), text.data(), int(text.size()))));
    return text;
}

void TWinControl::SetText(const std::wstring& text) {
    if (Handle()) SetWindowTextW(Handle(), text.c_str());
}

void TWinControl::ApplyFont() {
    if (Handle()) SendMessageW(Handle(), WM_SETFONT, WPARAM(font_.Handle()), TRUE);
}

// --- TCustomControl -------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* owner, TWinControl* parent, DWORD extraStyle)
    : TWinControl(owner, parent) {
    CreateOwnWindow(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | extraStyle, 0, L"",
                    parent ? parent->Handle() : nullptr);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT TCustomControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_MOUSEMOVE:
        if (!mouseInside_) {
            mouseInside_ = true;
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&tme);
            Perform(CM_MOUSEENTER);
        }
        break;
    case WM_MOUSELEAVE:
        mouseInside_ = false;
        Perform(CM_MOUSELEAVE);
        break;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

// --- TForm ----------------------------------------------------------------------------------

TForm::TForm(TComponent* owner, DWORD style, DWORD exStyle, const std::wstring& caption)
    : TWinControl(owner, nullptr) {
    visible_ = false;
    bounds_ = Bounds(CW_USEDEFAULT, CW_USEDEFAULT, 100, 100);
    CreateOwnWindow(style, exStyle | WS_EX_CONTROLPARENT, caption, nullptr);
}

// The application must never reach a freed main form (the error box of a failed start-up
// would otherwise take it as its owner).
TForm::~TForm() {
    if (Application().MainForm() == this) Application().SetMainForm(nullptr);
}

void TForm::SetClientSize(int width, int height) {
    const Size frame = FrameSize(Handle(), Size{width, height}, scale_);
    RECT now;
    GetWindowRect(Handle(), &now);
    SetBounds(Bounds(now.left, now.top, frame.width, frame.height));
}

void TForm::SetBorderStyleNone() {
    const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    const LONG_PTR none = style & ~LONG_PTR(WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME);
    if (none == style) return;
    SetWindowLongPtrW(Handle(), GWL_STYLE, none);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::Show() {
    visible_ = true;
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void TForm::Hide() {
    visible_ = false;
    ShowWindow(Handle(), SW_HIDE);
}

int TForm::ShowModal() {
    std::vector<HWND> disabled;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM lp) {
            if (IsWindowVisible(w) && IsWindowEnabled(w))
                reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
            return TRUE;
        },
        LPARAM(&disabled));
    for (HWND w : disabled)
        if (w != Handle()) EnableWindow(w, FALSE);
    ModalResult = 0;
    modal_ = true;
    Show();
    while (ModalResult == 0 && !Application().Terminated()) {
        Application().ProcessMessages();
        if (ModalResult == 0 && !Application().Terminated()) WaitMessage();
    }
    modal_ = false;
    for (HWND w : disabled)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    Hide();
    return ModalResult;
}

void TForm::Close() {
    if (modal_) {
        ModalResult = IDCANCEL; // a modal form closes by ending its loop
        return;
    }
    const bool isMain = Application().MainForm() == this;
    TCloseAction action = isMain ? TCloseAction::Free : TCloseAction::Hide;
    if (OnClose) OnClose(this, action); // an error here leaves the form open
    if (action == TCloseAction::None) return;
    if (isMain)
        Application().Terminate();
    else
        Hide();
}

// Only a control the user can see and use takes the focus: hidden and disabled ones, and those
// that lie wholly outside the form's shape or their parent's client area, are passed over with
// everything inside them.
void TForm::SelectNext(bool forward) {
    std::vector<TWinControl*> order;
    std::function<void(const TWinControl*)> collect = [&](const TWinControl* p) {
        for (TControl* c : p->Controls()) {
            auto* w = dynamic_cast<TWinControl*>(c);
            if (!w || !w->Handle() || !IsWindowEnabled(w->Handle()) || !CanBeSeen(w->Handle())) continue;
            if (w->TabOrder() >= 0) order.push_back(w);
            collect(w);
        }
    };
    collect(this);
    if (order.empty()) return;
    std::stable_sort(order.begin(), order.end(), [](const TWinControl* a, const TWinControl* b) {
        return a->TabOrder() < b->TabOrder();
    });
    auto it = std::find_if(order.begin(), order.end(), [](const TWinControl* w) { return w->Focused(); });
    size_t i = it == order.end() ? (forward ? order.size() - 1 : 0) : size_t(it - order.begin());
    i = forward ? (i + 1) % order.size() : (i + order.size() - 1) % order.size();
    // Moving by keyboard shows where the focus is, as the system's dialogs do.
    SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    order[i]->SetFocus();
}

LRESULT TForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        Close();
        return 0;
    }
    return TWinControl::WndProc(msg, wp, lp);
}

} // namespace pelorine
