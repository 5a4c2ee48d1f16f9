#pragma once
// A system-wide hotkey. While Active and with a key set, it is registered with the system under
// an id of its own (a global atom); a hidden window receives the key and calls OnKeyDown, once
// for each press however long the key is held.
#include "framework/Component.h"
#include "framework/Handles.h"
#include "framework/KeyRepeat.h"
#include "framework/ShortCut.h"
#include "framework/Window.h"

#include <functional>
#include <mutex>
#include <thread>

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
    bool StartCommand(); // false: an auto-repeat of the key, which runs nothing
    void StartWatch(int vk);
    void WatchKey(int vk);
    static LRESULT CALLBACK KeyUpHook(int code, WPARAM wp, LPARAM lp);
    void KeyWentUp(DWORD at);
    bool active_ = true;
    TShortCut hotKey_ = 0;
    ATOM id_ = 0;
    // Where the system repeats a held key's message: the key-ups that a thread of its own sees
    // through a keyboard hook, also while a long command keeps this window from reading its
    // messages. It watches from a press until the key has been up a while and no command of this
    // key runs.
    std::mutex watch_; // guards what follows, but for the thread itself
    KeyRepeatFilter repeat_;
    int running_ = 0;   // commands of this key under way (the delay's wait nests them)
    DWORD upSince_ = 0; // the last key-up, or the start of the watch
    bool watching_ = false;
    // Set once, when the hotkey goes: the watch ends at once. An event and not a posted WM_QUIT
    // or a std::stop_callback: a quit posted before the thread has a queue is lost, and the
    // stop callback's wait in MinGW's libstdc++ 12 could sleep for ever (the close hung).
    UniqueKernelHandle stopWatch_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::thread watcher_;
};

} // namespace pelorine
