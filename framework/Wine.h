#pragma once
// Whether the program runs under Wine, for the few workarounds that only Wine needs. Windows is
// the target: every such workaround is taken only when this is true.

namespace pelorine {

bool RunningOnWine();

} // namespace pelorine
