// What the benchmark measures: each row is one compression type through one
// encoder, ours or a peer's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum class Encoder {
    Ours,       // the engine with the destination's default settings
    OursQuick,  // the engine with nEncodeSpeed = 1 (quick ATC encoder)
    Etc1Tool,   // Android's etc1tool and its libETC1 encoder
    SquishBc4,  // libsquish BC4
    SquishBc5,  // libsquish BC5
};

struct BenchEntry {
    const char* typeName;  // the compression type's command-line name
    Encoder encoder;
    const char* label;  // encoder column of the table
    unsigned channels;  // channels compared for PSNR (quality.h)
    uint32_t format;    // engine format code, from the type name
};

// The rows in table order, formats filled from the compression-type table.
std::vector<BenchEntry> BenchEntries();

// Pairs shown as ratios: numerator row against denominator row.
struct BenchComparison {
    size_t ours;
    size_t theirs;
    const char* title;
};
std::vector<BenchComparison> BenchComparisons(const std::vector<BenchEntry>& entries);
