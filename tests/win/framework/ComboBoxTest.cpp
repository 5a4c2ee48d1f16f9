#include "controls/Mccbox.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>

using namespace pelorine;

namespace {
class CountingCombo : public TMultiColComboBox {
  public:
    using TMultiColComboBox::TMultiColComboBox;
    int listItemsDrawn = 0, fieldDrawn = 0;

  protected:
    void DrawItem(int index, const Rect& rect, UINT state, TCanvas& canvas, bool inEditField) override {
        (inEditField ? fieldDrawn : listItemsDrawn) += index >= 0;
        TMultiColComboBox::DrawItem(index, rect, state, canvas, inEditField);
    }
};
} // namespace

TEST(MultiColComboBox, OwnerDrawnItemsReachTheControlInTheFieldAndTheList) {
    TForm form(nullptr, WS_OVERLAPPEDWINDOW, 0, L"combo");
    auto* combo = form.New<CountingCombo>(L"combo", &form);
    combo->SetBounds(Bounds(10, 10, 82, 19));
    combo->SetColumnWidths({62, 100});
    for (const wchar_t* item : {L"そのまま,元画像の角度を維持", L"90度", L"180度"})
        combo->AddItem(item);
    form.Show();
    combo->SetItemIndex(1);
    RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    testing_support::PumpFor(200);
    EXPECT_GT(combo->fieldDrawn, 0);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    testing_support::PumpFor(300);
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_GE(combo->listItemsDrawn, 3);
    EXPECT_GE(SendMessageW(combo->Handle(), CB_GETDROPPEDWIDTH, 0, 0), 162);
}

TEST(MultiColComboBox, SelectionOutsideTheListLeavesNone) {
    TForm form(nullptr, WS_OVERLAPPEDWINDOW, 0, L"combo");
    auto* combo = form.New<TMultiColComboBox>(L"combo", &form);
    combo->AddItem(L"BMP形式");
    combo->SetItemIndex(0);
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(0);
    combo->SetItemIndex(-1);
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST(MultiColComboBox, ColumnsAreSplitAtCommas) {
    EXPECT_EQ(SplitColumns(L"2色,BMP/TIFF/PCX/PNG"),
              (std::vector<std::wstring>{L"2色", L"BMP/TIFF/PCX/PNG"}));
    EXPECT_EQ(SplitColumns(L"倍率"), (std::vector<std::wstring>{L"倍率"}));
    EXPECT_EQ(SplitColumns(L"a,,b"), (std::vector<std::wstring>{L"a", L"", L"b"}));
}
