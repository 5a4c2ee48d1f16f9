#pragma once
// Popup menus built from items with captions, access keys and shortcut texts.
#include "framework/Controls.h"
#include "framework/ShortCut.h"

#include <functional>

namespace pelorine {

class TMenuItem : public TComponent {
  public:
    TMenuItem(TComponent* owner, TMenuItem* parent, std::wstring caption, TShortCut shortCut = 0);
    const std::wstring& Caption() const { return caption_; }
    TShortCut ShortCut() const { return shortCut_; }
    const std::vector<TMenuItem*>& Items() const { return items_; }
    void Click() {
        if (OnClick) OnClick(this);
    }
    TNotifyEvent OnClick;

  private:
    std::wstring caption_;
    TShortCut shortCut_;
    std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
  public:
    explicit TPopupMenu(TComponent* owner);
    TMenuItem* Items() const { return root_; }
    // Shows the menu at a screen point; once it has closed, `closed` runs, and then the chosen
    // item's OnClick.
    void Popup(HWND owner, int x, int y, const std::function<void()>& closed = {});

  private:
    TMenuItem* root_;
};

} // namespace pelorine
