// RunBands on the pool: every index once, every thread taking part, nested
// and concurrent loops, and the band sizes.
#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "parallel.h"
#include "pool_fixture.h"

namespace {

const char* const kThreadSettings[] = {"1", "2", "3", "7"};

class BandsTest : public PoolTest, public ::testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override { UsePoolOf(GetParam()); }
};

// Every index of every loop is run exactly once, in bands of the asked size.
TEST_P(BandsTest, RunsEachIndexOnceInBandsOfTheAskedSize) {
    struct LoopCase {
        uint64_t count;
        uint64_t bandSize;
    };
    const LoopCase cases[] = {{1, 1},    {5, 1},       {5, 2},   {64, 3},
                              {1000, 7}, {1000, 1000}, {7, 100}, {10, 0}};
    for (const LoopCase& c : cases) {
        std::vector<std::atomic<int>> runs(c.count);
        std::mutex mutex;
        std::set<std::pair<uint64_t, uint64_t>> bands;
        parallel::ForEachBand(c.count, c.bandSize, [&](uint64_t begin, uint64_t end) {
            for (uint64_t i = begin; i < end; ++i) {
                runs[i].fetch_add(1);
            }
            std::lock_guard<std::mutex> lock(mutex);
            bands.insert({begin, end});
        });
        const uint64_t size = c.bandSize == 0 ? 1 : c.bandSize;
        std::set<std::pair<uint64_t, uint64_t>> expected;
        for (uint64_t begin = 0; begin < c.count; begin += size) {
            expected.insert({begin, std::min(c.count, begin + size)});
        }
        EXPECT_EQ(bands, expected) << c.count << " in bands of " << c.bandSize;
        for (uint64_t i = 0; i < c.count; ++i) {
            EXPECT_EQ(runs[i].load(), 1) << "index " << i << " of " << c.count;
        }
    }
    parallel::ForEachBand(0, 1, [](uint64_t, uint64_t) { ADD_FAILURE() << "a band of nothing"; });
}

// The pool's threads all take part: with n threads, n bands that each wait
// for the others can only end when n threads run them at once.
TEST_P(BandsTest, EveryThreadOfThePoolTakesPart) {
    const unsigned threads = parallel::ThreadCount();
    EXPECT_EQ(threads, unsigned(std::atoi(GetParam())));
    std::atomic<unsigned> arrived{0};
    std::mutex mutex;
    std::set<std::thread::id> seen;
    parallel::ForEachBand(threads, 1, [&](uint64_t, uint64_t) {
        arrived.fetch_add(1);
        while (arrived.load() < threads) {
            std::this_thread::yield();
        }
        std::lock_guard<std::mutex> lock(mutex);
        seen.insert(std::this_thread::get_id());
    });
    EXPECT_EQ(seen.size(), threads);
    EXPECT_EQ(seen.count(std::this_thread::get_id()), 1u) << "the calling thread takes part";
}

// A loop inside a band runs on that band's thread, to the end, three deep.
TEST_P(BandsTest, NestedLoopsRunInlineAndFinish) {
    std::atomic<uint64_t> leaves{0};
    std::atomic<bool> moved{false};
    parallel::ForEachBand(6, 1, [&](uint64_t, uint64_t) {
        const std::thread::id outer = std::this_thread::get_id();
        parallel::ForEachBand(5, 1, [&](uint64_t, uint64_t) {
            if (std::this_thread::get_id() != outer) {
                moved = true;
            }
            parallel::ForEachBandReporting(4, 1, 1, [&](uint64_t begin, uint64_t end) {
                if (std::this_thread::get_id() != outer) {
                    moved = true;
                }
                leaves.fetch_add(end - begin);
            });
        });
    });
    EXPECT_EQ(leaves.load(), 6u * 5u * 4u);
    EXPECT_FALSE(moved.load());
}

// Loops started on several threads at once all finish with every index
// run once: one has the pool, the others run where they start.
TEST_P(BandsTest, LoopsFromSeveralThreadsAtOnceAllFinish) {
    constexpr int kCallers = 4;
    constexpr uint64_t kCount = 2000;
    std::vector<std::vector<uint8_t>> marks(kCallers, std::vector<uint8_t>(kCount, 0));
    std::vector<std::thread> callers;
    for (int c = 0; c < kCallers; ++c) {
        callers.emplace_back([&, c] {
            for (int round = 0; round < 20; ++round) {
                parallel::ForEachBand(kCount, 16, [&](uint64_t begin, uint64_t end) {
                    for (uint64_t i = begin; i < end; ++i) {
                        ++marks[c][i];
                    }
                });
            }
        });
    }
    for (std::thread& caller : callers) {
        caller.join();
    }
    for (int c = 0; c < kCallers; ++c) {
        for (uint64_t i = 0; i < kCount; ++i) {
            ASSERT_EQ(marks[c][i], 20) << "caller " << c << ", index " << i;
        }
    }
}

// Results written by the bands are all there when the loop returns, loop
// after loop (the bands' writes become visible to the caller).
TEST_P(BandsTest, WritesOfEveryBandAreSeenAfterTheLoop) {
    std::vector<uint64_t> values(4096);
    for (uint64_t round = 1; round <= 200; ++round) {
        parallel::ForEachBand(values.size(), 64, [&](uint64_t begin, uint64_t end) {
            for (uint64_t i = begin; i < end; ++i) {
                values[i] = i * round;
            }
        });
        for (uint64_t i = 0; i < values.size(); ++i) {
            ASSERT_EQ(values[i], i * round);
        }
    }
}

// Signals sent to the process never land on a worker, where the program's
// own deferral of them (blocking them on its thread) would not reach.
TEST_P(BandsTest, WorkersHaveEverySignalBlocked) {
    std::mutex mutex;
    std::set<std::thread::id> unblocked;
    std::atomic<unsigned> arrived{0};
    const unsigned threads = parallel::ThreadCount();
    parallel::ForEachBand(threads, 1, [&](uint64_t, uint64_t) {
        arrived.fetch_add(1);
        while (arrived.load() < threads) {
            std::this_thread::yield();
        }
        sigset_t mask;
        pthread_sigmask(SIG_BLOCK, nullptr, &mask);
        if (!sigismember(&mask, SIGINT) || !sigismember(&mask, SIGTERM)) {
            std::lock_guard<std::mutex> lock(mutex);
            unblocked.insert(std::this_thread::get_id());
        }
    });
    // Only the calling thread keeps its signals.
    EXPECT_EQ(unblocked, std::set<std::thread::id>{std::this_thread::get_id()});
}

INSTANTIATE_TEST_SUITE_P(Threads, BandsTest, ::testing::ValuesIn(kThreadSettings));

TEST(BandSizeTest, KeepsEnoughWorkInABandAndNoMoreThanTheMostBands) {
    struct SizeCase {
        uint64_t count, unitsPerIndex, minimumUnits, bandSize;
    };
    const SizeCase cases[] = {
        {1024, 1024, 128, 1},  // 4096 pixels wide: one block row a band
        {128, 192, 128, 1},
        {10, 16, 128, 8},  // narrow rows join up
        {8, 8, 128, 16},   // one band for the whole
        {5, 0, 3, 3},      // no units named: one unit an index
        {5000, 1, 1, 5},   // at most kMaxBands bands
        {1024 * 1024, 1, 1, 1024},
        {1025, 1, 1, 2},
        {0, 4, 1, 1},
        {UINT64_MAX, 1, 1, UINT64_MAX / parallel::kMaxBands + 1},
    };
    for (const SizeCase& c : cases) {
        EXPECT_EQ(parallel::BandSize(c.count, c.unitsPerIndex, c.minimumUnits), c.bandSize)
            << c.count << " x " << c.unitsPerIndex << ", " << c.minimumUnits;
    }
}

}  // namespace
