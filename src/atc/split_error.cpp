// One candidate's error from its split, exactly as the texel-by-texel
// search evaluates it: class means, black-mode test and takeover, quantised
// colours and their palette, squared error.
#include "atc_search.h"

int32_t SplitError(const SortedTexels& sorted, const Split& split, uint32_t format) {
    ClassSums sums = SplitSums(sorted, split);
    Clusters clusters = MeansOf(sums);
    int mode = 0;
    if (BlackModeWanted(clusters)) {
        mode = 1;
        MoveFirstSumsIntoSecond(&sums);
        clusters = MeansOf(sums);
    }
    const ColourPalette palette =
        SourcePalette(ChooseColourSources(clusters, mode, format), mode, format);
    return PaletteError(sorted.squares, sums, palette);
}
