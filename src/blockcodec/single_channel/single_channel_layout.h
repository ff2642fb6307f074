// The 8-byte single-channel block: byte 0 endpoint e0, byte 1 endpoint e1,
// and as a 64-bit little-endian number, the index of value k in bits 16 + 3k
// to 18 + 3k.
#pragma once

#include <cstdint>

// The palette of endpoints e0 and e1: eight values when e0 > e1, else six
// values followed by 0 and 255.
void SingleChannelPalette(uint32_t e0, uint32_t e1, uint8_t palette[8]);

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
