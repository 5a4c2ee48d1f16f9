#pragma once
// An edit for a folder path with a button that opens the system's folder browser on it.
#include "framework/StdCtrls.h"

namespace pelorine {

class TBrowseEdit : public TCompanionEdit {
  public:
    TBrowseEdit(TComponent* owner, TWinControl* parent);
    std::wstring Path() const { return Text(); }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Opens the folder browser, preselecting the current folder; OK replaces the text.
    void Browse();
};

} // namespace pelorine
