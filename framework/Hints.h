#pragma once
// Hints: one tooltip window for a form, showing each control's hint text as it stands.
#include "framework/Handles.h"

#include <string>

namespace pelorine {

class TToolTips {
  public:
    explicit TToolTips(HWND owner);
    void Add(HWND tool, const std::wstring& text);
    void SetText(HWND tool, const std::wstring& text);
    // Milliseconds: before a hint shows, how long it stays, and between neighbouring hints.
    void SetDelays(int pause, int hidePause, int shortPause);
    HWND Handle() const { return wnd_.get(); }

  private:
    UniqueWindow wnd_;
    HWND owner_;
};

} // namespace pelorine
