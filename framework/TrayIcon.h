#pragma once
// The notification-area icon. Switching Active adds or removes it; a hidden window receives its
// mouse notifications. When the shell restarts, an active icon is added again. The icon is
// loaded at the small-icon size of the DPI of the hidden window's monitor (the primary, where
// the notification area is), and loaded again when that DPI changes, so it is never stretched.
#include "framework/Controls.h"
#include "framework/Menus.h"

#include <functional>

namespace pelorine {

constexpr UINT WM_TRAYNOTIFY = WM_USER + 101;

class TTrayIcon : public TComponent, private TWindow {
  public:
    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;
    bool Active() const { return active_; }
    void SetActive(bool active);
    // Where the icon comes from: a loader that makes it at a size in pixels.
    using IconLoader = std::function<UniqueIcon(int size)>;
    void SetIcon(IconLoader load);
    void SetHint(const std::wstring& hint) { hint_ = hint; }
    using TWindow::Handle;
    TPopupMenu* PopupMenu = nullptr;
    TNotifyEvent OnDblClick;

  private:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void GiveForegroundBack(HWND previous) const;
    void Notify(DWORD what);
    void LoadAtScale(const Scale& scale);
    void FollowScale();
    bool active_ = false;
    Scale loadedFor_;
    IconLoader load_;
    UniqueIcon icon_;
    std::wstring hint_;
    UINT taskbarCreated_;
};

// Lets the shell and the desktop compositor catch up after an icon was taken off, so that the
// screen read next no longer shows it; waits a bounded time, never for a hung shell.
void WaitForShellRepaint();

} // namespace pelorine
