// The five option lists of the main window as a user meets them: each opens with its columns
// side by side, a chosen item shows its first column in the closed box, and any program that
// reads an item gets its whole text.
#include "e2e/AppTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace e2e;
using pelorine::mainform::ControlRow;

namespace {

// Each list as the user is to meet it: its column widths, the rows shown when it drops down and
// its items, written out here rather than taken from the window's layout.
struct ListSpec {
    const wchar_t* name;
    int first, second, rows;
    std::vector<std::wstring> items;
};
const ListSpec kLists[] = {
    {L"C1_01", 62, 0, 6, {L"BMP形式", L"TIFF形式", L"JPEG形式", L"PCX形式", L"PNG形式"}},
    {L"C1_02",
     62,
     100,
     10,
     {L"0-低画質,高圧縮率(ﾌｧｲﾙ小)", L"1-低画質,高圧縮率", L"2-低画質,高圧縮率", L"3-標準", L"4-標準",
      L"5-標準", L"6-高画質", L"7-高画質", L"8-最高画質,低圧縮率", L"9-最高画質,低圧縮率(ﾌｧｲﾙ大)"}},
    {L"C1_03",
     62,
     150,
     6,
     {L"2色,BMP/TIFF/PCX/PNG", L"16色,BMP/TIFF/PNG", L"256色,BMP/TIFF/PCX/PNG",
      L"ｸﾞﾚｰｽｹｰﾙ,BMP/TIFF/JPEG/PCX/PNG", L"ﾌﾙｶﾗｰ,BMP/TIFF/JPEG/PCX/PNG"}},
    {L"C1_04", 62, 110, 5, {L"そのまま,元画像の角度を維持", L"90度", L"180度", L"270度"}},
    {L"C1_05",
     62,
     170,
     6,
     {L"そのまま,元画像のｻｲｽﾞを維持", L"倍率", L"ﾋﾟｸｾﾙ", L"ﾋﾟｸｾﾙ-伸,余白が生じた場合は画像引伸ばし"}},
};

constexpr int kRowHeight = 13;
constexpr COLORREF kCyan = RGB(0x80, 0xFF, 0xFF), kWhite = RGB(255, 255, 255);

// A cell shows its colour when most of it is that colour (the rest is its text).
void ExpectCell(const RECT& cell, COLORREF background, bool withText, const std::wstring& what) {
    const auto pixels = ScreenPixels(cell);
    const auto painted = std::count(pixels.begin(), pixels.end(), background);
    const auto ink = std::count(pixels.begin(), pixels.end(), RGB(0, 0, 0));
    EXPECT_GT(painted, long(pixels.size() / 2)) << testing::PrintToString(what);
    if (withText)
        EXPECT_GT(ink, 5) << testing::PrintToString(what);
    else
        EXPECT_EQ(ink, 0) << testing::PrintToString(what);
}

std::wstring SentText(HWND combo, UINT lengthMsg, UINT textMsg, WPARAM index) {
    const LRESULT length = SendMessageW(combo, lengthMsg, index, 0);
    if (length < 0) return L"<none>";
    std::wstring text(size_t(length) + 1, L'\0');
    text.resize(size_t(
        SendMessageW(combo, textMsg, textMsg == WM_GETTEXT ? text.size() : index, LPARAM(text.data()))));
    return text;
}

class ListsTest : public AppTest {
  protected:
    void SetUp() override { StartWith(); }

    HWND Combo(const ControlRow& row) const {
        const POINT p = OnWindow({row.left + 10, row.top + row.height / 2});
        return WindowFromPoint(p);
    }
    void ClickArrow(const ControlRow& row) const {
        const POINT p = OnWindow({row.left + row.width - 8, row.top + row.height / 2});
        ClickAt(p.x, p.y);
        // Away at once, before the box's hint comes up over the list being checked.
        SetCursorPos(1270, 1010);
    }
    HWND OpenList() const {
        HWND list = nullptr;
        WaitFor(
            [&] {
                list = FindProcessWindow(
                    pid_, [](HWND w) { return ClassOf(w) == L"ComboLBox" && IsWindowVisible(w); });
                return list != nullptr;
            },
            3000);
        Pump(300);
        return list;
    }
    bool Closed(HWND list) const {
        return WaitFor([&] { return !IsWindowVisible(list); }, 3000);
    }
};

} // namespace

TEST_F(ListsTest, TheFiveListsDropDownWithTheirColumns) {
    for (const ListSpec& list : kLists) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(list.name)));
        const ControlRow& row = Row(list.name);
        HWND combo = Combo(row);
        ASSERT_EQ(ClassOf(combo), L"ComboBox");
        const int items = int(list.items.size());
        ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), items);

        // Any program reading an item gets its whole text, however it sizes its buffer.
        for (int i = 0; i < items; ++i)
            EXPECT_EQ(SentText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, WPARAM(i)), list.items[size_t(i)]);

        if (!IsWindowEnabled(combo)) { // the JPEG quality list waits for "JPEG形式"
            const ControlRow& format = Row(L"C1_01");
            ClickArrow(format);
            HWND formats = OpenList();
            ASSERT_NE(formats, nullptr);
            RECT rc{};
            GetWindowRect(formats, &rc);
            ClickAt(rc.left + 20, rc.top + 1 + 2 * kRowHeight + kRowHeight / 2);
            ASSERT_TRUE(Closed(formats));
            ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(combo) != FALSE; }, 3000));
            EXPECT_EQ(SentText(Combo(format), WM_GETTEXTLENGTH, WM_GETTEXT, 0), L"JPEG形式");
        }

        ClickArrow(row);
        HWND dropped = OpenList();
        ASSERT_NE(dropped, nullptr);
        const int first = list.first, second = list.second;
        const int width = std::max(first + second, row.width);
        EXPECT_EQ(SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0), width);
        RECT rc{};
        GetWindowRect(dropped, &rc);
        EXPECT_EQ(rc.right - rc.left, width);
        EXPECT_EQ(rc.bottom - rc.top, std::min(items, list.rows) * kRowHeight + 2);

        // Every row: black text on light cyan, then the second column (or the strip) on white.
        const int x = rc.left + 1, right = rc.right - 1;
        for (int i = 0; i < std::min(items, list.rows); ++i) {
            const int top = rc.top + 1 + i * kRowHeight;
            const std::wstring item = list.items[size_t(i)];
            ExpectCell(RECT{x, top, x + first, top + kRowHeight}, kCyan, true, item);
            ExpectCell(RECT{x + first, top, right, top + kRowHeight}, kWhite,
                       item.find(L',') != std::wstring::npos, item);
        }
        if (std::wstring(list.name) == L"C1_03") {
            EXPECT_EQ(width, 212);
        }

        // A chosen item: the closed box shows its first column, the item still reads whole.
        ClickAt(x + 20, rc.top + 1 + 2 * kRowHeight + kRowHeight / 2);
        ASSERT_TRUE(Closed(dropped));
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
        const std::wstring chosen = list.items[2];
        EXPECT_EQ(SentText(combo, WM_GETTEXTLENGTH, WM_GETTEXT, 0), chosen.substr(0, chosen.find(L',')));
        EXPECT_EQ(SentText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, 2), chosen);
    }
}
