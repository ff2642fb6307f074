// The fast ETC1 table search, compiled once per Highway target by the files
// that include it (per-target include guard below).
//
// How the results stay identical to SearchSubblockTable, bit for bit:
// - Each vector lane is one pixel of the sub-block and performs exactly the
//   scalar sequence of the reference: the channel differences and their
//   squares in 32-bit integers (exact); red as the double product of 0.299
//   and the converted square; green and blue as single-precision products of
//   0.587f and 0.114f with the converted square (exact conversions, each
//   product rounded once to float); then (red + green) + blue in double
//   precision, rounded once to float. Every step is one IEEE operation in
//   round-to-nearest: nothing is fused (no MulAdd; the build has
//   -ffp-contract=off), reassociated or approximated, and lanes never mix.
// - A pixel's column is the first one with the smallest error: a later
//   column replaces it only when strictly smaller, as in the reference.
// - A codeword's error is summed in float over the pixels in sub-block
//   order, one scalar addition at a time, starting from the first pixel's
//   error (the reference's 0.0f + e0 is exactly e0).
// - A codeword is evaluated unless a lower bound on its error (Bounds)
//   proves that it can neither beat the best error found so far nor tie it
//   from a lower codeword. The winner is the codeword with the smallest
//   error and the lowest codeword among equal errors: exactly what the
//   reference's strict less-than scan from 0 to 7 keeps.
#if defined(VOSTREL_ETC1_SEARCH_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef VOSTREL_ETC1_SEARCH_INL_H_
#undef VOSTREL_ETC1_SEARCH_INL_H_
#else
#define VOSTREL_ETC1_SEARCH_INL_H_
#endif

#include <algorithm>

#include "etc1_fast_search.h"
#include "etc1_lane_minimum-inl.h"
#include "etc1_search_tables.h"
#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace etc1_fast {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Per column, channel and codeword, the candidate colour base + modifier
// clamped to 0..255; per column and codeword its integer luma.
struct Candidates {
    HWY_ALIGN int32_t colour[4][3][8];
    HWY_ALIGN int32_t luma[4][8];
};

HWY_INLINE void ClampCandidates(const uint8_t base[3], Candidates* candidates) {
    const hn::CappedTag<int32_t, 8> d;
    const auto zero = hn::Zero(d);
    const auto top = hn::Set(d, 255);
    const auto red = hn::Set(d, base[0]);
    const auto green = hn::Set(d, base[1]);
    const auto blue = hn::Set(d, base[2]);
    for (size_t t = 0; t < 8; t += hn::Lanes(d)) {
        for (int column = 0; column < 4; ++column) {
            const auto modifier = hn::Load(d, kSearchTables.modifier[column] + t);
            const auto r = hn::Min(hn::Max(hn::Add(red, modifier), zero), top);
            const auto g = hn::Min(hn::Max(hn::Add(green, modifier), zero), top);
            const auto b = hn::Min(hn::Max(hn::Add(blue, modifier), zero), top);
            hn::Store(r, d, candidates->colour[column][0] + t);
            hn::Store(g, d, candidates->colour[column][1] + t);
            hn::Store(b, d, candidates->colour[column][2] + t);
            const auto luma = hn::Add(hn::Add(hn::Mul(r, hn::Set(d, 299)), hn::Mul(g, hn::Set(d, 587))),
                                      hn::Mul(b, hn::Set(d, 114)));
            hn::Store(luma, d, candidates->luma[column] + t);
        }
    }
}

// The sum over the pixels of 10^6 times the chroma part of the error of a
// candidate base + m that no channel clamps: with d_c = base_c + m - p_c
// and a = (299, 587, 114), whose sum is 1000, Lagrange's identity gives
// 1000 sum a_c d_c^2 = (sum a_c d_c)^2 + sum over channel pairs of
// a_c a_c' (d_c - d_c')^2, and d_c - d_c' does not depend on m. Every term
// is an integer below 2^40 and the sum below 2^53: exact in double.
HWY_INLINE double ChromaSum(const Etc1SubblockLanes& pixels, const uint8_t base[3]) {
    const hn::CappedTag<double, 8> dd;
    const hn::Rebind<int32_t, decltype(dd)> di;
    auto sum = hn::Zero(dd);
    for (size_t i = 0; i < 8; i += hn::Lanes(dd)) {
        const auto dr = hn::Sub(hn::Set(di, base[0]), hn::LoadU(di, pixels.plane[0] + i));
        const auto dg = hn::Sub(hn::Set(di, base[1]), hn::LoadU(di, pixels.plane[1] + i));
        const auto db = hn::Sub(hn::Set(di, base[2]), hn::LoadU(di, pixels.plane[2] + i));
        const auto rg = hn::Sub(dr, dg);
        const auto rb = hn::Sub(dr, db);
        const auto gb = hn::Sub(dg, db);
        sum = hn::Add(sum, hn::Mul(hn::Set(dd, 175513.0), hn::PromoteTo(dd, hn::Mul(rg, rg))));
        sum = hn::Add(sum, hn::Mul(hn::Set(dd, 34086.0), hn::PromoteTo(dd, hn::Mul(rb, rb))));
        sum = hn::Add(sum, hn::Mul(hn::Set(dd, 66918.0), hn::PromoteTo(dd, hn::Mul(gb, gb))));
    }
    return hn::GetLane(hn::SumOfLanes(dd, sum));
}

// Per codeword (lanes being codewords), a lower bound on its float error.
//
// For a pixel p and a candidate colour q with channel differences d_c, the
// reference's float error is at least E (1 - 2^-22), E the exact value of
// sum w_c d_c^2 with the weights as stored (0.299 in double, 0.587f,
// 0.114f; each at least 299/1000, 587/1000 and 114/1000 less a relative
// 2^-53): the two float products, the two double additions and the final
// rounding each lose at most a relative 2^-24 or 2^-53 of a sum of
// non-negative terms. By Lagrange's identity (ChromaSum), E is at least
// (1 - 2^-53) ((Y(q) - Y(p))^2 + C) / 10^6 with Y the integer luma and C
// the pairwise chroma term, which is at least 0 for any candidate and the
// pixel's ChromaSum term when no channel of the codeword's candidates
// clamps. The float sum of a codeword's 8 pixel minima loses at most a
// relative 2^-21 more, so its error is at least
// 10^-6 (1 - 2^-20) (sum_p D_p^2 + chroma), D_p the smallest |Y(q) - Y(p)|
// over the codeword's four candidates and chroma the ChromaSum or 0. Below,
// D_p is exact in float; the squares, the sums and the conversion of the
// chroma sum round up by at most a relative 2^-20 in all, and the scale
// 0.999e-6f and the last product keep the result below the bound.
HWY_INLINE void Bounds(const Etc1SubblockLanes& pixels, const uint8_t base[3], const Candidates& candidates,
                       float bound[8]) {
    const hn::CappedTag<int32_t, 8> di;
    const hn::Rebind<float, decltype(di)> df;
    // The largest modifier magnitude no channel of the base clamps with.
    const int32_t room = std::min({static_cast<int32_t>(base[0]), static_cast<int32_t>(base[1]),
                                   static_cast<int32_t>(base[2]), 255 - static_cast<int32_t>(base[0]),
                                   255 - static_cast<int32_t>(base[1]), 255 - static_cast<int32_t>(base[2])});
    const auto chroma = hn::Set(df, static_cast<float>(ChromaSum(pixels, base)));
    for (size_t t = 0; t < 8; t += hn::Lanes(di)) {
        const auto y0 = hn::Load(di, candidates.luma[0] + t);
        const auto y1 = hn::Load(di, candidates.luma[1] + t);
        const auto y2 = hn::Load(di, candidates.luma[2] + t);
        const auto y3 = hn::Load(di, candidates.luma[3] + t);
        // Two partial sums shorten the chain of additions; the bound holds
        // for any order of them.
        auto sum = hn::Zero(df);
        auto other = hn::Zero(df);
        for (int i = 0; i < 8; i += 2) {
            const auto y = hn::Set(di, pixels.plane[3][i]);
            const auto nearest = hn::Min(hn::Min(hn::Abs(hn::Sub(y0, y)), hn::Abs(hn::Sub(y1, y))),
                                         hn::Min(hn::Abs(hn::Sub(y2, y)), hn::Abs(hn::Sub(y3, y))));
            const auto distance = hn::ConvertTo(df, nearest);
            sum = hn::Add(sum, hn::Mul(distance, distance));
            const auto y_ = hn::Set(di, pixels.plane[3][i + 1]);
            const auto nearest_ = hn::Min(hn::Min(hn::Abs(hn::Sub(y0, y_)), hn::Abs(hn::Sub(y1, y_))),
                                          hn::Min(hn::Abs(hn::Sub(y2, y_)), hn::Abs(hn::Sub(y3, y_))));
            const auto distance_ = hn::ConvertTo(df, nearest_);
            other = hn::Add(other, hn::Mul(distance_, distance_));
        }
        sum = hn::Add(sum, other);
        const auto unclamped =
            hn::RebindMask(df, hn::Lt(hn::Load(di, kSearchTables.modifier[3] + t), hn::Set(di, room + 1)));
        sum = hn::Add(sum, hn::IfThenElseZero(unclamped, chroma));
        hn::Store(hn::Mul(sum, hn::Set(df, kBoundScale)), df, bound + t);
    }
}

// The reference's float error of one candidate per lane, from the channel
// differences.
template <class DD, class VI>
HWY_INLINE hn::VFromD<hn::Rebind<float, DD>> CandidateErrors(DD dd, VI red, VI green, VI blue) {
    const hn::Rebind<float, DD> df;
    const auto redTerm = hn::Mul(hn::Set(dd, 0.299), hn::PromoteTo(dd, hn::Mul(red, red)));
    const auto greenTerm = hn::Mul(hn::Set(df, 0.587f), hn::ConvertTo(df, hn::Mul(green, green)));
    const auto blueTerm = hn::Mul(hn::Set(df, 0.114f), hn::ConvertTo(df, hn::Mul(blue, blue)));
    return hn::DemoteTo(df, hn::Add(hn::Add(redTerm, hn::PromoteTo(dd, greenTerm)), hn::PromoteTo(dd, blueTerm)));
}

// Codeword t's float error over the sub-block, and each pixel's column.
HWY_INLINE float CodewordError(const Etc1SubblockLanes& pixels, const Candidates& candidates, uint32_t t,
                               int32_t column[8]) {
    const hn::CappedTag<double, 8> dd;
    const hn::Rebind<float, decltype(dd)> df;
    const hn::Rebind<int32_t, decltype(dd)> di;
    HWY_ALIGN float error[8];
    for (size_t i = 0; i < 8; i += hn::Lanes(dd)) {
        const auto red = hn::LoadU(di, pixels.plane[0] + i);
        const auto green = hn::LoadU(di, pixels.plane[1] + i);
        const auto blue = hn::LoadU(di, pixels.plane[2] + i);
        auto best = CandidateErrors(dd, hn::Sub(hn::Set(di, candidates.colour[0][0][t]), red),
                                    hn::Sub(hn::Set(di, candidates.colour[0][1][t]), green),
                                    hn::Sub(hn::Set(di, candidates.colour[0][2][t]), blue));
        auto bestColumn = hn::Zero(di);
        for (int c = 1; c < 4; ++c) {
            const auto candidate = CandidateErrors(dd, hn::Sub(hn::Set(di, candidates.colour[c][0][t]), red),
                                                   hn::Sub(hn::Set(di, candidates.colour[c][1][t]), green),
                                                   hn::Sub(hn::Set(di, candidates.colour[c][2][t]), blue));
            const auto better = hn::Lt(candidate, best);
            best = hn::IfThenElse(better, candidate, best);
            bestColumn = hn::IfThenElse(hn::RebindMask(di, better), hn::Set(di, c), bestColumn);
        }
        hn::Store(best, df, error + i);
        hn::Store(bestColumn, di, column + i);
    }
    float sum = error[0];
    for (int k = 1; k < 8; ++k) {
        sum += error[k];
    }
    return sum;
}

// The codewords still open: those whose bound is below the best error, or
// equal to it and lower than the best codeword.
HWY_INLINE uint32_t OpenCodewords(const float bound[8], float best, uint32_t bestCodeword) {
    const hn::CappedTag<float, 8> d;
    uint32_t below = 0;
    uint32_t equal = 0;
    for (size_t t = 0; t < 8; t += hn::Lanes(d)) {
        const auto lanes = hn::Load(d, bound + t);
        uint8_t bits[8] = {};
        hn::StoreMaskBits(d, hn::Lt(lanes, hn::Set(d, best)), bits);
        below |= static_cast<uint32_t>(bits[0]) << t;
        hn::StoreMaskBits(d, hn::Eq(lanes, hn::Set(d, best)), bits);
        equal |= static_cast<uint32_t>(bits[0]) << t;
    }
    return below | (equal & ((1u << bestCodeword) - 1));
}

// One search in three steps, so that the searches of a block can be run
// step by step side by side: each step of one search is independent of the
// others' and their long dependency chains overlap.
struct Search {
    Etc1SubblockLanes pixels;
    const uint8_t* base;
    Etc1FastChoice* choice;
    Candidates candidates;
    HWY_ALIGN float bound[8];
    float best;
    uint32_t first;
};

HWY_INLINE void PrepareSearch(Search* search) {
    ClampCandidates(search->base, &search->candidates);
    Bounds(search->pixels, search->base, search->candidates, search->bound);
    // The codeword with the lowest bound first: it is the most likely
    // winner, and the bounds of few others stay below its error.
    search->first = FirstMinimum(hn::Rebind<float, hn::CappedTag<int32_t, 8>>(), search->bound);
}

HWY_INLINE void EvaluateFirst(Search* search) {
    search->best = CodewordError(search->pixels, search->candidates, search->first, search->choice->column);
}

HWY_INLINE void FinishSearch(Search* search) {
    HWY_ALIGN int32_t column[8];
    float best = search->best;
    uint32_t bestCodeword = search->first;
    uint32_t pending = 0xFFu & ~(1u << bestCodeword);
    for (;;) {
        const uint32_t open = OpenCodewords(search->bound, best, bestCodeword) & pending;
        if (open == 0) {
            break;
        }
        const uint32_t t = static_cast<uint32_t>(__builtin_ctz(open));
        pending &= ~(1u << t);
        const float error = CodewordError(search->pixels, search->candidates, t, column);
        if (error < best || (error == best && t < bestCodeword)) {
            best = error;
            bestCodeword = t;
            std::copy(column, column + 8, search->choice->column);
        }
    }
    search->choice->codeword = bestCodeword;
    search->choice->error = static_cast<int32_t>(best);
}

HWY_INLINE void SearchSubblock(const Etc1SubblockLanes& pixels, const uint8_t base[3], Etc1FastChoice* choice) {
    Search search;
    search.pixels = pixels;
    search.base = base;
    search.choice = choice;
    PrepareSearch(&search);
    EvaluateFirst(&search);
    FinishSearch(&search);
}

// NOLINTNEXTLINE(google-readability-namespace-comments)
}  // namespace HWY_NAMESPACE
}  // namespace etc1_fast
HWY_AFTER_NAMESPACE();

#endif  // VOSTREL_ETC1_SEARCH_INL_H_
