// Forms and the application object: the main form, and moving the focus by keyboard.
#include "framework/Application.h"
#include "framework/Controls.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>

using namespace pelorine;

// A start-up that fails after the main window was made frees that window before the error box
// shows; the box must not take the freed window as its owner.
TEST(Form, AFreedMainFormIsNoLongerTheApplications) {
    {
        TForm form(nullptr, WS_POPUP, 0, L"main");
        Application().SetMainForm(&form);
        ASSERT_EQ(Application().MainForm(), &form);
    }
    EXPECT_EQ(Application().MainForm(), nullptr);
}

namespace {
// Edits in a row, each taking one place of the tab order.
TEdit* EditAt(TWinControl& parent, const wchar_t* name, int left, int top, int tab) {
    auto* edit = parent.New<TEdit>(name, &parent);
    edit->SetBounds(Bounds(left, top, 40, 20));
    edit->SetTabOrder(tab);
    return edit;
}

HWND TabFrom(TForm& form, TWinControl& focused, bool forward) {
    focused.SetFocus();
    form.SelectNext(forward);
    return GetFocus();
}
} // namespace

// Tab and Shift+Tab pass over every control the user cannot see or use: hidden, disabled, out of
// the form's client area, cut away by the form's shape, or inside such a parent.
TEST(Form, TabCyclesOnlyThroughTheControlsThatCanBeSeenAndUsed) {
    TForm form(nullptr, WS_POPUP, 0, L"tabs");
    form.SetBounds(Bounds(50, 50, 300, 100));
    TEdit* first = EditAt(form, L"first", 10, 10, 0);
    EditAt(form, L"outside", 310, 10, 1); // beyond the client area, like the preview panel
    auto* hidden = form.New<TPanel>(L"hidden", &form);
    hidden->SetBounds(Bounds(60, 40, 100, 50));
    hidden->SetTabOrder(2);
    EditAt(*hidden, L"inHidden", 5, 5, 3);
    hidden->SetVisible(false);
    TEdit* second = EditAt(form, L"second", 60, 10, 4);
    EditAt(form, L"disabled", 110, 10, 5)->SetEnabled(false);
    EditAt(form, L"cutAway", 250, 60, 6);
    TEdit* third = EditAt(form, L"third", 160, 10, 7);
    // The form's shape leaves out its lower right corner.
    SetWindowRgn(form.Handle(), CreateRectRgn(0, 0, 240, 100), FALSE);
    form.Show();
    testing_support::PumpFor(100);

    EXPECT_EQ(TabFrom(form, *first, true), second->Handle());
    EXPECT_EQ(TabFrom(form, *second, true), third->Handle());
    EXPECT_EQ(TabFrom(form, *third, true), first->Handle());
    EXPECT_EQ(TabFrom(form, *first, false), third->Handle());
    EXPECT_EQ(TabFrom(form, *third, false), second->Handle());
    EXPECT_EQ(TabFrom(form, *second, false), first->Handle());
}
