#include "stopwatch.h"

#include <gtest/gtest.h>

TEST(Stopwatch, MedianOfOddAndEvenCounts) {
    EXPECT_EQ(Median({3.0, 1.0, 2.0}), 2.0);
    EXPECT_EQ(Median({4.0, 1.0, 3.0, 2.0}), 2.5);
    EXPECT_EQ(Median({}), 0.0);
}

TEST(Stopwatch, FastRunsStopAtTheRunLimitAfterAWarmUp) {
    int calls = 0;
    bool ok = false;
    const auto samples = TimeRepeatedly(
        {1e9, 5}, [&] { return ++calls > 0; }, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(samples.size(), 5u);
    EXPECT_EQ(calls, 6);
}

TEST(Stopwatch, AWarmUpThatTakesTheBudgetIsTheOnlySample) {
    int calls = 0;
    bool ok = false;
    const auto samples = TimeRepeatedly(
        {1e-12, 5}, [&] { return ++calls > 0; }, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(samples.size(), 1u);
    EXPECT_EQ(calls, 1);
}

TEST(Stopwatch, AFailedRunEndsTheMeasurement) {
    int calls = 0;
    bool ok = true;
    const auto samples = TimeRepeatedly(
        {1e9, 5}, [&] { return ++calls < 3; }, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(samples.size(), 1u);
}
