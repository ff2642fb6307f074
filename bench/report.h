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
    double encodeMpix = 0.0;
    double commandMpix = 0.0;
    double psnr = 0.0;
};
using SummaryByRow = std::map<std::string, SummaryFigures>;  // key: type + "|" + encoder

std::string SummaryKey(const BenchEntry& entry);

std::string FormatTable(const std::vector<BenchEntry>& entries, const std::vector<Totals>& totals);
std::string FormatComparisons(const std::vector<Totals>& totals,
                              const std::vector<BenchComparison>& comparisons);
// Change of every row against a previous run's summary lines.
std::string FormatChanges(const std::vector<BenchEntry>& entries, const std::vector<Totals>& totals,
                          const SummaryByRow& previous);

// One line per picture and row, then one "ALL" line per row.
bool WriteCsv(const std::string& path, const std::string& run, const std::vector<BenchEntry>& entries,
              const std::vector<PictureResults>& pictures, const std::vector<Totals>& totals);

// The "ALL" lines of a CSV written by WriteCsv, and the run they belong to;
// empty when the file is missing.
SummaryByRow ReadCsvSummary(const std::string& path, std::string* run);
