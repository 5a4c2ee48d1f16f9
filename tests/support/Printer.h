#pragma once
// The printing tests need the bench's PDF printer (scripts/cups-env.sh). Without it they skip,
// unless PELORINE_REQUIRE_CUPS is set (scripts/test.sh sets it): then a missing printer fails.
#include <gtest/gtest.h>

#include <cstdlib>

#define SKIP_WITHOUT_PRINTER(why)                                                                            \
    do {                                                                                                     \
        if (std::getenv("PELORINE_REQUIRE_CUPS")) FAIL() << why << " (PELORINE_REQUIRE_CUPS is set)";        \
        GTEST_SKIP() << why;                                                                                 \
    } while (false)
