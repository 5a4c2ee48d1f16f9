// Forms and the application object.
#include "framework/Application.h"
#include "framework/Controls.h"

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
