// The palette's order, translucent colours first, and the palette entries
// scaled back to bytes.
#include "palette_order.h"

void OrderTranslucentFirst(const QuantPixel* colours, uint32_t count, uint32_t maxval,
                           uint8_t* order) {
    uint32_t front = 0;
    uint32_t back = count;
    for (uint32_t i = 0; i < count; ++i) {
        order[i] = uint8_t(colours[i].c[3] < maxval ? front++ : --back);
    }
}

void WritePalette(const QuantPixel* colours, const uint8_t* order, uint32_t count, uint32_t maxval,
                  uint8_t* palette) {
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t* entry = palette + 4 * uint32_t(order[i]);
        for (uint32_t c = 0; c < 4; ++c) {
            entry[c] = maxval == 255 ? colours[i].c[c]
                                     : uint8_t((colours[i].c[c] * 255u + maxval / 2) / maxval);
        }
    }
}
