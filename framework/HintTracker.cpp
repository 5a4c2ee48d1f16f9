#include "framework/HintTracker.h"

#include "framework/Controls.h"
#include "framework/HintPlacement.h"

namespace pelorine {

namespace {
// The control whose hint belongs to a window: the window's own object, or for a part of a
// control (the edit of a combo box) the nearest ancestor with one. Only a control that shows a
// hint counts.
HWND HintWindowOf(HWND wnd) {
    for (; wnd; wnd = GetAncestor(wnd, GA_PARENT)) {
        if (TWinControl* c = TWinControl::FromHandle(wnd))
            return c->ShowHint() && !c->Hint().empty() ? wnd : nullptr;
    }
    return nullptr;
}

// How far the pointer's picture reaches below its hot spot.
int CursorBottom() {
    ICONINFO info{};
    HCURSOR cursor = GetCursor();
    if (!cursor || !GetIconInfo(cursor, &info)) return GetSystemMetrics(SM_CYCURSOR);
    UniqueBitmap mask(info.hbmMask), color(info.hbmColor);
    BITMAP bm{};
    GetObjectW(info.hbmMask, sizeof bm, &bm);
    const int height = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2; // a monochrome one: AND over XOR
    return height - int(info.yHotspot);
}

Rect WorkAreaAt(Point p) {
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONEAREST), &mi);
    return FromRECT(mi.rcWork);
}

bool Inside(HWND wnd, Point p) {
    RECT rc{};
    return wnd && GetWindowRect(wnd, &rc) && PtInRect(&rc, POINT{p.x, p.y});
}

Point CursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return Point{p.x, p.y};
}
} // namespace

THintTracker::THintTracker() = default;

THintTracker::~THintTracker() { StopTimer(); }

void THintTracker::SetShowHint(bool on) {
    CancelHint();
    showHint_ = on;
    window_.reset();
}

THintWindow* THintTracker::HintWindow() {
    if (showHint_ && !window_) window_ = class_ ? class_() : std::make_unique<THintWindow>();
    return window_.get();
}

TControl* THintTracker::Target() const { return target_ ? TWinControl::FromHandle(target_) : nullptr; }

bool THintTracker::Preview(const MSG& msg) {
    switch (msg.message) {
    case WM_TIMER:
        if (msg.hwnd || msg.wParam != timer_ || !timer_) return false;
        TimerFired();
        return true;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        MouseAt(msg.hwnd);
        break;
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
        Leave(CursorPos());
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEWHEEL:
        // The user is at work on the control: its hint goes and comes back only after the
        // pointer has left it.
        if (target_) {
            CancelHint();
            phase_ = Phase::Done;
        }
        break;
    }
    return false;
}

void THintTracker::MouseAt(HWND wnd) {
    const HWND now = showHint_ ? HintWindowOf(wnd) : nullptr;
    if (now == target_) return;
    const bool quick = phase_ == Phase::Showing;
    CancelHint();
    target_ = now;
    SetHint(now ? Target()->Hint() : std::wstring());
    if (!now) return;
    // The system says when the pointer leaves the window, which no move message would tell.
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, wnd, 0};
    TrackMouseEvent(&tme);
    phase_ = Phase::Waiting;
    if (quick && ShortPause <= 0)
        TimerFired();
    else
        StartTimer(quick ? ShortPause : Pause);
}

void THintTracker::Leave(Point cursor) {
    if (!target_ || Inside(target_, cursor)) return;
    CancelHint();
    target_ = nullptr;
    SetHint({});
}

void THintTracker::SetHint(const std::wstring& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    if (OnHint) OnHint();
}

void THintTracker::StartTimer(int ms) {
    StopTimer();
    timer_ = SetTimer(nullptr, 0, UINT(ms > 0 ? ms : USER_TIMER_MINIMUM), nullptr);
}

void THintTracker::StopTimer() {
    if (timer_) KillTimer(nullptr, timer_);
    timer_ = 0;
}

void THintTracker::TimerFired() {
    StopTimer();
    TControl* control = Target();
    const Point cursor = CursorPos();
    if (phase_ == Phase::Waiting && control && Inside(target_, cursor) && ActivateHint(*control, cursor)) {
        phase_ = Phase::Showing;
        StartTimer(HidePause);
        return;
    }
    if (window_) window_->ReleaseHint();
    phase_ = Phase::Done;
}

bool THintTracker::ActivateHint(TControl& control, Point cursor) {
    THintWindow* window = HintWindow();
    if (!window || !control.ShowHint() || control.Hint().empty()) return false;
    const Rect work = WorkAreaAt(cursor);
    std::wstring text = control.Hint();
    Rect size = window->CalcHintRect(work.Width(), text);
    THintInfo info{&control, HintPlacement(cursor, CursorBottom(), Size{size.Width(), size.Height()}, work),
                   work.Width()};
    bool canShow = true;
    if (OnShowHint) OnShowHint(text, canShow, info);
    if (!canShow) return false;
    size = window->CalcHintRect(info.HintMaxWidth, text);
    // Where the event moved it (a hint lifted above the pointer), it still stays on the screen.
    const Point at = KeepInWorkArea(info.HintPos, Size{size.Width(), size.Height()}, work);
    window->ActivateHint(Rect{at.x, at.y, at.x + size.Width(), at.y + size.Height()}, text);
    return true;
}

void THintTracker::CancelHint() {
    StopTimer();
    if (window_) window_->ReleaseHint();
    phase_ = Phase::Idle;
}

} // namespace pelorine
