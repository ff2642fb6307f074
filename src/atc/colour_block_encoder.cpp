// The full search for a colour block, the quick way: the same candidates in
// the same order as colour_block_encoder_reference.cpp, each evaluated from
// running totals over the luminance order instead of texel by texel.
#include "atc_search.h"

namespace {

constexpr int32_t kWorstBlockError = 16 * 255 * 255;

struct Candidate {
    uint32_t indexWord;
    Clusters clusters;
    int mode;
};

// The squared error that the texel-by-texel search finds for this split:
// class means, black-mode test and takeover, quantised colours, palette.
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

}  // namespace

uint32_t encodeColourBlock(const ColourBlock& texels, uint32_t format, uint16_t* colour0,
                           uint16_t* colour1) {
    SortedTexels sorted;
    sortTexels(texels, &sorted);
    SplitList list;
    listSplits(sorted, &list);

    int32_t bestError = kWorstBlockError;
    int bestSplit = -1;
    for (int n = 0; n < list.size; ++n) {
        const int32_t error = splitError(sorted, list.split[n], format);
        if (error < bestError) {
            bestError = error;
            bestSplit = n;
        }
    }

    Candidate best{0, Clusters{}, 0};
    if (bestSplit >= 0) {
        const Split& split = list.split[bestSplit];
        best.indexWord = splitIndexWord(sorted, split);
        best.clusters = meansOf(splitSums(sorted, split));
        best.mode = chooseBlackMode(&best.indexWord, &best.clusters);
    }

    Candidate kept = best;
    const ColourPalette palette =
        sourcePalette(colourSources(best.clusters, best.mode, format), best.mode, format);
    if (refineWithPalette(texels, &kept.indexWord, palette, best.mode, RefineRule::Exhaustive)) {
        kept.clusters = meansOf(classSums(texels, kept.indexWord));
        kept.mode = chooseBlackMode(&kept.indexWord, &kept.clusters);
        if (kept.mode != best.mode) {
            kept = best;
        }
    }
    const ColourCodes codes =
        quickCodes(colourSources(kept.clusters, kept.mode, format), kept.mode, format);
    *colour0 = codes.colour0;
    *colour1 = codes.colour1;
    return kept.indexWord;
}
