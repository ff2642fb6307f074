// Maps every pixel to the palette index of its nearest palette colour.
#pragma once

#include <cstdint>

#include "color_hash_table.h"

// The first of colours (count entries) at the smallest squared distance
// from pixel.
uint32_t NearestColour(const QuantPixel& pixel, const QuantPixel* colours, uint32_t count);

// Writes order[nearest colour] for each of pixelCount pixels to indices.
// Distinct colours are looked up once through a cache; when the cache cannot
// be made or grown the remaining pixels are searched one by one.
void MapPixels(const QuantPixel* pixels, uint64_t pixelCount, const QuantPixel* colours,
               const uint8_t* order, uint32_t count, uint8_t* indices);
