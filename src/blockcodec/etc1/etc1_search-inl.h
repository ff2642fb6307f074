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
//   Where a target holds fewer doubles than pixels in a vector, the double
//   steps run on each half of the lanes: the same operations, lane by lane.
// - A pixel's column is the first one with the smallest error: a later
//   column replaces it only when strictly smaller, as in the reference.
// - A codeword's error is summed in float over the pixels in sub-block
//   order, one scalar addition at a time, starting from the first pixel's
//   error (the reference's 0.0f + e0 is exactly e0).
// - Integer bounds and the coarse luma take other shapes (16-bit lanes,
//   pairwise widening multiplies); they only decide which codewords need
//   evaluating, never a value that is kept.
// - A codeword is evaluated unless a lower bound on its error (Bounds, in
//   etc1_search_bounds-inl.h)
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
#include "etc1_search_bounds-inl.h"
#include "etc1_search_tables.h"
#include "hwy/highway.h"
#include "vector_steps-inl.h"

HWY_BEFORE_NAMESPACE();
namespace etc1_fast {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// The reference's float error of one candidate per lane, from the channel
// differences.
template <class DI, class VI>
HWY_INLINE hn::VFromD<hn::Rebind<float, DI>> CandidateErrors(DI /* di */, VI red, VI green,
                                                             VI blue) {
    const hn::Rebind<float, DI> df;
    const auto redSquare = hn::Mul(red, red);
    const auto greenTerm = hn::Mul(hn::Set(df, 0.587f), hn::ConvertTo(df, hn::Mul(green, green)));
    const auto blueTerm = hn::Mul(hn::Set(df, 0.114f), hn::ConvertTo(df, hn::Mul(blue, blue)));
    const auto sum = [](auto dd, auto r, auto g, auto b) {
        const hn::Rebind<float, decltype(dd)> dfSum;
        return hn::DemoteTo(dfSum,
                            hn::Add(hn::Add(hn::Mul(hn::Set(dd, 0.299), hn::PromoteTo(dd, r)),
                                            hn::PromoteTo(dd, g)),
                                    hn::PromoteTo(dd, b)));
    };
    return vector_steps::HWY_NAMESPACE::InDoubleHalves(df, sum, redSquare, greenTerm, blueTerm);
}

// Codeword t's float error over the sub-block, and each pixel's column.
HWY_INLINE float CodewordError(const Etc1SubblockLanes& pixels, const Candidates& candidates,
                               uint32_t t, int32_t column[8]) {
    const hn::CappedTag<int32_t, 8> di;
    const hn::Rebind<float, decltype(di)> df;
    return vector_steps::HWY_NAMESPACE::OrderedSum(df, [&](size_t i) {
        const auto red = hn::LoadU(di, pixels.plane[0] + i);
        const auto green = hn::LoadU(di, pixels.plane[1] + i);
        const auto blue = hn::LoadU(di, pixels.plane[2] + i);
        auto best = CandidateErrors(di, hn::Sub(CandidateChannel(di, candidates, 0, 0, t), red),
                                    hn::Sub(CandidateChannel(di, candidates, 0, 1, t), green),
                                    hn::Sub(CandidateChannel(di, candidates, 0, 2, t), blue));
        auto bestColumn = hn::Zero(di);
        for (int c = 1; c < 4; ++c) {
            const auto candidate =
                CandidateErrors(di, hn::Sub(CandidateChannel(di, candidates, c, 0, t), red),
                                hn::Sub(CandidateChannel(di, candidates, c, 1, t), green),
                                hn::Sub(CandidateChannel(di, candidates, c, 2, t), blue));
            const auto better = hn::Lt(candidate, best);
            best = hn::IfThenElse(better, candidate, best);
            bestColumn = hn::IfThenElse(hn::RebindMask(di, better), hn::Set(di, c), bestColumn);
        }
        hn::Store(bestColumn, di, column + i);
        return best;
    });
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
    search->first = vector_steps::HWY_NAMESPACE::FirstMinimum(
        hn::Rebind<float, hn::CappedTag<int32_t, 8>>(), search->bound);
}

HWY_INLINE void EvaluateFirst(Search* search) {
    search->best =
        CodewordError(search->pixels, search->candidates, search->first, search->choice->column);
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
    search->choice->sum = best;
    search->choice->error = static_cast<int32_t>(best);
}

HWY_INLINE void SearchSubblock(const Etc1SubblockLanes& pixels, const uint8_t base[3],
                               Etc1FastChoice* choice) {
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
