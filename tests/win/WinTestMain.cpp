// Entry point of the Win32 test programs: COM on this thread, then GoogleTest.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

int main(int argc, char** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    CoUninitialize();
    return rc;
}
