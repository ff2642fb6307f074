#include "report.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "temp_dir.h"

namespace {

const std::vector<BenchEntry> kEntries = {
    {"ETC1 RGB8", Encoder::Ours, "ours", CHANNELS_RGB, 25},
    {"ETC1 RGB8", Encoder::Etc1Tool, "etc1tool", CHANNELS_RGB, 25},
};

Measurement Measured(double encodeSeconds, double commandSeconds, double squaredErrorSum) {
    Measurement m;
    m.status = Status::Ok;
    m.pixels = 1000000;
    m.encodeRuns = 3;
    m.encodeSeconds = encodeSeconds;
    m.allCoresRuns = 3;
    m.allCoresSeconds = encodeSeconds / 2;
    m.commandRuns = 1;
    m.commandSeconds = commandSeconds;
    m.peakKb = 2048;
    m.decoded = true;
    m.error = {squaredErrorSum, 3000000};
    return m;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

TEST(Report, TotalsAddTimesAndAverageThePictures) {
    Totals totals;
    totals.Add(Measured(0.5, 1.0, 3000000.0));    // MSE 1
    totals.Add(Measured(0.5, 1.0, 300000000.0));  // MSE 100
    Measurement missing;
    missing.note = "encode returned 9";
    totals.Add(missing);
    EXPECT_EQ(totals.Summary(), Status::Ok);
    EXPECT_EQ(totals.pictures, 2);
    EXPECT_DOUBLE_EQ(MegapixelsPerSecond(totals.encodePixels, totals.encodeSeconds), 2.0);
    EXPECT_DOUBLE_EQ(MegapixelsPerSecond(totals.commandPixels, totals.commandSeconds), 1.0);
    EXPECT_NEAR(totals.MeanPsnr(), (48.1308 + 28.1308) / 2, 1e-3);
    EXPECT_EQ(totals.note, "encode returned 9");
}

TEST(Report, ALosslessPictureCountsAsTheCapInTheMean) {
    Totals totals;
    totals.Add(Measured(1.0, 1.0, 0.0));
    EXPECT_EQ(totals.MeanPsnr(), LOSSLESS_PSNR);
}

TEST(Report, TypesThatAreNotThereAreReportedAsSuch) {
    Totals missing;
    Measurement m;
    m.note = "encode returned 9";
    missing.Add(m);
    Totals present;
    present.Add(Measured(0.5, 1.0, 3000000.0));
    const std::string table = FormatTable(kEntries, {missing, present}, 2);
    EXPECT_NE(table.find("not available (encode returned 9)"), std::string::npos);
    EXPECT_NE(table.find("48.13"), std::string::npos);
    const std::string comparisons = FormatComparisons({missing, present}, {{0, 1, "ETC1"}});
    EXPECT_NE(comparisons.find("not available"), std::string::npos);
}

TEST(Report, ComparisonShowsSpeedRatiosAndPsnrDifference) {
    Totals ours;
    ours.Add(Measured(0.25, 0.5, 3000000.0));
    Totals theirs;
    theirs.Add(Measured(1.0, 1.0, 300000000.0));
    const std::string comparisons = FormatComparisons({ours, theirs}, {{0, 1, "ETC1"}});
    EXPECT_NE(comparisons.find("4.00x"), std::string::npos);
    EXPECT_NE(comparisons.find("2.00x"), std::string::npos);
    EXPECT_NE(comparisons.find("+20.00 dB"), std::string::npos);
}

TEST(Report, CsvSummaryReadsBackForTheNextRun) {
    TempDir dir;
    const std::string path = dir.File("results.csv");
    Measurement failed;
    failed.status = Status::Failed;
    failed.note = "etc1tool run failed, see \"log\"";
    PictureResults picture{"a, b.png", 10, 10, {Measured(0.5, 1.0, 3000000.0), failed}};
    Totals ours;
    ours.Add(picture.measurements[0]);
    Totals theirs;
    theirs.Add(failed);
    LargeRun large{"ETC1 RGB8", true, 2.0, 1.0, 300 * 1024, 310 * 1024, ""};
    ASSERT_TRUE(
        WriteCsv(path, "2026-01-01T00:00:00Z", kEntries, {picture}, {ours, theirs}, {large}, 1000));
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("\"a, b.png\""), std::string::npos);
    EXPECT_NE(text.find("\"etc1tool run failed, see \"\"log\"\"\""), std::string::npos);

    std::string run;
    const SummaryByRow summary = ReadCsvSummary(path, &run);
    EXPECT_EQ(run, "2026-01-01T00:00:00Z");
    ASSERT_EQ(summary.count(SummaryKey(kEntries[0])), 1u);
    const SummaryFigures& figures = summary.at(SummaryKey(kEntries[0]));
    EXPECT_NEAR(figures.encodeMpix, 2.0, 1e-5);
    EXPECT_NEAR(figures.allCoresMpix, 4.0, 1e-5);
    EXPECT_NEAR(figures.commandMpix, 1.0, 1e-5);
    EXPECT_NEAR(figures.psnr, 48.1308, 1e-3);
    EXPECT_EQ(summary.count(SummaryKey(kEntries[1])), 1u);
    // The large picture's lines: a million pixels in 2 s and in 1 s.
    EXPECT_NE(text.find("\"tiled 1000x1000, mips\",1000,1000,1.0000,ETC1 RGB8,\"ours, 1 "
                        "thread\",ok,0,,0,,1,0.5,300,"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\"ours, all cores\",ok,0,,0,,1,1,310,"), std::string::npos) << text;
}

TEST(Report, AMissingOrForeignCsvHasNoSummary) {
    TempDir dir;
    std::string run;
    EXPECT_TRUE(ReadCsvSummary(dir.File("none.csv"), &run).empty());
    std::ofstream(dir.File("other.csv")) << "a,b\n1,2\n";
    EXPECT_TRUE(ReadCsvSummary(dir.File("other.csv"), &run).empty());
}

TEST(Report, ChangesListOnlyRowsThePreviousRunMeasured) {
    Totals ours;
    ours.Add(Measured(0.5, 1.0, 3000000.0));
    Totals theirs;
    theirs.Add(Measured(0.5, 1.0, 3000000.0));
    SummaryByRow previous;
    previous[SummaryKey(kEntries[0])] = {1.0, 16.0, 2.0, 47.1308};
    previous[SummaryKey(kEntries[1])] = {0.0, 0.0, 0.0, 0.0};
    const std::string changes = FormatChanges(kEntries, {ours, theirs}, previous);
    EXPECT_NE(changes.find("+100.0%"), std::string::npos);
    EXPECT_NE(changes.find("-50.0%"), std::string::npos);
    EXPECT_NE(changes.find("-75.0%"), std::string::npos);  // all cores: 4 against 16
    EXPECT_NE(changes.find("+1.00 dB"), std::string::npos);
    EXPECT_EQ(changes.find("etc1tool"), std::string::npos);
}

TEST(Report, TableShowsOneThreadAllCoresAndTheirRatio) {
    Totals ours;
    ours.Add(Measured(0.5, 1.0, 3000000.0));  // 2 Mpix/s alone, 4 on all cores
    Totals theirs;
    Measurement peer = Measured(0.5, 1.0, 3000000.0);
    peer.allCoresRuns = 0;  // a single-threaded peer
    theirs.Add(peer);
    const std::string table = FormatTable(kEntries, {ours, theirs}, 2);
    EXPECT_NE(table.find("2 threads"), std::string::npos) << table;
    EXPECT_NE(table.find("ours                1          2          4    2.00x"), std::string::npos)
        << table;
    EXPECT_NE(table.find("etc1tool            1          2          -        -"), std::string::npos)
        << table;
}

TEST(Report, LargeRunsShowSecondsScalingAndPeaks) {
    const std::string table =
        FormatLargeRuns({{"3DC XY", true, 24.0, 12.5, 200 * 1024, 210 * 1024, ""},
                         {"3DC X", false, 0, 0, 0, 0, "VostrelCmd run failed"}},
                        2);
    EXPECT_NE(
        table.find("3DC XY                      24.00      12.50    1.92x      200.0      210.0"),
        std::string::npos)
        << table;
    EXPECT_NE(table.find("failed (VostrelCmd run failed)"), std::string::npos) << table;
}
