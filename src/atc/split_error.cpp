// One candidate's error from its split, exactly as the texel-by-texel
// search evaluates it: class means, black-mode test and takeover, quantised
// colours and their palette, squared error.
#include "atc_search.h"

int32_t splitError(const SortedTexels& sorted, const Split& split, uint32_t format) {
    ClassSums sums = splitSums(sorted, split);
    Clusters clusters = meansOf(sums);
    int mode = 0;
    if (blackModeWanted(clusters)) {
        mode = 1;
        moveFirstSumsIntoSecond(&sums);
        clusters = meansOf(sums);
    }
    const ColourPalette palette =
        sourcePalette(colourSources(clusters, mode, format), mode, format);
    return paletteError(sorted.squares, sums, palette);
}
