// The full search for a colour block in its plainest form: every pair of
// sorted luminances as the outer thresholds of a four-way split, each
// candidate evaluated texel by texel, the least squared error wins. The
// fast search in colour_block_encoder.cpp must give the same block for
// every input; this one stays as its yardstick.
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

uint32_t EncodeColourBlockReference(const ColourBlock& texels, uint32_t format, uint16_t* colour0,
                                    uint16_t* colour1) {
    int luma[16];
    for (int t = 0; t < 16; ++t) {
        luma[t] = Luminance(TexelAt(texels, t));
    }
    int sorted[16];
    std::copy(luma, luma + 16, sorted);
    std::sort(sorted, sorted + 16);

    int32_t bestError = kWorstBlockError;
    Candidate best{0, Clusters{}, 0};
    // A candidate whose thresholds equal the previous one's repeats its
    // index word and error, and an equal error never replaces the best.
    int previous[3] = {-1, -1, -1};
    for (int c = 15; c >= 1; --c) {
        for (int i = 0; i < c; ++i) {
            const int lo = sorted[i];
            const int mid = sorted[(c + i) >> 1];
            const int hi = sorted[c];
            if (lo == previous[0] && mid == previous[1] && hi == previous[2]) {
                continue;
            }
            previous[0] = lo;
            previous[1] = mid;
            previous[2] = hi;
            Candidate candidate{};
            candidate.indexWord = AssignIndices(luma, lo, mid, hi);
            candidate.clusters = ClusterMeans(texels, candidate.indexWord);
            candidate.mode = ChooseBlackMode(&candidate.indexWord, &candidate.clusters);
            ColourCodes codes =
                EncodeColourCodes(ChooseColourSources(candidate.clusters, candidate.mode, format),
                                  candidate.mode, format);
            int32_t error =
                BlockError(texels, candidate.indexWord, codes.colour0, codes.colour1, format);
            if (error < bestError) {
                bestError = error;
                best = candidate;
            }
        }
    }

    Candidate kept = best;
    if (RefineIndices(texels, &kept.indexWord,
                      ChooseColourSources(best.clusters, best.mode, format), best.mode, format,
                      RefineRule::Exhaustive)) {
        kept.clusters = ClusterMeans(texels, kept.indexWord);
        kept.mode = ChooseBlackMode(&kept.indexWord, &kept.clusters);
        if (kept.mode != best.mode) {
            kept = best;
        }
    }
    ColourCodes codes =
        EncodeColourCodes(ChooseColourSources(kept.clusters, kept.mode, format), kept.mode, format);
    *colour0 = codes.colour0;
    *colour1 = codes.colour1;
    return kept.indexWord;
}
