#include "app/SingleInstance.h"

namespace pelorine {

bool AnotherCopyRuns(bool gotHandle, unsigned long lastError) {
    // With a handle, the error is only a report on the name; without one, any other failure
    // (the name taken by another kind of object) leaves no copy to defer to.
    return gotHandle ? lastError == kErrorAlreadyExists : lastError == kErrorAccessDenied;
}

} // namespace pelorine
