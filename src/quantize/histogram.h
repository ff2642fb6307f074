// The histogram of an image: one entry per distinct colour with its pixel
// count.
#pragma once

#include <cstdint>
#include <memory>

#include "color_hash_table.h"

struct ColorCount {
    QuantPixel colour;
    uint64_t count;
};

struct Histogram {
    std::unique_ptr<ColorCount[]> entries;
    uint32_t size = 0;
};

enum class CountResult { Counted, TooManyColours, OutOfMemory };

// The most distinct colours that one histogram holds.
constexpr uint32_t kHistogramLimit = 32767;

// Counts the colours of pixelCount pixels into histogram, ordered by bucket
// and, within a bucket, newest colour first. TooManyColours when more than
// limit distinct colours occur.
CountResult CountColors(const QuantPixel* pixels, uint64_t pixelCount, uint32_t limit,
                        Histogram& histogram);
