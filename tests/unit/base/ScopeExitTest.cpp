#include "base/ScopeExit.h"

#include <gtest/gtest.h>

using pelorine::ScopeExit;

// The step runs once: when the scope ends, also by an exception, or earlier when asked; never
// once released.
TEST(ScopeExit, RunsItsStepOnceAtTheEndOrWhenAskedAndNeverOnceReleased) {
    int runs = 0;
    const auto step = [&] { ++runs; };
    { const ScopeExit atEnd(step); }
    EXPECT_EQ(runs, 1);
    try {
        const ScopeExit onThrow(step);
        throw 0;
    } catch (int) {
    }
    EXPECT_EQ(runs, 2);
    {
        ScopeExit early(step);
        early.run();
        EXPECT_EQ(runs, 3);
    }
    EXPECT_EQ(runs, 3);
    {
        ScopeExit released(step);
        released.release();
    }
    EXPECT_EQ(runs, 3);
}
