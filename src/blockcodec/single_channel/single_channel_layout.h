// The 8-byte single-channel block: byte 0 endpoint e0, byte 1 endpoint e1,
// and as a 64-bit little-endian number, the index of value k in bits 16 + 3k
// to 18 + 3k.
#pragma once

#include <cstdint>

// The palette of endpoints e0 and e1: eight values when e0 > e1, else six
// values followed by 0 and 255.
inline void SingleChannelPalette(uint32_t e0, uint32_t e1, uint8_t palette[8]) {
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

inline void PackSingleChannelIndices(const uint8_t index[16], uint8_t block[8]) {
    uint64_t bits = 0;
    for (int k = 0; k < 16; ++k) {
        bits |= static_cast<uint64_t>(index[k] & 7) << (3 * k);
    }
    for (int i = 0; i < 6; ++i) {
        block[2 + i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

inline void UnpackSingleChannelIndices(const uint8_t block[8], uint8_t index[16]) {
    uint64_t bits = 0;
    for (int i = 0; i < 6; ++i) {
        bits |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
    }
    for (int k = 0; k < 16; ++k) {
        index[k] = static_cast<uint8_t>((bits >> (3 * k)) & 7);
    }
}
