// The straightforward ETC1 encoder and its pieces: sub-block layout, the
// per-sub-block table search, and the two ways of choosing base colours.
// Etc1EncodeBlockReference is the definition of the encoder's output; the
// fast encoder behind Etc1EncodeBlock is tested against it and shares its
// base choosers.
#pragma once

#include <cstdint>

#include "quenda_codes.h"

// The 8 pixel indices (4y + x) of a sub-block, column by column and top to
// bottom within a column.
struct Etc1Subblock {
    uint8_t pixel[8];
};

// Etc1Subblocks[flip][0] and [flip][1]: flip 0 splits the block into left and
// right halves, flip 1 into top and bottom halves.
constexpr Etc1Subblock Etc1Subblocks[2][2] = {
    {{{0, 4, 8, 12, 1, 5, 9, 13}}, {{2, 6, 10, 14, 3, 7, 11, 15}}},
    {{{0, 4, 1, 5, 2, 6, 3, 7}}, {{8, 12, 9, 13, 10, 14, 11, 15}}},
};

struct Etc1Average {
    float channel[3];
};

// The sub-block's channel sums times 0.125.
Etc1Average AverageSubblock(const ColourBlock& pixels, const Etc1Subblock& subblock);

struct Etc1TableChoice {
    uint32_t codeword = 0;
    uint32_t code[8] = {};  // stored pixel codes, in sub-block order
    int32_t error = 0;
};

// The codeword and pixel codes that fit the sub-block best around base.
Etc1TableChoice SearchSubblockTable(const ColourBlock& pixels, const Etc1Subblock& subblock,
                                    const uint8_t base[3]);

// Base colour fields of both sub-blocks: 5-bit values in differential mode,
// 4-bit values in individual mode.
struct Etc1Bases {
    bool differential = false;
    uint32_t field[2][3] = {};
};

// Whether every channel of the second 5-bit base lies within -4..3 of the
// first, so that differential mode can store them.
inline bool Etc1DifferencesFit(const uint32_t first[3], const uint32_t second[3]) {
    for (int c = 0; c < 3; ++c) {
        const int difference = static_cast<int>(second[c]) - static_cast<int>(first[c]);
        if (difference < -4 || difference > 3) {
            return false;
        }
    }
    return true;
}

// Both sub-block averages quantized directly.
Etc1Bases ChooseAverageBases(const Etc1Average& first, const Etc1Average& second);

// Both sub-block averages quantized to fit their chroma.
Etc1Bases ChooseChromaFitBases(const Etc1Average& first, const Etc1Average& second);

using Etc1BaseChooser = Etc1Bases (*)(const Etc1Average&, const Etc1Average&);

struct Etc1Words;

// The two complete encoders, each trying both orientations.
Etc1Words Etc1EncodeAverage(const ColourBlock& pixels);
Etc1Words Etc1EncodeChromaFit(const ColourBlock& pixels);

// The perceptual error of the decoded words against pixels, in double
// precision.
double Etc1BlockError(const ColourBlock& pixels, const Etc1Words& words);

// The same error of an already decoded block: the weighted squared channel
// differences summed in double precision, pixel by pixel in raster order.
double Etc1DecodedError(const ColourBlock& pixels, const ColourBlock& decoded);

// Both encoders, then the one whose decoded block has the smaller error
// (the average-colour one on a tie).
Etc1Words Etc1EncodeBlockReference(const ColourBlock& pixels);
