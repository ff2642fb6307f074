// The results of one row of the benchmark on one picture, and their sum
// over the corpus.
#pragma once

#include <cstdint>
#include <string>

#include "quality.h"

enum class Status {
    Ok,
    NotAvailable,  // the engine refused the encode: the codec has not landed
    Failed,        // a peer or the command-line run failed
};

struct Measurement {
    Status status = Status::NotAvailable;
    uint64_t pixels = 0;
    int encodeRuns = 0;
    double encodeSeconds = 0.0;    // median of the counted runs, one thread
    int allCoresRuns = 0;          // 0: not measured on all cores (the peers)
    double allCoresSeconds = 0.0;  // median, a thread on every core
    int commandRuns = 0;           // 0: no command-line figure
    double commandSeconds = 0.0;   // median
    long peakKb = 0;               // maximum over the command-line runs
    bool decoded = false;          // error holds a figure
    SquaredError error;
    std::string note;  // why something is missing
};

// VostrelCmd with mips on one large picture, on one thread and on all cores.
struct LargeRun {
    std::string typeName;
    bool ok = false;
    double oneThreadSeconds = 0.0;  // medians
    double allCoresSeconds = 0.0;
    long oneThreadPeakKb = 0;
    long allCoresPeakKb = 0;
    std::string note;  // why it failed
};

constexpr double LOSSLESS_PSNR = 100.0;

// Pixels over time, in megapixels per second; 0 when there is no time.
double MegapixelsPerSecond(uint64_t pixels, double seconds);

// Sums a picture's measurement into the corpus total: times and pixels add
// up for the figures each has, peaks take the maximum, and the PSNR is the
// mean of the pictures' PSNR, a lossless picture counting as
// LOSSLESS_PSNR.
struct Totals {
    int pictures = 0;  // pictures measured
    uint64_t encodePixels = 0;
    double encodeSeconds = 0.0;
    uint64_t allCoresPixels = 0;
    double allCoresSeconds = 0.0;
    uint64_t commandPixels = 0;
    double commandSeconds = 0.0;
    long peakKb = 0;
    uint64_t decodedPictures = 0;
    double psnrSum = 0.0;
    std::string note;  // the first note met
    bool anyOk = false;
    bool anyFailed = false;

    void Add(const Measurement& measurement);
    Status Summary() const;
    double MeanPsnr() const;  // NaN when no picture was decoded
};
