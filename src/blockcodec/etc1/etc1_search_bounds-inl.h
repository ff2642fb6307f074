// The candidate colours of an ETC1 sub-block search and the lower bounds on
// its codewords' errors that let the search skip codewords, compiled once
// per Highway target by the files that include it.
#if defined(VOSTREL_ETC1_SEARCH_BOUNDS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef VOSTREL_ETC1_SEARCH_BOUNDS_INL_H_
#undef VOSTREL_ETC1_SEARCH_BOUNDS_INL_H_
#else
#define VOSTREL_ETC1_SEARCH_BOUNDS_INL_H_
#endif

#include <algorithm>
#include <cstring>

#include "etc1_fast_search.h"
#include "etc1_search_tables.h"
#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace etc1_fast {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Per column, channel and codeword, the candidate colour base + modifier
// clamped to 0..255, and per column and codeword its coarse luma. Vector
// targets hold each codeword's values twice (lanes 2t and 2t + 1), so that
// bounds take two pixels at a time; the scalar target holds them once.
#if HWY_TARGET == HWY_SCALAR
constexpr int kCandidateLanes = 8;
#else
constexpr int kCandidateLanes = 16;
#endif
struct Candidates {
    HWY_ALIGN int16_t colour[4][3][kCandidateLanes];
    HWY_ALIGN int16_t luma[4][kCandidateLanes];
};

// The coarse lumas of the candidates in r, g and b.
template <class D, class V>
HWY_INLINE V CoarseLumas(D d, V r, V g, V b) {
#if HWY_TARGET == HWY_SCALAR
    return hn::Add(
        hn::Add(hn::Mul(r, hn::Set(d, kLumaWeight[0])), hn::Mul(g, hn::Set(d, kLumaWeight[1]))),
        hn::Mul(b, hn::Set(d, kLumaWeight[2])));
#else
    // Each codeword's value sits in lanes 2t and 2t + 1: red in the even lane
    // and green in the odd one times (38, 75), and blue times (14, 0), added
    // pairwise into 32-bit lanes, give the luma, copied back into both
    // halves.
    const hn::Repartition<int32_t, D> d32;
    auto odd = hn::Zero(d32);
    auto even = hn::ReorderWidenMulAccumulate(
        d32, hn::OddEven(g, r), hn::Load(d, kSearchTables.redGreenWeights), hn::Zero(d32), odd);
    even = hn::ReorderWidenMulAccumulate(d32, b, hn::Load(d, kSearchTables.blueWeights), even, odd);
    const auto luma = hn::RearrangeToOddPlusEven(even, odd);
    return hn::BitCast(d, hn::Or(luma, hn::ShiftLeft<16>(luma)));
#endif
}

HWY_INLINE void ClampCandidates(const uint8_t base[3], Candidates* candidates) {
    const hn::CappedTag<int16_t, kCandidateLanes> d;
    const auto zero = hn::Zero(d);
    const auto top = hn::Set(d, 255);
    const auto red = hn::Set(d, base[0]);
    const auto green = hn::Set(d, base[1]);
    const auto blue = hn::Set(d, base[2]);
    for (size_t t = 0; t < kCandidateLanes; t += hn::Lanes(d)) {
        for (int column = 0; column < 4; ++column) {
#if HWY_TARGET == HWY_SCALAR
            const auto modifier =
                hn::Set(d, static_cast<int16_t>(kSearchTables.modifier[column][t]));
#else
            const auto modifier = hn::Load(d, kSearchTables.modifierPairs[column] + t);
#endif
            const auto r = hn::Min(hn::Max(hn::Add(red, modifier), zero), top);
            const auto g = hn::Min(hn::Max(hn::Add(green, modifier), zero), top);
            const auto b = hn::Min(hn::Max(hn::Add(blue, modifier), zero), top);
            hn::Store(r, d, candidates->colour[column][0] + t);
            hn::Store(g, d, candidates->colour[column][1] + t);
            hn::Store(b, d, candidates->colour[column][2] + t);
            hn::Store(CoarseLumas(d, r, g, b), d, candidates->luma[column] + t);
        }
    }
}

// Channel c of codeword t's candidate in column, in every lane of di.
template <class DI>
HWY_INLINE hn::VFromD<DI> CandidateChannel(DI di, const Candidates& candidates, int column, int c,
                                           uint32_t t) {
#if HWY_TARGET == HWY_SCALAR
    return hn::Set(di, candidates.colour[column][c][t]);
#else
    // Both halves of the 32 bits at lane 2t hold the value.
    int32_t twice;
    std::memcpy(&twice, candidates.colour[column][c] + 2 * t, sizeof twice);
    return hn::And(hn::Set(di, twice), hn::Set(di, 0xFFFF));
#endif
}

// The sum over the pixels of 128 x 127 times the chroma part of the coarse
// error of a candidate base + m that no channel clamps: with
// d_c = base_c + m - p_c and a the coarse luma weights, whose sum is 127,
// Lagrange's identity gives 127 sum a_c d_c^2 = (sum a_c d_c)^2 + the sum
// over channel pairs of a_c a_c' (d_c - d_c')^2, and d_c - d_c' does not
// depend on m. A pixel's term is an integer below 2^31; the conversions to
// float and the float sum round up by at most a relative 2^-21.
HWY_INLINE float ChromaSum(const Etc1SubblockLanes& pixels, const uint8_t base[3]) {
    const hn::CappedTag<int32_t, 8> di;
    const hn::Rebind<float, decltype(di)> df;
    auto sum = hn::Zero(df);
    for (size_t i = 0; i < 8; i += hn::Lanes(di)) {
        const auto dr = hn::Sub(hn::Set(di, base[0]), hn::LoadU(di, pixels.plane[0] + i));
        const auto dg = hn::Sub(hn::Set(di, base[1]), hn::LoadU(di, pixels.plane[1] + i));
        const auto db = hn::Sub(hn::Set(di, base[2]), hn::LoadU(di, pixels.plane[2] + i));
        const auto term = [&](int32_t weight, decltype(dr) difference) {
            return hn::Mul(hn::Mul(difference, difference), hn::Set(di, weight));
        };
        const auto chroma = hn::Add(hn::Add(term(kLumaWeight[0] * kLumaWeight[1], hn::Sub(dr, dg)),
                                            term(kLumaWeight[0] * kLumaWeight[2], hn::Sub(dr, db))),
                                    term(kLumaWeight[1] * kLumaWeight[2], hn::Sub(dg, db)));
        sum = hn::Add(sum, hn::ConvertTo(df, chroma));
    }
    return hn::GetLane(hn::SumOfLanes(df, sum));
}

// Per codeword, the sum over the pixels of the squared distance from the
// pixel's coarse luma to the nearest of the codeword's four candidates'
// (lanes being codewords t and up). The squares and the sums round up by at
// most a relative 2^-21 in all.
template <class DF>
HWY_INLINE hn::VFromD<DF> LumaDistances(DF df, const Etc1SubblockLanes& pixels,
                                        const Candidates& candidates, size_t t) {
#if HWY_TARGET == HWY_SCALAR
    const hn::Rebind<int32_t, DF> di;
    const hn::Rebind<int16_t, DF> d16;
    const auto candidate = [&](int column) {
        return hn::PromoteTo(di, hn::Load(d16, candidates.luma[column] + t));
    };
    const auto y0 = candidate(0);
    const auto y1 = candidate(1);
    const auto y2 = candidate(2);
    const auto y3 = candidate(3);
    auto sum = hn::Zero(df);
    for (int i = 0; i < 8; ++i) {
        const auto y = hn::Set(di, pixels.luma[i]);
        const auto nearest = hn::Min(hn::Min(hn::Abs(hn::Sub(y0, y)), hn::Abs(hn::Sub(y1, y))),
                                     hn::Min(hn::Abs(hn::Sub(y2, y)), hn::Abs(hn::Sub(y3, y))));
        const auto distance = hn::ConvertTo(df, nearest);
        sum = hn::Add(sum, hn::Mul(distance, distance));
    }
    return sum;
#else
    // Lanes 2t and 2t + 1 of d16 hold codeword t for two pixels; the
    // widening multiply adds their squares (each pair at most
    // 2 x 32385^2 < 2^31) into lane t of di.
    const hn::Rebind<int32_t, DF> di;
    const hn::Repartition<int16_t, decltype(di)> d16;
    const auto y0 = hn::Load(d16, candidates.luma[0] + 2 * t);
    const auto y1 = hn::Load(d16, candidates.luma[1] + 2 * t);
    const auto y2 = hn::Load(d16, candidates.luma[2] + 2 * t);
    const auto y3 = hn::Load(d16, candidates.luma[3] + 2 * t);
    auto sum = hn::Zero(df);
    auto other = hn::Zero(df);
    for (int i = 0; i < 8; i += 4) {
        int32_t pair[2];
        std::memcpy(pair, pixels.luma + i, sizeof pair);
        const auto squares = [&](int32_t twoLumas) {
            const auto y = hn::BitCast(d16, hn::Set(di, twoLumas));
            const auto nearest = hn::Min(hn::Min(hn::Abs(hn::Sub(y0, y)), hn::Abs(hn::Sub(y1, y))),
                                         hn::Min(hn::Abs(hn::Sub(y2, y)), hn::Abs(hn::Sub(y3, y))));
            auto odd = hn::Zero(di);
            const auto even =
                hn::ReorderWidenMulAccumulate(di, nearest, nearest, hn::Zero(di), odd);
            return hn::ConvertTo(df, hn::RearrangeToOddPlusEven(even, odd));
        };
        sum = hn::Add(sum, squares(pair[0]));
        other = hn::Add(other, squares(pair[1]));
    }
    return hn::Add(sum, other);
#endif
}

// Per codeword (lanes being codewords), a lower bound on its float error.
//
// For a pixel p and a candidate colour q with channel differences d_c, the
// reference's float error is at least E (1 - 2^-22), E the exact value of
// sum w_c d_c^2 with the weights as stored (0.299 in double, 0.587f,
// 0.114f): the two float products, the two double additions and the final
// rounding each lose at most a relative 2^-24 or 2^-53 of a sum of
// non-negative terms. Each weight is at least a_c / 128, a = (38, 75, 14)
// the coarse luma weights, so by Lagrange's identity (ChromaSum) E is at
// least ((Y(q) - Y(p))^2 + C) / (128 x 127), Y the coarse luma and C the
// pairwise chroma term, which is at least 0 for any candidate and the
// pixel's ChromaSum term when no channel of the codeword's candidates
// clamps. The float sum of a codeword's 8 pixel minima loses at most a
// relative 2^-21 more, so its error is at least
// (1 - 2^-20) (sum_p D_p^2 + chroma) / (128 x 127), D_p the smallest
// |Y(q) - Y(p)| over the codeword's four candidates and chroma the
// ChromaSum or 0. Below, the squares and sums of LumaDistances and of
// ChromaSum and the last sum round up by at most a relative 2^-19 in all,
// and the scale 0.999 / (128 x 127) in float and the last product keep the
// result below that bound.
HWY_INLINE void Bounds(const Etc1SubblockLanes& pixels, const uint8_t base[3],
                       const Candidates& candidates, float bound[8]) {
    const hn::CappedTag<int32_t, 8> di;
    const hn::Rebind<float, decltype(di)> df;
    // The largest modifier magnitude no channel of the base clamps with.
    const int32_t lowest = std::min(std::min(base[0], base[1]), base[2]);
    const int32_t highest = std::max(std::max(base[0], base[1]), base[2]);
    const int32_t room = std::min(lowest, 255 - highest);
    const auto chroma = hn::Set(df, ChromaSum(pixels, base));
    for (size_t t = 0; t < 8; t += hn::Lanes(di)) {
        auto sum = LumaDistances(df, pixels, candidates, t);
        const auto unclamped = hn::RebindMask(
            df, hn::Lt(hn::Load(di, kSearchTables.modifier[3] + t), hn::Set(di, room + 1)));
        sum = hn::Add(sum, hn::IfThenElseZero(unclamped, chroma));
        hn::Store(hn::Mul(sum, hn::Set(df, kBoundScale)), df, bound + t);
    }
}

// NOLINTNEXTLINE(google-readability-namespace-comments)
}  // namespace HWY_NAMESPACE
}  // namespace etc1_fast
HWY_AFTER_NAMESPACE();

#endif  // VOSTREL_ETC1_SEARCH_BOUNDS_INL_H_
