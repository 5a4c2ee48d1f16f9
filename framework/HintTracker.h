#pragma once
// The application's hints: it watches the pointer in the message loop, shows the hint of the
// control under it after Pause, hides it after HidePause, and passes to a neighbouring control's
// hint after ShortPause while one is showing. One hint window, of the class the application is
// given, serves every window of the program. Its timer is a thread timer read in the loop, so
// it needs no window of its own.
#include "framework/Hints.h"

#include <functional>
#include <memory>
#include <string>

namespace pelorine {

using TShowHintEvent = std::function<void(std::wstring& hint, bool& canShow, THintInfo& info)>;

class THintTracker {
  public:
    THintTracker();
    ~THintTracker();
    THintTracker(const THintTracker&) = delete;
    THintTracker& operator=(const THintTracker&) = delete;

    // Milliseconds.
    int Pause = 500;
    int HidePause = 2500;
    int ShortPause = 50;

    bool ShowHint() const { return showHint_; }
    // Discards the hint window: the next hint gets a new one, of the class set then.
    void SetShowHint(bool on);
    void SetHintWindowClass(THintWindowClass make) { class_ = std::move(make); }
    // The hint window, made when first needed; null while ShowHint is off.
    THintWindow* HintWindow();
    // The hint of the control under the pointer, empty when there is none.
    const std::wstring& Hint() const { return hint_; }

    // Looks at a message before it is dispatched. True when it was the tracker's own.
    bool Preview(const MSG& msg);
    // Shows the control's hint now, as if the pointer had rested at `cursor` (screen).
    bool ActivateHint(TControl& control, Point cursor);
    void CancelHint();

    std::function<void()> OnHint; // the hint under the pointer changed
    TShowHintEvent OnShowHint;    // a hint is about to show: it may move or refuse it

  private:
    enum class Phase { Idle, Waiting, Showing, Done };
    void MouseAt(HWND wnd);
    void Leave(Point cursor);
    void SetHint(const std::wstring& hint);
    void StartTimer(int ms);
    void StopTimer();
    void TimerFired();
    TControl* Target() const;

    bool showHint_ = true;
    THintWindowClass class_;
    std::unique_ptr<THintWindow> window_;
    std::wstring hint_;
    HWND target_ = nullptr; // the control whose hint is waiting or showing, by its window
    Phase phase_ = Phase::Idle;
    UINT_PTR timer_ = 0;
};

} // namespace pelorine
