// Tests that run the pool with a chosen VOSTREL_THREADS.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "parallel_testing.h"

// Sets VOSTREL_THREADS (unset for null) and drops the pool, so that the
// next loop makes one from it; puts things back afterwards.
inline void UsePoolOf(const char* setting) {
    if (setting == nullptr) {
        unsetenv("VOSTREL_THREADS");
    } else {
        setenv("VOSTREL_THREADS", setting, 1);
    }
    parallel::ResetPoolForTesting();
}

class PoolTest : public ::testing::Test {
  protected:
    void TearDown() override { UsePoolOf(nullptr); }
};
