// The single-channel block decoder: each value its palette entry, or both
// endpoints' value when they are equal.
#include "single_channel_codec.h"
#include "single_channel_layout.h"

void SingleChannelDecodeBlock(const uint8_t block[8], uint8_t values[16]) {
    if (block[0] == block[1]) {
        for (int k = 0; k < 16; ++k) {
            values[k] = block[0];
        }
        return;
    }
    uint8_t palette[8];
    SingleChannelPalette(block[0], block[1], palette);
    uint8_t index[16];
    UnpackSingleChannelIndices(block, index);
    for (int k = 0; k < 16; ++k) {
        values[k] = palette[index[k]];
    }
}
