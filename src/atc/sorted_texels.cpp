// The texels in luminance order with running totals, and the full search's
// candidates as splits of that order.
#include <algorithm>

#include "atc_search.h"

void sortTexels(const ColourBlock& texels, SortedTexels* sorted) {
    // Luminance above, place in the block below: distinct keys that sort
    // by luminance.
    uint32_t keys[16];
    sorted->squares = 0;
    for (int t = 0; t < 16; ++t) {
        keys[t] = static_cast<uint32_t>(luminance(texelAt(texels, t))) << 4 | t;
        for (int k = 0; k < 3; ++k) {
            sorted->squares += texels.texel[t][k] * texels.texel[t][k];
        }
    }
    std::sort(keys, keys + 16);
    for (int k = 0; k < 3; ++k) {
        sorted->sum[k][0] = 0;
    }
    sorted->ones[0] = 0;
    for (int p = 0; p < 16; ++p) {
        const uint32_t t = keys[p] & 15;
        for (int k = 0; k < 3; ++k) {
            sorted->sum[k][p + 1] = sorted->sum[k][p] + texels.texel[t][k];
        }
        sorted->ones[p + 1] = sorted->ones[p] + (1u << (2 * t));
    }
    sorted->runStart[0] = 0;
    for (int p = 1; p < 16; ++p) {
        sorted->runStart[p] =
            (keys[p] >> 4) == (keys[p - 1] >> 4) ? sorted->runStart[p - 1] : static_cast<uint8_t>(p);
    }
    sorted->runEnd[15] = 16;
    for (int p = 14; p >= 0; --p) {
        sorted->runEnd[p] =
            (keys[p] >> 4) == (keys[p + 1] >> 4) ? sorted->runEnd[p + 1] : static_cast<uint8_t>(p + 1);
    }
}

// Candidate (c, i) has the thresholds lo = S[i], mid = S[(c + i) >> 1] and
// hi = S[c] of the sorted luminances S. Class 3 takes every luminance >= hi,
// which in sorted order is everything from the start of hi's run; class 0
// everything up to the end of lo's run, class 1 up to the end of mid's run,
// each cut off where class 3 begins. Two candidates with the same split have
// the same index word and so the same error, and an equal error never
// replaces the best: only a split's first appearance is listed. The search
// lowers c, and with it the start of class 3, monotonically, so splits seen
// under an earlier start of class 3 can never come again.
void listSplits(const SortedTexels& sorted, SplitList* list) {
    list->size = 0;
    uint64_t seen[5] = {};  // bit 17 x p1 + p2, for the current start of class 3
    int currentStart = -1;
    for (int c = 15; c >= 1; --c) {
        const int p3 = sorted.runStart[c];
        if (p3 != currentStart) {
            currentStart = p3;
            std::fill(seen, seen + 5, 0);
        }
        for (int i = 0; i < c; ++i) {
            const int p1 = std::min<int>(sorted.runEnd[i], p3);
            const int p2 = std::min<int>(sorted.runEnd[(c + i) >> 1], p3);
            const int key = 17 * p1 + p2;
            const uint64_t bit = uint64_t{1} << (key & 63);
            if ((seen[key >> 6] & bit) != 0) {
                continue;
            }
            seen[key >> 6] |= bit;
            list->split[list->size++] = {static_cast<uint8_t>(p1), static_cast<uint8_t>(p2),
                                         static_cast<uint8_t>(p3)};
        }
    }
}

ClassSums splitSums(const SortedTexels& sorted, const Split& split) {
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
uint32_t splitIndexWord(const SortedTexels& sorted, const Split& split) {
    const uint32_t all = sorted.ones[16];
    return (all - sorted.ones[split.p1]) + (all - sorted.ones[split.p2]) +
           (all - sorted.ones[split.p3]);
}
