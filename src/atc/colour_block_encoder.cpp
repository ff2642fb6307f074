// The full search for a colour block: every pair of sorted luminances as
// the outer thresholds of a four-way split, the least squared error wins.
#include <algorithm>

#include "atc_internal.h"

namespace {

constexpr int32_t kWorstBlockError = 16 * 255 * 255;

struct Candidate {
    uint32_t indexWord;
    Clusters clusters;
    int mode;
};

}  // namespace

uint32_t encodeColourBlock(const ColourBlock& texels, uint32_t format, uint16_t* colour0,
                           uint16_t* colour1) {
    int luma[16];
    for (int t = 0; t < 16; ++t) {
        luma[t] = luminance(texelAt(texels, t));
    }
    int sorted[16];
    std::copy(luma, luma + 16, sorted);
    std::sort(sorted, sorted + 16);

    int32_t bestError = kWorstBlockError;
    Candidate best{0, Clusters{}, 0};
    for (int c = 15; c >= 1; --c) {
        for (int i = 0; i < c; ++i) {
            Candidate candidate{};
            candidate.indexWord = assignIndices(luma, sorted[i], sorted[(c + i) >> 1], sorted[c]);
            candidate.clusters = clusterMeans(texels, candidate.indexWord);
            candidate.mode = chooseBlackMode(&candidate.indexWord, &candidate.clusters);
            ColourCodes codes = encodeColourCodes(
                colourSources(candidate.clusters, candidate.mode, format), candidate.mode, format);
            int32_t error =
                blockError(texels, candidate.indexWord, codes.colour0, codes.colour1, format);
            if (error < bestError) {
                bestError = error;
                best = candidate;
            }
        }
    }

    Candidate kept = best;
    if (refineIndices(texels, &kept.indexWord, colourSources(best.clusters, best.mode, format),
                      best.mode, format, RefineRule::Exhaustive)) {
        kept.clusters = clusterMeans(texels, kept.indexWord);
        kept.mode = chooseBlackMode(&kept.indexWord, &kept.clusters);
        if (kept.mode != best.mode) {
            kept = best;
        }
    }
    ColourCodes codes =
        encodeColourCodes(colourSources(kept.clusters, kept.mode, format), kept.mode, format);
    *colour0 = codes.colour0;
    *colour1 = codes.colour1;
    return kept.indexWord;
}
