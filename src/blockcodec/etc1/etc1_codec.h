// The ETC1 RGB8 block codec: one 4x4 block of RGB pixels to and from the
// block's two 32-bit words. Word 1 holds the base colours, table codewords,
// diff bit and flip bit; word 2 the pixel indices.
#pragma once

#include <cstdint>

#include "quenda_codes.h"

struct Etc1Words {
    uint32_t word1 = 0;
    uint32_t word2 = 0;
};

Etc1Words Etc1EncodeBlock(const ColourBlock& pixels);

// A differential block whose second base leaves 0..31 takes the 5-bit sum
// modulo 32, as common ETC1 decoders do.
void Etc1DecodeBlock(uint32_t word1, uint32_t word2, ColourBlock* pixels);
