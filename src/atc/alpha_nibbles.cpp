// The explicit alpha block: sixteen 4-bit alphas in a 64-bit little-endian
// value, texel t in bits 4t+3..4t.
#include "atc_internal.h"

void UnpackAlphaNibbles(const uint8_t block[8], uint8_t alpha[16]) {
    for (int t = 0; t < 16; ++t) {
        int nibble = (block[t >> 1] >> (4 * (t & 1))) & 15;
        alpha[t] = static_cast<uint8_t>(nibble * 17);
    }
}

void PackAlphaNibbles(const uint8_t nibbles[16], uint8_t block[8]) {
    for (int i = 0; i < 8; ++i) {
        block[i] = static_cast<uint8_t>((nibbles[2 * i] & 15) | ((nibbles[2 * i + 1] & 15) << 4));
    }
}
