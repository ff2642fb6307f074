#include "etc1_words.h"

uint32_t Etc1PixelCodeBits(const Etc1Subblock& subblock, const uint32_t code[8]) {
    uint32_t word = 0;
    for (int i = 0; i < 8; ++i) {
        const int x = subblock.pixel[i] % 4;
        const int y = subblock.pixel[i] / 4;
        const int bit = 4 * x + y;
        word |= (code[i] & 1) << bit | (code[i] >> 1) << (16 + bit);
    }
    return word;
}
