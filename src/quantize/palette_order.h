// Places translucent palette colours before opaque ones and writes the
// palette at 0 to 255.
#pragma once

#include <cstdint>

#include "color_hash_table.h"

// For each of count colours (in median-cut order, channels 0 to maxval) its
// palette index: translucent colours take indices from the front in order,
// opaque ones (alpha equal to maxval) from the back.
void OrderTranslucentFirst(const QuantPixel* colours, uint32_t count, uint32_t maxval,
                           uint8_t* order);

// Writes colour i to palette entry order[i], scaled from 0 to maxval back to
// 0 to 255.
void WritePalette(const QuantPixel* colours, const uint8_t* order, uint32_t count, uint32_t maxval,
                  uint8_t* palette);
