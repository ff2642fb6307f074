// The ETC1 block decoder: base colours, codewords and pixel codes from the
// two words, each pixel its base plus its modifier, clamped.
#include "etc1_codec.h"
#include "etc1_modifiers.h"

void Etc1DecodeBlock(uint32_t word1, uint32_t word2, ColourBlock* pixels) {
    const bool differential = (word1 & 2) != 0;
    const bool flip = (word1 & 1) != 0;
    uint8_t base[2][3];
    for (int c = 0; c < 3; ++c) {
        if (differential) {
            const uint32_t q1 = (word1 >> (27 - 8 * c)) & 31;
            const uint32_t field = (word1 >> (24 - 8 * c)) & 7;
            const int difference =
                field < 4 ? static_cast<int>(field) : static_cast<int>(field) - 8;
            base[0][c] = Etc1Widen5(q1);
            base[1][c] = Etc1Widen5(static_cast<uint32_t>(static_cast<int>(q1) + difference) & 31);
        } else {
            base[0][c] = Etc1Widen4((word1 >> (28 - 8 * c)) & 15);
            base[1][c] = Etc1Widen4((word1 >> (24 - 8 * c)) & 15);
        }
    }
    const uint32_t codeword[2] = {(word1 >> 5) & 7, (word1 >> 2) & 7};
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const int subblock = flip ? (y >= 2 ? 1 : 0) : (x >= 2 ? 1 : 0);
            const int bit = 4 * x + y;
            const uint32_t code = ((word2 >> bit) & 1) | (((word2 >> (16 + bit)) & 1) << 1);
            const int modifier = Etc1ModifierTable[codeword[subblock]][Etc1ColumnOfCode[code]];
            for (int c = 0; c < 3; ++c) {
                pixels->texel[4 * y + x][c] = Etc1ClampChannel(base[subblock][c] + modifier);
            }
        }
    }
}
