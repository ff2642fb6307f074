// Measures one row of the benchmark on one picture.
#pragma once

#include <string>

#include "bench_entries.h"
#include "measurement.h"
#include "picture.h"
#include "stopwatch.h"

struct BenchPicture {
    std::string name;
    std::string pngPath;  // the picture as a PNG, for the command-line runs
    Picture picture;
};

struct BenchContext {
    std::string vostrelCmd;  // path of the VostrelCmd executable
    std::string workDir;     // scratch folder for outputs and logs
    RepeatPolicy encodePolicy;
    RepeatPolicy commandPolicy;
};

Measurement MeasureEntry(const BenchEntry& entry, const BenchPicture& picture,
                         const BenchContext& context);

// VostrelCmd with mips on one large picture, on one thread and on all cores.
LargeRun MeasureLargeCommand(const char* typeName, const std::string& pngPath,
                             const BenchContext& context);
