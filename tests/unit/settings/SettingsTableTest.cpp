#include "app/SettingsTable.h"

#include <gtest/gtest.h>

using namespace pelorine;

TEST(SettingsTable, FirstRunFileHoldsTheDefaultsAndTheProgramFolder) {
    const std::wstring expected = L"[SET]\r\n"
                                  L"M_TOP=20\r\n"
                                  L"M_LEFT=20\r\n"
                                  L"HOTKEY=1\r\n"
                                  L"CURSOR=1\r\n"
                                  L"TIMING=0\r\n"
                                  L"SOUND=1\r\n"
                                  L"[SET0]\r\n"
                                  L"C0_01=C:\\Фото\\表\r\n"
                                  L"C0_02=Snap\r\n"
                                  L"C0_03=0\r\n"
                                  L"[SET1]\r\n"
                                  L"C1_01=-1\r\n"
                                  L"C1_02=-1\r\n"
                                  L"C1_03=-1\r\n"
                                  L"C1_04=-1\r\n"
                                  L"C1_05=-1\r\n"
                                  L"C1_06_1=100\r\n"
                                  L"C1_06_2=640\r\n"
                                  L"C1_06_3=480\r\n"
                                  L"[SET2]\r\n"
                                  L"C2_02=\r\n"
                                  L"C2_03=\r\n"
                                  L"C2_04_1=0\r\n"
                                  L"C2_04_2=0\r\n"
                                  L"C2_04_3=0\r\n"
                                  L"C2_04_4=0\r\n";
    EXPECT_EQ(FirstRunIniText(L"C:\\Фото\\表"), expected);
}
