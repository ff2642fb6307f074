// The texels in luminance order with running totals, and the full search's
// candidates as splits of that order.
#include <algorithm>

#include "atc_search.h"
#include "candidate_order.h"

void SortTexels(const TexelPlanes& planes, SortedTexels* sorted) {
    uint32_t keys[16];
    LuminanceOrder(planes, keys, sorted->runStart, sorted->runEnd, &sorted->squares);
    for (int k = 0; k < 3; ++k) {
        sorted->sum[k][0] = 0;
    }
    sorted->ones[0] = 0;
    for (int p = 0; p < 16; ++p) {
        const uint32_t t = keys[p] & 15;
        for (int k = 0; k < 3; ++k) {
            sorted->sum[k][p + 1] = sorted->sum[k][p] + planes.ch[k][t];
        }
        sorted->ones[p + 1] = sorted->ones[p] + (1u << (2 * t));
    }
}

// Candidate n has the thresholds lo = S[lo], mid = S[mid] and hi = S[hi] of
// the sorted luminances S. Class 3 takes every luminance >= S[hi], which in
// sorted order is everything from the start of hi's run; class 0 everything
// up to the end of lo's run, class 1 up to the end of mid's run, each cut
// off where class 3 begins.
Split CandidateSplit(const SortedTexels& sorted, int n) {
    const int p3 = sorted.runStart[kCandidateOrder.hi[n]];
    return {std::min(sorted.runEnd[kCandidateOrder.lo[n]], p3),
            std::min(sorted.runEnd[kCandidateOrder.mid[n]], p3), p3};
}

ClassSums SplitSums(const SortedTexels& sorted, const Split& split) {
    const int bounds[5] = {0, split.p1, split.p2, split.p3, 16};
    ClassSums sums{};
    for (int index = 0; index < 4; ++index) {
        sums.count[index] = bounds[index + 1] - bounds[index];
        for (int k = 0; k < 3; ++k) {
            sums.sum[index][k] = sorted.sum[k][bounds[index + 1]] - sorted.sum[k][bounds[index]];
        }
    }
    return sums;
}

// A texel's class is the number of the bounds p1, p2, p3 at or below its
// position; each bound adds 1 to the 2-bit field of every texel from there on.
uint32_t SplitIndexWord(const SortedTexels& sorted, const Split& split) {
    const uint32_t all = sorted.ones[16];
    return (all - sorted.ones[split.p1]) + (all - sorted.ones[split.p2]) +
           (all - sorted.ones[split.p3]);
}
