#pragma once
// The message of the program's error that an action raises, for tests to compare in one line.
// Portable: the native tests use it too.
#include "framework/Error.h"

#include <functional>
#include <string>

namespace testing_support {

// The message of the error the action raises; "no exception" or "another exception" otherwise,
// so that a failed comparison says what happened instead.
inline std::wstring ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const pelorine::Error& e) {
        return e.Message();
    } catch (...) {
        return L"another exception";
    }
    return L"no exception";
}

} // namespace testing_support
