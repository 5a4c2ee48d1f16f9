#pragma once
// The information window: the product's name and version, the logo, the credit line and the
// maker's web and mail links. Shown modally; it opens centred the first time and afterwards
// where the user left it.
#include "framework/Buttons.h"
#include "framework/ExtCtrls.h"
#include "framework/Label.h"

#include <memory>

namespace pelorine {

namespace infoform {
struct MemberRow;
}

class TInfoForm1 : public TForm {
  public:
    explicit TInfoForm1(TComponent* owner);
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // Members, by their names in the form description.
    TPanel* Panel1 = nullptr;
    TImage* Image1 = nullptr;
    TLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    TSpeedButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr;

    void SpeedButton1Click(TComponent* sender); // the web page
    void SpeedButton2Click(TComponent* sender); // close
    void SpeedButton3Click(TComponent* sender); // a mail to the support address

  private:
    void CreateMembers();
    void Layout(Scale scale);
    TControl* CreateMember(const infoform::MemberRow& row);
    // A member's place at the window's scale.
    Rect Designed(const infoform::MemberRow& row) const;
    void FitLabels();
    void FitLabel(TLabel& label, bool centred);
    void FitLink(const infoform::MemberRow& button, const infoform::MemberRow& designedLabel);
    void LoadLogo();
    RasterImage ScaledLogo() const;
    void CenterOnScreen();

    bool placed_ = false; // centred once; later showings keep the user's place
};

} // namespace pelorine
