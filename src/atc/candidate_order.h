// The full search's candidates in its order: for hi = 15 down to 1 and lo = 0
// up to hi - 1, the thresholds are the sorted luminances S[lo], S[mid] with
// mid = (hi + lo) >> 1, and S[hi]. Padded to 128 entries (copies of the last
// candidate) so that vector code can run over whole vectors.
#pragma once

#include <cstdint>

constexpr int kCandidates = 120;
constexpr int kPaddedCandidates = 128;

struct CandidateOrder {
    alignas(64) int32_t hi[kPaddedCandidates];
    alignas(64) int32_t lo[kPaddedCandidates];
    alignas(64) int32_t mid[kPaddedCandidates];
};

constexpr CandidateOrder MakeCandidateOrder() {
    CandidateOrder order{};
    int n = 0;
    for (int hi = 15; hi >= 1; --hi) {
        for (int lo = 0; lo < hi; ++lo) {
            order.hi[n] = hi;
            order.lo[n] = lo;
            order.mid[n] = (hi + lo) >> 1;
            ++n;
        }
    }
    for (; n < kPaddedCandidates; ++n) {
        order.hi[n] = order.hi[kCandidates - 1];
        order.lo[n] = order.lo[kCandidates - 1];
        order.mid[n] = order.mid[kCandidates - 1];
    }
    return order;
}

inline constexpr CandidateOrder kCandidateOrder = MakeCandidateOrder();
