#pragma once
// The notification-area icon. Switching Active adds or removes it; a hidden window receives its
// mouse notifications. When the shell restarts, an active icon is added again.
#include "framework/Controls.h"
#include "framework/Menus.h"

namespace pelorine {

constexpr UINT WM_TRAYNOTIFY = WM_USER + 101;

class TTrayIcon : public TComponent, private TWindow {
  public:
    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;
    bool Active() const { return active_; }
    void SetActive(bool active);
    void SetIcon(HICON icon) { icon_ = icon; }
    void SetHint(const std::wstring& hint) { hint_ = hint; }
    using TWindow::Handle;
    TPopupMenu* PopupMenu = nullptr;
    TNotifyEvent OnDblClick;

  private:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void Notify(DWORD what);
    bool active_ = false;
    HICON icon_ = nullptr; // shared with the application, not ours
    std::wstring hint_;
    UINT taskbarCreated_;
};

// Lets the shell and the desktop compositor catch up after an icon was taken off, so that the
// screen read next no longer shows it; waits a bounded time, never for a hung shell.
void WaitForShellRepaint();

} // namespace pelorine
