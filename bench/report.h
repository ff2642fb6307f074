// The benchmark's table on standard output and its CSV file.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "bench_entries.h"
#include "measurement.h"

struct PictureResults {
    std::string name;
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<Measurement> measurements;  // one per entry, in entry order
};

// Corpus figures of one row as a CSV summary line holds them.
struct SummaryFigures {
    double encodeMpix = 0.0;  // one thread
    double allCoresMpix = 0.0;
    double commandMpix = 0.0;
    double psnr = 0.0;
};
using SummaryByRow = std::map<std::string, SummaryFigures>;  // key: type + "|" + encoder

std::string SummaryKey(const BenchEntry& entry);

// allCoresThreads: the threads of the all-cores encodes, for the heading.
std::string FormatTable(const std::vector<BenchEntry>& entries, const std::vector<Totals>& totals,
                        unsigned allCoresThreads);
std::string FormatComparisons(const std::vector<Totals>& totals,
                              const std::vector<BenchComparison>& comparisons);
// Change of every row against a previous run's summary lines.
std::string FormatChanges(const std::vector<BenchEntry>& entries, const std::vector<Totals>& totals,
                          const SummaryByRow& previous);

// The command-line runs with mips on the large picture.
std::string FormatLargeRuns(const std::vector<LargeRun>& runs, unsigned allCoresThreads);

// The name of the large picture's lines in the CSV file.
std::string LargePictureName(uint32_t side);

// One line per picture and row, one "ALL" line per row, then two lines
// (one thread, all cores) per large run.
bool WriteCsv(const std::string& path, const std::string& run,
              const std::vector<BenchEntry>& entries, const std::vector<PictureResults>& pictures,
              const std::vector<Totals>& totals, const std::vector<LargeRun>& largeRuns,
              uint32_t largeSide);

// The "ALL" lines of a CSV written by WriteCsv, and the run they belong to;
// empty when the file is missing.
SummaryByRow ReadCsvSummary(const std::string& path, std::string* run);
