#pragma once
// A system-wide hotkey. While Active and with a key set, it is registered with the system under
// an id of its own (a global atom); a hidden window receives the key and calls OnKeyDown, once
// for each press however long the key is held.
#include "framework/Component.h"
#include "framework/KeyRepeat.h"
#include "framework/ShortCut.h"
#include "framework/Window.h"

#include <functional>

namespace pelorine {

class TGlobalHotKey : public TComponent, private TWindow {
  public:
    explicit TGlobalHotKey(TComponent* owner);
    ~TGlobalHotKey() override;
    void SetActive(bool active);
    void SetHotKey(TShortCut key);
    using TWindow::Handle;
    std::function<void(TComponent* sender, unsigned key, unsigned shift)> OnKeyDown;

  private:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void Register();
    void Unregister() { UnregisterHotKey(Handle(), id_); }
    void HotKeyPressed();
    void WatchKey();
    bool KeyDown() const;
    bool active_ = true;
    TShortCut hotKey_ = 0;
    ATOM id_ = 0;
    KeyRepeatFilter repeat_;
};

} // namespace pelorine
