// The progress observer: what a loop reports, when, and on which thread.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "parallel.h"
#include "pool_fixture.h"

namespace {

struct Report {
    uint64_t done;
    uint64_t total;
    std::thread::id thread;
};

// Reports go to this process-wide list; each test clears it.
std::vector<Report> gReports;

void Record(void* context, uint64_t done, uint64_t total) {
    EXPECT_EQ(context, &gReports);
    gReports.push_back({done, total, std::this_thread::get_id()});
}

class ProgressTest : public PoolTest, public ::testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override {
        UsePoolOf(GetParam());
        gReports.clear();
        parallel::SetProgressObserver(Record, &gReports);
    }
    void TearDown() override {
        parallel::SetProgressObserver(nullptr, nullptr);
        PoolTest::TearDown();
    }
};

// (0, total) first, then rising figures, (total, total) last, all on the
// thread that started the loop.
void ExpectWellFormed(const std::vector<Report>& reports, uint64_t total) {
    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports.front().done, 0u);
    EXPECT_EQ(reports.back().done, total);
    for (size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].total, total);
        EXPECT_EQ(reports[i].thread, std::this_thread::get_id()) << "report " << i;
        if (i > 0) {
            EXPECT_GT(reports[i].done, reports[i - 1].done) << "report " << i;
        }
    }
}

TEST_P(ProgressTest, ReportsFromStartToEndOnTheStartingThread) {
    // 40 block rows of 25 blocks each, 3 rows a band.
    std::atomic<uint64_t> rows{0};
    parallel::ForEachBandReporting(40, 3, 25, [&](uint64_t begin, uint64_t end) {
        rows.fetch_add(end - begin);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    });
    EXPECT_EQ(rows.load(), 40u);
    ExpectWellFormed(gReports, 40 * 25);
}

// Every unit reported done has been done.
TEST_P(ProgressTest, ReportedUnitsAreDone) {
    struct Watch {
        std::atomic<uint64_t> doneUnits{0};
        std::vector<uint64_t> reported;
    } watch;
    parallel::SetProgressObserver(
        [](void* context, uint64_t done, uint64_t) {
            Watch* w = static_cast<Watch*>(context);
            EXPECT_LE(done, w->doneUnits.load());
            w->reported.push_back(done);
        },
        &watch);
    parallel::ForEachBandReporting(100, 1, 10, [&](uint64_t begin, uint64_t end) {
        watch.doneUnits.fetch_add(10 * (end - begin));
    });
    ASSERT_FALSE(watch.reported.empty());
    EXPECT_EQ(watch.reported.back(), 1000u);
}

TEST_P(ProgressTest, OneBandReportsTheStartAndTheEnd) {
    parallel::ForEachBandReporting(3, 10, 7, [](uint64_t, uint64_t) {});
    ASSERT_EQ(gReports.size(), 2u);
    EXPECT_EQ(gReports[0].done, 0u);
    EXPECT_EQ(gReports[1].done, 21u);
    EXPECT_EQ(gReports[1].total, 21u);
}

TEST_P(ProgressTest, OtherLoopsNestedLoopsAndEmptyLoopsReportNothing) {
    parallel::ForEachBand(50, 2, [](uint64_t, uint64_t) {});
    parallel::ForEachBandReporting(0, 1, 5, [](uint64_t, uint64_t) {});
    EXPECT_TRUE(gReports.empty());
    // Only the outer loop reports, though its bands start reporting loops.
    parallel::ForEachBandReporting(6, 1, 1, [](uint64_t, uint64_t) {
        parallel::ForEachBandReporting(8, 1, 100, [](uint64_t, uint64_t) {});
    });
    ExpectWellFormed(gReports, 6);
}

TEST_P(ProgressTest, AnObserverThatStartsALoopGetsItRunInline) {
    static std::atomic<int> inner{0};
    inner = 0;
    parallel::SetProgressObserver(
        [](void*, uint64_t, uint64_t) {
            parallel::ForEachBandReporting(4, 1, 1, [](uint64_t, uint64_t) { inner.fetch_add(1); });
        },
        nullptr);
    parallel::ForEachBandReporting(10, 1, 1, [](uint64_t, uint64_t) {});
    EXPECT_GE(inner.load(), 2 * 4);
}

TEST_P(ProgressTest, ARemovedObserverHearsNoMore) {
    parallel::SetProgressObserver(nullptr, &gReports);
    parallel::ForEachBandReporting(10, 1, 1, [](uint64_t, uint64_t) {});
    EXPECT_TRUE(gReports.empty());
}

INSTANTIATE_TEST_SUITE_P(Threads, ProgressTest, ::testing::Values("1", "2", "3", "7"));

}  // namespace
