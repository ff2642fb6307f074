// The quick colour-block encoder, tuned: the same steps as
// colour_block_encoder_fast_reference.cpp with the quarter-point thresholds
// in integers, class means from one pass of class sums, and the grade from
// the class sums instead of a decode of the block.
#include "atc_search.h"

namespace {

// The thresholds lo + q, lo + 2q and hi - q with q = (hi - lo) / 4 are
// multiples of 0.25 below 256, exact in single precision; times four they
// are the integers 3 lo + hi, 2 lo + 2 hi and lo + 3 hi, so comparing 4 Y
// with those gives the floating-point comparisons' answers.
uint32_t quarterPointWord(const int luma[16]) {
    int lo = 255;
    int hi = 0;
    for (int t = 0; t < 16; ++t) {
        lo = luma[t] < lo ? luma[t] : lo;
        hi = luma[t] > hi ? luma[t] : hi;
    }
    const int t1 = 3 * lo + hi;
    const int t2 = 2 * lo + 2 * hi;
    const int t3 = lo + 3 * hi;
    uint32_t indexWord = 0;
    for (int t = 0; t < 16; ++t) {
        const int y = 4 * luma[t];
        const uint32_t index = y >= t3 ? 3 : y > t2 ? 2 : y > t1 ? 1 : 0;
        indexWord |= index << (2 * t);
    }
    return indexWord;
}

}  // namespace

uint32_t encodeColourBlockFast(const ColourBlock& texels, uint32_t format, uint16_t* colour0,
                               uint16_t* colour1, int32_t* grade) {
    int luma[16];
    for (int t = 0; t < 16; ++t) {
        luma[t] = luminance(texelAt(texels, t));
    }
    uint32_t indexWord = quarterPointWord(luma);
    ClassSums sums = classSums(texels, indexWord);
    Clusters clusters = meansOf(sums);
    int mode = 0;
    if (clusters.count[3] != 16) {
        mode = chooseBlackModeFast(&indexWord, &clusters);
        const ColourPalette palette =
            sourcePalette(colourSources(clusters, mode, format), mode, format);
        if (refineWithPalette(texels, &indexWord, palette, mode, RefineRule::Fast)) {
            sums = classSums(texels, indexWord);
            clusters = meansOf(sums);
            mode = chooseBlackModeFast(&indexWord, &clusters);
        }
        if (mode != 0) {
            moveFirstSumsIntoSecond(&sums);
        }
    }
    const ColourSources sources = colourSources(clusters, mode, format);
    const ColourCodes codes = quickCodes(sources, mode, format);
    *colour0 = codes.colour0;
    *colour1 = codes.colour1;
    *grade = paletteError(blockSquares(texels), sums, sourcePalette(sources, mode, format)) >> 4;
    return indexWord;
}
