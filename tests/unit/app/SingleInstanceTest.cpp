#include "app/SingleInstance.h"

#include <gtest/gtest.h>

using namespace pelorine;

TEST(SingleInstance, AnExistingMutexOrOneThatMayNotBeOpenedMeansAnotherCopyRuns) {
    struct Case {
        bool gotHandle;
        unsigned long lastError;
        bool runs;
    };
    const Case cases[] = {
        {true, 0, false},                  // created: the first copy
        {true, kErrorAlreadyExists, true}, // opened: a copy of the same integrity runs
        {false, kErrorAccessDenied, true}, // a copy started as administrator runs
        {true, kErrorAccessDenied, false}, // a stale error beside a new mutex
        {false, 6, false},                 // the name taken by another kind of object
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnotherCopyRuns(c.gotHandle, c.lastError), c.runs) << c.gotHandle << ' ' << c.lastError;
}
