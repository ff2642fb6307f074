// The FORMAT_ATC block routines that the block compression library calls.
#include "atc_internal.h"

uint32_t AtcEncodeColourBlock(const ColourBlock& texels, uint16_t* colour0, uint16_t* colour1) {
    return EncodeColourBlock(texels, FORMAT_ATC, colour0, colour1);
}

void AtcDecodeColourBlock(uint32_t indexWord, uint16_t colour0, uint16_t colour1,
                          ColourBlock* texels) {
    DecodeColourBlock(indexWord, colour0, colour1, FORMAT_ATC, texels);
}

void AtcPackExplicitAlpha(const AlphaBlock& alpha, uint8_t block[8]) {
    uint8_t nibbles[16];
    for (int t = 0; t < 16; ++t) {
        nibbles[t] = static_cast<uint8_t>(alpha.alpha[t] >> 4);
    }
    PackAlphaNibbles(nibbles, block);
}

void AtcUnpackExplicitAlpha(const uint8_t block[8], AlphaBlock* alpha) {
    UnpackAlphaNibbles(block, alpha->alpha);
}
