// The thread count from VOSTREL_THREADS and the online cores, and the one
// warning for a bad value.
#include <gtest/gtest.h>

#include <ostream>

#include "parallel.h"
#include "pool_fixture.h"
#include "thread_count.h"

namespace {

struct SettingCase {
    const char* setting;  // null: not set
    unsigned threads;     // 0: as many as the cores
    bool warn;
};

void PrintTo(const SettingCase& c, std::ostream* os) {
    *os << (c.setting == nullptr ? "(unset)" : "\"" + std::string(c.setting) + "\"");
}

const SettingCase kSettings[] = {
    {nullptr, 0, false},
    {"1", 1, false},
    {"2", 2, false},
    {"7", 7, false},
    {"007", 7, false},
    {"256", 256, false},
    {"257", 256, false},
    {"4294967295", 256, false},  // the largest 32-bit value, capped
    {"000000000000000000003", 3, false},
    {"4294967296", 0, true},  // beyond 32 bits
    {"99999999999999999999999999", 0, true},
    {"0", 0, true},
    {"00", 0, true},
    {"", 0, true},
    {"-1", 0, true},
    {"+2", 0, true},
    {" 2", 0, true},
    {"2 ", 0, true},
    {"2\n", 0, true},
    {"1.5", 0, true},
    {"2e1", 0, true},
    {"0x10", 0, true},
    {"four", 0, true},
    {"3three", 0, true},
};

class ThreadSettingTest : public PoolTest, public ::testing::WithParamInterface<SettingCase> {};

TEST_P(ThreadSettingTest, ChoosesTheCountAndWarnsOnlyOnceForABadValue) {
    const SettingCase& c = GetParam();
    constexpr long kCores = 5;
    const parallel::ThreadCountChoice choice = parallel::ChooseThreadCount(c.setting, kCores);
    EXPECT_EQ(choice.threads, c.threads != 0 ? c.threads : kCores);
    EXPECT_EQ(choice.warn, c.warn);

    // The pool made from the environment: the same count against the real
    // cores, and the warning as one line, never repeating the value.
    UsePoolOf(c.setting);
    const unsigned cores = parallel::ChooseThreadCount(nullptr, parallel::OnlineCores()).threads;
    ::testing::internal::CaptureStderr();
    const unsigned threads = parallel::ThreadCount();
    parallel::ForEachBand(10, 1, [](uint64_t, uint64_t) {});
    parallel::ThreadCount();
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(threads, c.threads != 0 ? c.threads : cores);
    EXPECT_EQ(
        warnings,
        c.warn ? "Warning: VOSTREL_THREADS is not a positive integer; using all cores.\n" : "");
}

INSTANTIATE_TEST_SUITE_P(Settings, ThreadSettingTest, ::testing::ValuesIn(kSettings));

TEST(ThreadCountTest, AnUnknownOrHugeCoreCountStaysWithinOneToTheCap) {
    EXPECT_EQ(parallel::ChooseThreadCount(nullptr, -1).threads, 1u);
    EXPECT_EQ(parallel::ChooseThreadCount(nullptr, 0).threads, 1u);
    EXPECT_EQ(parallel::ChooseThreadCount(nullptr, 100000).threads, parallel::kMaxThreads);
    EXPECT_EQ(parallel::ChooseThreadCount("oops", 100000).threads, parallel::kMaxThreads);
}

}  // namespace
