// The quick colour-block encoder, tuned: the same steps as
// colour_block_encoder_quick_reference.cpp, with the texel passes (quarter-
// point classes, the refinement's nearest entries) in vector lanes, class
// sums from packed texels, and the grade from the class sums instead of a
// decode of the block.
#include "atc_search.h"

uint32_t EncodeColourBlockQuick(const ColourBlock& texels, uint32_t format, uint16_t* colour0,
                                uint16_t* colour1, int32_t* grade) {
    TexelPlanes planes;
    MakeTexelPlanes(texels, &planes);
    int32_t squares = 0;
    uint32_t indexWord = QuarterPointWord(planes, &squares);
    ClassSums sums = SumClasses(planes, indexWord);
    Clusters clusters = MeansOf(sums);
    int mode = 0;
    if (clusters.count[3] != 16) {
        mode = ChooseBlackModeQuick(&indexWord, &clusters);
        const ColourPalette palette =
            SourcePalette(ChooseColourSources(clusters, mode, format), mode, format);
        if (RefineWithPalette(planes, &indexWord, palette, mode, RefineRule::Quick)) {
            sums = SumClasses(planes, indexWord);
            clusters = MeansOf(sums);
            mode = ChooseBlackModeQuick(&indexWord, &clusters);
        }
        // The sums still hold the classes as they were before the black-mode
        // test that gave this mode.
        if (mode != 0) {
            MoveFirstSumsIntoSecond(&sums);
        }
    }
    const ColourSources sources = ChooseColourSources(clusters, mode, format);
    const ColourCodes codes = CodesFromTables(sources, mode, format);
    *colour0 = codes.colour0;
    *colour1 = codes.colour1;
    const ColourPalette palette = SourcePalette(sources, mode, format);
    *grade = PaletteError(squares, sums, palette) >> 4;
    return indexWord;
}
