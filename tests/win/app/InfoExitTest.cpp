// Ending the application while the information window is up ("終了(&X)" from the tray menu)
// ends its modal showing too. Alone in its process: the application cannot be restarted.
#include "app/Infowindow1.h"
#include "framework/Application.h"
#include "win/app/ModalDriver.h"

#include <gtest/gtest.h>

using namespace pelorine;

TEST(InfoFormExit, TerminatingTheApplicationEndsTheModalShowing) {
    TComponent root(nullptr);
    auto* main = root.New<TForm>(L"MainForm1", WS_OVERLAPPEDWINDOW, 0, L"main");
    Application().SetMainForm(main);
    main->Show();
    auto* info = root.New<TInfoForm1>(L"InfoForm1");
    bool shown = false;
    testing_support::ShowModalAnd(*info, [&] {
        shown = IsWindowVisible(info->Handle());
        main->Close(); // what the exit command does
    });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(Application().Terminated());
    EXPECT_FALSE(IsWindowVisible(info->Handle()));
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
}
