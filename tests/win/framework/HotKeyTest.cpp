#include "framework/GlobalHotKey.h"
#include "framework/ShortCut.h"
#include "support/WinTest.h"

#include <gtest/gtest.h>

using namespace pelorine;

using testing_support::KeyTaken;

TEST(GlobalHotKey, RegistersWhenTheKeyIsSetAndFollowsActive) {
    ASSERT_FALSE(KeyTaken(VK_F7));
    {
        TGlobalHotKey key(nullptr);
        EXPECT_FALSE(KeyTaken(VK_F7));
        key.SetHotKey(0x76);
        EXPECT_TRUE(KeyTaken(VK_F7));
        for (int i = 0; i < 10; ++i) {
            key.SetActive(false);
            EXPECT_FALSE(KeyTaken(VK_F7)) << i;
            key.SetActive(true);
            EXPECT_TRUE(KeyTaken(VK_F7)) << i;
        }
        key.SetActive(true); // no change, no second registration
        key.SetActive(false);
        EXPECT_FALSE(KeyTaken(VK_F7)); // one unregistration frees it: there was exactly one
        key.SetActive(true);
    }
    EXPECT_FALSE(KeyTaken(VK_F7)); // destroying the object releases the key
}

TEST(GlobalHotKey, ChangingTheKeyMovesTheRegistration) {
    TGlobalHotKey key(nullptr);
    key.SetHotKey(0x77);
    key.SetHotKey(0x78);
    EXPECT_FALSE(KeyTaken(VK_F8));
    EXPECT_TRUE(KeyTaken(VK_F9));
    key.SetHotKey(0);
    EXPECT_FALSE(KeyTaken(VK_F9));
}

TEST(GlobalHotKey, HotKeysHoldTheirKeysSideBySideAndAKeyTakenElsewhereFailsAlone) {
    HWND other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(other, 1, 0, VK_F11));
    TGlobalHotKey a(nullptr), b(nullptr), c(nullptr);
    a.SetHotKey(0x7A); // F11: silently without effect
    b.SetHotKey(0x7B);
    c.SetHotKey(0x78);
    EXPECT_TRUE(KeyTaken(VK_F12));
    EXPECT_TRUE(KeyTaken(VK_F9));
    UnregisterHotKey(other, 1);
    DestroyWindow(other);
    EXPECT_FALSE(KeyTaken(VK_F11)); // ours never had it
}

TEST(GlobalHotKey, HotKeyMessageCallsOnKeyDownWithKeyAndShift) {
    TGlobalHotKey key(nullptr);
    key.SetHotKey(TShortCut(scCtrl | scShift | 0x41));
    unsigned gotKey = 0, gotShift = 0;
    int calls = 0;
    key.OnKeyDown = [&](TComponent* sender, unsigned k, unsigned s) {
        EXPECT_EQ(sender, &key);
        gotKey = k;
        gotShift = s;
        ++calls;
    };
    SendMessageW(key.Handle(), WM_HOTKEY, 0, 0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(gotKey, 0x41u);
    EXPECT_EQ(gotShift, unsigned(ssShift | ssCtrl));
}
