#pragma once
// A diagnostic for tests: the GDI objects alive through the handle wrappers, counted because
// the platform's own resource counters are stubs under Wine. Nothing in the program reads it;
// a test reads it directly or, from another process, asks any window of ours with the message.
#include <windows.h>

namespace pelorine {

long LiveGdiObjects();
// A registered message: any window bound to a TWindow answers it with LiveGdiObjects().
UINT LiveGdiObjectsMessage();

void CountGdiAdopted(HGDIOBJ h);
void CountGdiGone(HGDIOBJ h);

} // namespace pelorine
