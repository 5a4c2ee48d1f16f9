#pragma once
// The one copy per session: what creating the session's named mutex says about another copy.
namespace pelorine {

// The system's error codes that matter here (ERROR_ACCESS_DENIED, ERROR_ALREADY_EXISTS).
constexpr unsigned long kErrorAccessDenied = 5, kErrorAlreadyExists = 183;

// Whether another copy runs, from the handle (got one or not) and the last error that came
// with it. A copy of higher integrity (started as administrator) made a mutex that this one
// may not open: no handle and "access denied", and still a copy that runs.
bool AnotherCopyRuns(bool gotHandle, unsigned long lastError);

} // namespace pelorine
