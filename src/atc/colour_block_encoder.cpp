// The full search for a colour block, the fast way: the same candidates in
// the same order as colour_block_encoder_reference.cpp, evaluated from
// running totals over the luminance order, most of them in vector lanes.
#include "atc_search.h"
#include "candidate_order.h"

namespace {

constexpr int32_t kWorstBlockError = 16 * 255 * 255;

struct Candidate {
    uint32_t indexWord;
    Clusters clusters;
    int mode;
};

// Splits already evaluated one by one, for the current start of class 3.
// The search lowers hi, and with it the start of class 3, monotonically, so
// a split seen under an earlier start can never come again.
class SeenSplits {
  public:
    // True when the split came before; marks it otherwise.
    bool Check(const Split& split) {
        if (split.p3 != m_start) {
            m_start = split.p3;
            for (uint64_t& word : m_seen) {
                word = 0;
            }
        }
        const int key = 17 * split.p1 + split.p2;
        const uint64_t bit = uint64_t{1} << (key & 63);
        const bool seen = (m_seen[key >> 6] & bit) != 0;
        m_seen[key >> 6] |= bit;
        return seen;
    }

  private:
    int m_start = -1;
    uint64_t m_seen[5] = {};  // bit 17 x p1 + p2
};

}  // namespace

uint32_t EncodeColourBlock(const ColourBlock& texels, uint32_t format, uint16_t* colour0,
                           uint16_t* colour1) {
    TexelPlanes planes;
    MakeTexelPlanes(texels, &planes);
    SortedTexels sorted;
    SortTexels(planes, &sorted);
    alignas(64) int32_t errors[kPaddedCandidates];
    const LaneSearch lanes = SplitErrors(sorted, format, errors);

    int bestCandidate = -1;
    if (lanes.pending == 0) {
        if (lanes.first >= 0 && errors[lanes.first] < kWorstBlockError) {
            bestCandidate = lanes.first;
        }
    } else {
        // Two candidates with the same split have the same index word and so
        // the same error, and an equal error never replaces the best: a
        // repeated split left to the scalar code needs no second look.
        SeenSplits seen;
        int32_t bestError = kWorstBlockError;
        for (int n = 0; n < kCandidates; ++n) {
            int32_t error = errors[n];
            if (error < 0) {
                const Split split = CandidateSplit(sorted, n);
                if (seen.Check(split)) {
                    continue;
                }
                error = SplitError(sorted, split, format);
            }
            if (error < bestError) {
                bestError = error;
                bestCandidate = n;
            }
        }
    }

    Candidate best{0, Clusters{}, 0};
    if (bestCandidate >= 0) {
        const Split split = CandidateSplit(sorted, bestCandidate);
        best.indexWord = SplitIndexWord(sorted, split);
        best.clusters = MeansOf(SplitSums(sorted, split));
        best.mode = ChooseBlackMode(&best.indexWord, &best.clusters);
    }

    Candidate kept = best;
    const ColourPalette palette =
        SourcePalette(ChooseColourSources(best.clusters, best.mode, format), best.mode, format);
    if (RefineWithPalette(planes, &kept.indexWord, palette, best.mode, RefineRule::Exhaustive)) {
        kept.clusters = MeansOf(SumClasses(planes, kept.indexWord));
        kept.mode = ChooseBlackMode(&kept.indexWord, &kept.clusters);
        if (kept.mode != best.mode) {
            kept = best;
        }
    }
    const ColourCodes codes =
        CodesFromTables(ChooseColourSources(kept.clusters, kept.mode, format), kept.mode, format);
    *colour0 = codes.colour0;
    *colour1 = codes.colour1;
    return kept.indexWord;
}
