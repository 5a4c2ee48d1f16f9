#include "controls/Mccbox.h"
#include "framework/CommaText.h"
#include "support/ErrorText.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>

#include <array>

using namespace pelorine;

namespace {
class CountingCombo : public TMultiColComboBox {
  public:
    using TMultiColComboBox::TMultiColComboBox;
    int listItemsDrawn = 0, fieldDrawn = 0;

  protected:
    void DrawItem(int index, const Rect& rect, UINT state, TCanvas& canvas) override {
        ((state & ODS_COMBOBOXEDIT) ? fieldDrawn : listItemsDrawn) += index >= 0;
        TMultiColComboBox::DrawItem(index, rect, state, canvas);
    }
};

constexpr TColor kCyan{0x00FFFF80};
// The same colour as GetDIBits reads it (0x00RRGGBB).
constexpr uint32_t kCyanPixel = 0x80FFFF, kWhitePixel = 0xFFFFFF;

// A drop-down list with the columns of the colour-depth list: 62 on light cyan, 150 on white.
TMultiColComboBox* MakeDepthList(TForm& form, const wchar_t* name = L"C1_03") {
    auto* box = form.New<TMultiColComboBox>(name, &form);
    box->SetCanEdit(false);
    box->SetBounds(Bounds(10, 10, 82, 19));
    box->SetColor(clWhite);
    box->SetIndent(1);
    box->SetItemHeight(13);
    box->SetDropDownCount(6);
    TFont black;
    black.height = 11;
    black.color = clBlack;
    box->Columns().Clear();
    for (auto [width, color] : {std::pair{62, kCyan}, std::pair{150, TColor(clWhite)}}) {
        TCBColumn& column = box->Columns().Add();
        column.Width = width;
        column.SetColor(color);
        column.SetFont(black);
    }
    return box;
}

constexpr uint32_t kUnpainted = 0xFF00FF;

// One owner-drawn item painted into a memory bitmap, as the system asks for it, in a rectangle
// of rowWidth (the whole bitmap when 0); the bitmap is magenta where nothing was painted.
std::vector<uint32_t> PaintItem(TMultiColComboBox& box, int index, UINT state, int width, int height,
                                int rowWidth = 0) {
    return testing_support::Painted(width, height, [&](BitmapCanvas& canvas) {
        canvas.Canvas().FillRect(Rect{0, 0, width, height}, MakeColor(255, 0, 255));
        const RECT row{0, 0, rowWidth ? rowWidth : width, height};
        DRAWITEMSTRUCT item{
            ODT_COMBOBOX, 0, UINT(index), ODA_DRAWENTIRE, state, box.Handle(), canvas.Handle(), row, 0};
        box.Perform(CN_DRAWITEM, 0, LPARAM(&item));
    });
}

COMBOBOXINFO InfoOf(const TMultiColComboBox& box) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(box.Handle(), &info);
    return info;
}
HWND ListOf(const TMultiColComboBox& box) { return InfoOf(box).hwndList; }

// What the system's own list holds at a position, asked of the list itself.
std::wstring Shown(const TMultiColComboBox& box, int index) {
    HWND list = ListOf(box);
    std::wstring text(size_t(SendMessageW(list, LB_GETTEXTLEN, WPARAM(index), 0)) + 1, L'\0');
    text.resize(size_t(SendMessageW(list, LB_GETTEXT, WPARAM(index), LPARAM(text.data()))));
    return text;
}

void ExpectAligned(const TMultiColComboBox& box, const std::vector<std::wstring>& items) {
    ASSERT_EQ(box.ItemCount(), int(items.size()));
    for (int i = 0; i < int(items.size()); ++i) {
        EXPECT_EQ(box.Item(i), items[size_t(i)]) << i;
        EXPECT_EQ(Shown(box, i), SplitCommaText(items[size_t(i)]).at(0)) << i;
    }
}
// Each test's controls sit on a window of their own.
class MultiColComboBox : public testing::Test {
  protected:
    TForm form{nullptr, WS_OVERLAPPEDWINDOW, 0, L"combo"};
};
} // namespace

TEST_F(MultiColComboBox, OwnerDrawnItemsReachTheControlInTheFieldAndTheList) {
    auto* combo = form.New<CountingCombo>(L"combo", &form);
    combo->SetCanEdit(false);
    combo->SetBounds(Bounds(10, 10, 82, 19));
    combo->Columns().Items(0).Width = 62;
    combo->Columns().Add().Width = 100;
    for (const wchar_t* item : {L"そのまま,元画像の角度を維持", L"90度", L"180度"})
        combo->AddItem(item);
    form.Show();
    combo->SetItemIndex(1);
    RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return combo->fieldDrawn > 0; }, 3000));
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return combo->listItemsDrawn >= 3; }, 3000));
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_GE(SendMessageW(combo->Handle(), CB_GETDROPPEDWIDTH, 0, 0), 162);
}

TEST_F(MultiColComboBox, SelectionOutsideTheListLeavesNone) {
    auto* combo = form.New<TMultiColComboBox>(L"combo", &form);
    combo->AddItem(L"BMP形式");
    combo->SetItemIndex(0);
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(0);
    combo->SetItemIndex(-1);
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(MultiColComboBox, ItemsReadBackWholeWhileTheClosedBoxShowsTheTargetColumn) {
    auto* box = MakeDepthList(form);
    const std::vector<std::wstring> items{L"2色,BMP/TIFF/PCX/PNG", L"16色,BMP/TIFF/PNG",
                                          L"ﾌﾙｶﾗｰ,BMP/TIFF/JPEG/PCX/PNG"};
    for (const auto& item : items)
        box->AddItem(item);
    box->SetItemIndex(0);
    EXPECT_EQ(box->Text(), L"2色");
    EXPECT_EQ(box->GetSelectedText(), L"2色");
    ExpectAligned(*box, items);

    // A caller sizes its buffer by CB_GETLBTEXTLEN: the full text fits, nothing past it is touched.
    for (int i = 0; i < int(items.size()); ++i) {
        const LRESULT length = SendMessageW(box->Handle(), CB_GETLBTEXTLEN, WPARAM(i), 0);
        ASSERT_EQ(length, LRESULT(items[size_t(i)].size()));
        std::wstring buffer(size_t(length) + 1 + 8, L'#');
        EXPECT_EQ(SendMessageW(box->Handle(), CB_GETLBTEXT, WPARAM(i), LPARAM(buffer.data())), length);
        EXPECT_EQ(buffer, items[size_t(i)] + L'\0' + std::wstring(8, L'#'));
    }
    wchar_t untouched[4] = L"##";
    EXPECT_EQ(SendMessageW(box->Handle(), CB_GETLBTEXT, 3, LPARAM(untouched)), CB_ERR);
    EXPECT_EQ(SendMessageW(box->Handle(), CB_GETLBTEXTLEN, 3, 0), CB_ERR);
    EXPECT_STREQ(untouched, L"##");

    // The face of the whole item looks exactly like the face of an item of column 0 alone.
    auto* single = MakeDepthList(form, L"single");
    single->AddItem(L"2色");
    single->SetItemIndex(0);
    const auto face = PaintItem(*box, 0, ODS_COMBOBOXEDIT, 76, 13);
    EXPECT_EQ(face, PaintItem(*single, 0, ODS_COMBOBOXEDIT, 76, 13));
    EXPECT_GT(std::count_if(face.begin(), face.end(), [](uint32_t p) { return p != kWhitePixel; }), 10);

    // Another target column: an item without it hands the system's list an empty text.
    auto* second = MakeDepthList(form, L"second");
    second->SetTargetColumn(1);
    second->AddItem(L"3-標準");
    second->AddItem(L"0-低画質,高圧縮率(ﾌｧｲﾙ小)");
    EXPECT_EQ(Shown(*second, 0), L"");
    EXPECT_EQ(second->Item(0), L"3-標準");
    second->SetItemIndex(1);
    EXPECT_EQ(second->Text(), L"高圧縮率(ﾌｧｲﾙ小)");
}

TEST_F(MultiColComboBox, TheOpenedListIsAsWideAsItsColumns) {
    auto* box = MakeDepthList(form);
    box->AddItem(L"2色,BMP/TIFF/PCX/PNG");
    int dropped = 0;
    box->OnDropDown = [&](TComponent*) { ++dropped; };
    form.Show();
    EXPECT_NE(SendMessageW(box->Handle(), CB_GETDROPPEDWIDTH, 0, 0), 212);
    SendMessageW(box->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return IsWindowVisible(ListOf(*box)) != FALSE; }, 3000));
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(SendMessageW(box->Handle(), CB_GETDROPPEDWIDTH, 0, 0), 212);
    RECT list{};
    GetWindowRect(ListOf(*box), &list);
    EXPECT_EQ(list.right - list.left, 212);
    SendMessageW(box->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(MultiColComboBox, RowsPaintEveryColumnInItsCellWithItsAlignmentAndIndent) {
    auto* box = MakeDepthList(form);
    box->SetColor(TColor{0x00E0E0E0});         // the strip right of the last column
    box->Columns().Items(1).SetColor(clWhite); // white had been the box's colour: it followed
    box->Columns().Items(0).Width = 40;
    box->Columns().Items(0).Alignment = TAlignment::RightJustify;
    box->Columns().Items(1).Width = 30;
    box->AddItem(L"90度");
    constexpr int kWidth = 100, kHeight = 13;
    auto at = [&](const std::vector<uint32_t>& p, int x, int y) { return p[size_t(y * kWidth + x)]; };

    box->SetIndent(0);
    const auto flush = PaintItem(*box, 0, 0, kWidth, kHeight);
    box->SetIndent(1);
    const auto row = PaintItem(*box, 0, 0, kWidth, kHeight);
    int ink = 0;
    for (int y = 0; y < kHeight; ++y) {
        // With an indent of 1 the right-aligned text sits one pixel further from the cell's edge.
        for (int x = 0; x + 1 < 40; ++x)
            EXPECT_EQ(at(row, x, y), at(flush, x + 1, y)) << x << "," << y;
        EXPECT_EQ(at(row, 39, y), kCyanPixel) << y;
        for (int x = 0; x < 40; ++x)
            ink += at(row, x, y) != kCyanPixel;
        // "90度" has no second field: an empty cell in the column's colour, then the strip.
        for (int x = 40; x < 70; ++x)
            EXPECT_EQ(at(row, x, y), kWhitePixel) << x << "," << y;
        for (int x = 70; x < kWidth; ++x)
            EXPECT_EQ(at(row, x, y), 0xE0E0E0u) << x << "," << y;
    }
    EXPECT_GT(ink, 10);

    // Selected: the highlight everywhere outside the text.
    const auto selected = PaintItem(*box, 0, ODS_SELECTED, kWidth, kHeight);
    const uint32_t highlight = ColorToRGB(clHighlight);
    EXPECT_EQ((std::array{at(selected, 0, 0), at(selected, 50, 6), at(selected, 90, 6)}),
              (std::array{highlight, highlight, highlight}));

    // A row narrower than the columns: the last cell is cut at its edge, no strip, nothing past it.
    const auto cut = PaintItem(*box, 0, 0, kWidth, kHeight, 50);
    EXPECT_EQ((std::array{at(cut, 49, 6), at(cut, 50, 6), at(cut, 99, 6)}),
              (std::array{kWhitePixel, kUnpainted, kUnpainted}));
}

// Answered as the system's list answers them: -1 appends, a bad position gives CB_ERR.
TEST_F(MultiColComboBox, InsertingAndDeletingKeepBothListsAlignedAndABadPositionIsRefused) {
    auto* box = MakeDepthList(form);
    std::vector<std::wstring> items{L"a,1", L"b,2"};
    for (const auto& item : items)
        box->AddItem(item);
    auto insert = [&](int at, const wchar_t* text) {
        return box->Perform(CB_INSERTSTRING, WPARAM(at), LPARAM(text));
    };
    EXPECT_EQ(SendMessageW(box->Handle(), CB_INSERTSTRING, 1, LPARAM(L"c,3")), 1);
    EXPECT_EQ(insert(0, L"d d,4"), 0);
    EXPECT_EQ(insert(4, L"e,5"), 4);
    EXPECT_EQ(SendMessageW(box->Handle(), CB_INSERTSTRING, WPARAM(-1), LPARAM(L"f,6")), 5);
    items = {L"d d,4", L"a,1", L"c,3", L"b,2", L"e,5", L"f,6"};
    ExpectAligned(*box, items);
    EXPECT_EQ(SendMessageW(box->Handle(), CB_DELETESTRING, 2, 0), 5);
    items.erase(items.begin() + 2);
    ExpectAligned(*box, items);

    for (int bad : {-2, 6, 999}) {
        EXPECT_EQ(insert(bad, L"x,9"), CB_ERR) << "inserted at " << bad;
        EXPECT_EQ(SendMessageW(box->Handle(), CB_DELETESTRING, WPARAM(bad - 1), 0), CB_ERR)
            << "deleted " << bad - 1;
    }
    ExpectAligned(*box, items);
    EXPECT_EQ(SendMessageW(box->Handle(), CB_GETITEMHEIGHT, 0, 0), 13);

    // Made anew as an editable box, it keeps its items and selection.
    box->SetItemIndex(2);
    box->SetCanEdit(true);
    ExpectAligned(*box, items);
    EXPECT_EQ(box->ItemIndex(), 2);
    EXPECT_EQ(box->GetSelectedText(), L"b");
    SendMessageW(InfoOf(*box).hwndItem, WM_CHAR, L'x', 0); // typed: the box's text, not the item's column
    EXPECT_EQ(box->GetSelectedText(), box->Text());
    EXPECT_NE(box->Text(), L"b");

    SendMessageW(box->Handle(), CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(box->ItemCount(), 0);
    EXPECT_EQ(box->GetColumnText(0, 0), L"");
    box->AddItem(L"z,9");
    ExpectAligned(*box, {L"z,9"});
}

TEST_F(MultiColComboBox, ColumnsFollowTheBoxColourAndFontUntilGivenTheirOwn) {
    auto* box = form.New<TMultiColComboBox>(L"box", &form);
    TCBColumn& following = box->Columns().Items(0);
    TCBColumn& own = box->Columns().Add();
    EXPECT_EQ(following.Width, 60);
    EXPECT_EQ(own.Color(), box->Color());
    own.SetColor(kCyan);
    TFont font = own.Font();
    font.height = 20;
    own.SetFont(font);
    EXPECT_FALSE(own.ParentColor());
    EXPECT_FALSE(own.ParentFont());

    box->SetColor(TColor{0x00123456});
    box->Font().height = 14;
    box->ApplyFont();
    EXPECT_EQ(following.Color(), TColor{0x00123456});
    EXPECT_EQ(following.Font().height, 14);
    EXPECT_TRUE(following.ParentFont());
    EXPECT_EQ(own.Color(), kCyan);
    EXPECT_EQ(own.Font().height, 20);

    // A copy of a column that follows its box follows the box it is copied into.
    auto* other = form.New<TMultiColComboBox>(L"other", &form);
    other->SetColor(clWhite);
    other->SetColumns(box->Columns());
    ASSERT_EQ(other->Columns().Count(), 2);
    EXPECT_EQ(other->Columns().Items(0).Color(), TColor(clWhite));
    EXPECT_TRUE(other->Columns().Items(0).ParentColor());
    EXPECT_EQ(other->Columns().Items(1).Color(), kCyan);
    EXPECT_EQ(other->Columns().Items(1).Font().height, 20);

    own.SetParentColor(true);
    EXPECT_EQ(own.Color(), TColor{0x00123456});
}

// Screen readers and other programs read a closed list's text: the shown column of its
// selection, as the system's own list answers, and nothing without a selection.
TEST_F(MultiColComboBox, TheClosedListsTextIsTheShownTextOfItsSelection) {
    auto* box = MakeDepthList(form);
    for (const wchar_t* item : {L"2色,BMP/TIFF/PCX/PNG", L"9-最高画質,低圧縮率(ﾌｧｲﾙ大)"})
        box->AddItem(item);
    auto textOf = [&] {
        wchar_t buffer[64] = L"#";
        const int length = GetWindowTextLengthW(box->Handle());
        EXPECT_EQ(GetWindowTextW(box->Handle(), buffer, 64), length);
        return std::wstring(buffer);
    };
    EXPECT_EQ(textOf(), L"");
    box->SetItemIndex(0);
    EXPECT_EQ(textOf(), L"2色");
    box->SetItemIndex(1);
    EXPECT_EQ(textOf(), L"9-最高画質");
    wchar_t small[4] = L"###";
    EXPECT_EQ(GetWindowTextW(box->Handle(), small, 3), 2); // cut to the caller's buffer
    EXPECT_STREQ(small, L"9-");
}
