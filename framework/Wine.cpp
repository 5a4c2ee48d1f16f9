#include "framework/Wine.h"

#include <windows.h>

namespace pelorine {

bool RunningOnWine() {
    // Wine's ntdll exports its version; Windows' has no such function.
    static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

} // namespace pelorine
