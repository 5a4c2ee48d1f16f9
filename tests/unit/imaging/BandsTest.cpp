#include "imaging/Bands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <new>
#include <vector>

namespace pelorine {
namespace {

// Bands come out in order, each as its thread coded it, and no more are held at once than
// there are threads.
TEST(Bands, EmittedInOrderWithOneBandHeldPerThread) {
    const struct { std::size_t bands, threads; } cases[] = {{1, 1}, {7, 1}, {7, 2}, {9, 3}, {2, 4}, {40, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bands << " bands, " << c.threads << " threads");
        const std::size_t threads = BandThreads(int(c.threads), c.bands);
        EXPECT_EQ(threads, std::min(c.bands, c.threads));
        std::vector<std::size_t> slots(threads);
        std::vector<std::size_t> emitted;
        std::atomic<int> held{0}, mostHeld{0};
        const bool ok = RunBands(
            c.bands, threads,
            [&](std::size_t slot, std::size_t k) {
                const int now = ++held;
                for (int most = mostHeld; now > most && !mostHeld.compare_exchange_weak(most, now);) {
                }
                slots[slot] = k * 10;
                return true;
            },
            [&](std::size_t slot, std::size_t k) {
                --held;
                EXPECT_EQ(slots[slot], k * 10);
                emitted.push_back(k);
                return true;
            });
        EXPECT_TRUE(ok);
        ASSERT_EQ(emitted.size(), c.bands);
        for (std::size_t k = 0; k < c.bands; ++k)
            EXPECT_EQ(emitted[k], k);
        EXPECT_LE(mostHeld.load(), int(threads));
    }
}

// A band that fails or runs out of memory on any thread, or an emit that is refused, ends the
// run with false and nothing emitted past it.
TEST(Bands, AFailureAnywhereStopsTheRun) {
    for (std::size_t bad = 0; bad < 6; ++bad)
        for (const int how : {0, 1, 2}) { // code fails, code throws, emit refuses
            SCOPED_TRACE(testing::Message() << "band " << bad << " how " << how);
            std::size_t emitted = 0;
            const bool ok = RunBands(
                6, 3,
                [&](std::size_t, std::size_t k) {
                    if (k == bad && how == 1) throw std::bad_alloc();
                    return !(k == bad && how == 0);
                },
                [&](std::size_t, std::size_t k) {
                    if (k == bad && how == 2) return false;
                    ++emitted;
                    return true;
                });
            EXPECT_FALSE(ok);
            EXPECT_EQ(emitted, bad);
        }
}

} // namespace
} // namespace pelorine
