// The accessible object every control of ours answers with, on a plain control of the test's own:
// what it overrides, what it leaves to the system's standard object, and a client that holds
// the object longer than the control lives.
#include "framework/Controls.h"
#include "framework/Label.h"
#include "support/Accessibility.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace pelorine;
using namespace testing_support;

namespace {

class TTestControl : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;
    void Paint(TCanvas&) override {}
    long AccessibleRole() const override { return ROLE_SYSTEM_CHECKBUTTON; }
    long AccessibleState() const override { return STATE_SYSTEM_CHECKED; }
    std::optional<std::wstring> AccessibleValue() const override { return L"42"; }
    std::wstring AccessibleAction() const override { return L"押す"; }
    void DoAccessibleAction() override { ++actions; }
    int actions = 0;
};

struct Fixture {
    TForm form{nullptr, WS_POPUP, 0, L"フォーム"};
    TTestControl* control = form.New<TTestControl>(L"control", &form);
    Fixture() {
        form.SetBounds(Bounds(40, 40, 200, 100));
        control->SetBounds(Bounds(10, 10, 50, 20));
        control->SetHint(L" ヒントの文");
        form.Show();
        PumpFor(50);
    }
};

std::vector<DWORD> g_events;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) g_events.push_back(event);
}

} // namespace

TEST(Accessible, TheControlAnswersWhatItKnowsAndTheSystemTheRest) {
    Fixture f;
    Announced a = ReadClient(f.control->Handle());
    EXPECT_EQ(a.name, L"ヒントの文"); // no name of its own: the hint, without its blank
    EXPECT_EQ(a.description, L"ヒントの文");
    EXPECT_EQ(a.role, ROLE_SYSTEM_CHECKBUTTON);
    EXPECT_TRUE(a.state & STATE_SYSTEM_CHECKED);
    EXPECT_TRUE(a.state & STATE_SYSTEM_FOCUSABLE); // the system's, kept
    EXPECT_EQ(a.value, L"42");
    EXPECT_EQ(a.defaultAction, L"押す");
    // Texts drawn on the form are its children, after the windows.
    auto* label = f.form.New<TLabel>(L"label", &f.form);
    label->SetCaption(L"見出し");
    EXPECT_EQ(TextsOf(f.form.Handle()), std::vector<std::wstring>{L"見出し"});
    f.control->SetAccessibleName(L"名前");
    EXPECT_EQ(ReadClient(f.control->Handle()).name, L"名前");
    EXPECT_EQ(ReadClient(f.form.Handle()).name, L"フォーム"); // a form by its caption

    // Disabled in its own right (its window still enabled): unavailable, not focusable.
    f.control->TControl::SetEnabled(false);
    a = ReadClient(f.control->Handle());
    EXPECT_TRUE(a.state & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_FALSE(a.state & STATE_SYSTEM_FOCUSABLE);
}

TEST(Accessible, TheDefaultActionRunsAfterTheCallReturns) {
    Fixture f;
    IAccessible* object = ClientObject(f.control->Handle());
    ASSERT_NE(object, nullptr);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    EXPECT_EQ(object->accDoDefaultAction(self), S_OK);
    EXPECT_EQ(f.control->actions, 0);
    PumpFor(50);
    EXPECT_EQ(f.control->actions, 1);
    object->Release();
}

// A reader may keep the object after the window is gone: it answers as the system's object for a
// dead window does, without reaching the freed control.
TEST(Accessible, AnObjectOutlivingItsControlStillAnswers) {
    IAccessible* object = nullptr;
    {
        Fixture f;
        object = ClientObject(f.control->Handle());
        ASSERT_NE(object, nullptr);
    }
    const Announced a = Read(*object);
    EXPECT_NE(a.role, ROLE_SYSTEM_CHECKBUTTON);
    object->Release();
}

// A focus the keyboard moves is the system's to announce; a state change is the control's.
TEST(Accessible, FocusIsAnnouncedByTheSystemForEveryWindow) {
    Fixture f;
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnWinEvent,
                                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    g_events.clear();
    f.control->SetFocus();
    PumpFor(100);
    UnhookWinEvent(hook);
    EXPECT_EQ(std::count(g_events.begin(), g_events.end(), DWORD(EVENT_OBJECT_FOCUS)), 1);
}
