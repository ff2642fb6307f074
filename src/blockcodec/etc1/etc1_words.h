// Packing an encoder's choices into the two ETC1 words.
#pragma once

#include <cstdint>

#include "etc1_encoder.h"

// Word 1 from the base colour fields, the two sub-blocks' codewords, the
// diff bit and the flip bit.
inline uint32_t Etc1AssembleWord1(const Etc1Bases& bases, uint32_t codeword1, uint32_t codeword2,
                                  uint32_t flip) {
    uint32_t word = codeword1 << 5 | codeword2 << 2 | flip;
    for (int c = 0; c < 3; ++c) {
        if (bases.differential) {
            const uint32_t difference = (bases.field[1][c] - bases.field[0][c]) & 7;
            word |= bases.field[0][c] << (27 - 8 * c) | difference << (24 - 8 * c);
        } else {
            word |= bases.field[0][c] << (28 - 8 * c) | bases.field[1][c] << (24 - 8 * c);
        }
    }
    return bases.differential ? word | 2 : word;
}

// The bits of word 2 that hold the codes of the sub-block's 8 pixels, given
// in sub-block order: bit 4x + y holds the low bit of the code of pixel
// (x, y), bit 16 + 4x + y its high bit.
inline uint32_t Etc1PixelCodeBits(const Etc1Subblock& subblock, const uint32_t code[8]) {
    uint32_t word = 0;
    for (int i = 0; i < 8; ++i) {
        const int x = subblock.pixel[i] % 4;
        const int y = subblock.pixel[i] / 4;
        const int bit = 4 * x + y;
        word |= (code[i] & 1) << bit | (code[i] >> 1) << (16 + bit);
    }
    return word;
}
