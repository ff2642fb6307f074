#include "single_channel_layout.h"

void SingleChannelPalette(uint32_t e0, uint32_t e1, uint8_t palette[8]) {
    palette[0] = static_cast<uint8_t>(e0);
    palette[1] = static_cast<uint8_t>(e1);
    if (e0 > e1) {
        for (uint32_t i = 1; i <= 6; ++i) {
            palette[i + 1] = static_cast<uint8_t>(((7 - i) * e0 + i * e1 + 3) / 7);
        }
    } else {
        for (uint32_t i = 1; i <= 4; ++i) {
            palette[i + 1] = static_cast<uint8_t>(((5 - i) * e0 + i * e1 + 2) / 5);
        }
        palette[6] = 0;
        palette[7] = 255;
    }
}
