// Median-cut choice of palette colours over a histogram.
#pragma once

#include <cstdint>

#include "histogram.h"

// Chooses wanted colours (1 to histogram.size) for the histogram of
// totalPixels pixels whose channels lie in 0 to maxval, and writes them to
// colours in box order. Reorders the histogram's entries. False when memory
// runs out.
bool MedianCutPalette(Histogram& histogram, uint64_t totalPixels, uint32_t maxval, uint32_t wanted,
                      QuantPixel* colours);
