// The quick colour-block encoder, tuned: the same steps as
// colour_block_encoder_fast_reference.cpp, with the texel passes (quarter-
// point classes, the refinement's nearest entries) in vector lanes, class
// sums from packed texels, and the grade from the class sums instead of a
// decode of the block.
#include "atc_search.h"

uint32_t encodeColourBlockFast(const ColourBlock& texels, uint32_t format, uint16_t* colour0,
                               uint16_t* colour1, int32_t* grade) {
    TexelPlanes planes;
    texelPlanes(texels, &planes);
    int32_t squares = 0;
    uint32_t indexWord = quarterPointWord(planes, &squares);
    ClassSums sums = classSums(planes, indexWord);
    Clusters clusters = meansOf(sums);
    int mode = 0;
    if (clusters.count[3] != 16) {
        mode = chooseBlackModeFast(&indexWord, &clusters);
        const ColourPalette palette =
            sourcePalette(colourSources(clusters, mode, format), mode, format);
        if (refineWithPalette(planes, &indexWord, palette, mode, RefineRule::Fast)) {
            sums = classSums(planes, indexWord);
            clusters = meansOf(sums);
            mode = chooseBlackModeFast(&indexWord, &clusters);
        }
        // The sums still hold the classes as they were before the black-mode
        // test that gave this mode.
        if (mode != 0) {
            moveFirstSumsIntoSecond(&sums);
        }
    }
    const ColourSources sources = colourSources(clusters, mode, format);
    const ColourCodes codes = quickCodes(sources, mode, format);
    *colour0 = codes.colour0;
    *colour1 = codes.colour1;
    const ColourPalette palette = sourcePalette(sources, mode, format);
    *grade = paletteError(squares, sums, palette) >> 4;
    return indexWord;
}
