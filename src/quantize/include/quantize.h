// Median-cut colour quantization of a 32-bit image into a palette and an
// index map.
#pragma once

#include <cstdint>

// pixels: width x height pixels of four bytes (channels 0, 1, 2, alpha),
// used as working storage. indices: width x height bytes. palette: room for
// colourCount entries of four bytes; entries beyond the colours produced are
// left as they were. colourCount: 1 to 256. Returns false when memory runs
// out.
bool QuantizeImage(uint8_t* pixels, uint8_t* indices, uint8_t* palette, uint32_t colourCount,
                   uint32_t width, uint32_t height);
