// The fast ETC1 table search, compiled once per instruction set and chosen
// at run time (Highway's dynamic dispatch).
//
// How the results stay identical to SearchSubblockTable, bit for bit:
// - Each vector lane is one pixel of the sub-block and performs exactly the
//   scalar sequence of the reference: the channel differences and their
//   squares in 32-bit integers (exact); red as the double product of 0.299
//   and the converted square; green and blue as single-precision products of
//   0.587f and 0.114f with the converted square (exact conversions, the
//   products rounded once to float); then (red + green) + blue in double
//   precision, rounded once to float. Every step is one IEEE operation in
//   round-to-nearest: nothing is fused (no MulAdd; the build has
//   -ffp-contract=off), reassociated or approximated, and the lanes never
//   mix until the per-codeword sum.
// - A pixel's column is the first one with the smallest error: a later
//   column replaces it only when strictly smaller, as in the reference.
// - A codeword's error is summed in float over the pixels in sub-block
//   order, one scalar addition at a time, starting from the first pixel's
//   error (the reference's 0.0f + e0 is exactly e0).
// - Codewords are evaluated in order of a lower bound on their error, and
//   one whose bound proves it can neither beat nor tie its way past the best
//   so far is not evaluated at all (see LumaBounds). The winner is the
//   codeword with the smallest error, the lowest codeword among equal
//   errors: exactly the reference's strict less-than scan from 0 to 7.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "etc1_search_kernel.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep
#include "hwy/highway.h"

#include <algorithm>

#include "etc1_fast_search.h"
#include "etc1_modifiers.h"

#ifndef VOSTREL_ETC1_SEARCH_KERNEL_TABLES
#define VOSTREL_ETC1_SEARCH_KERNEL_TABLES
namespace etc1_search {

// Etc1ModifierTable by column, then codeword.
struct ModifiersByColumn {
    alignas(64) int32_t column[4][8];
};

constexpr ModifiersByColumn MakeModifiersByColumn() {
    ModifiersByColumn table{};
    for (int column = 0; column < 4; ++column) {
        for (int codeword = 0; codeword < 8; ++codeword) {
            table.column[column][codeword] = Etc1ModifierTable[codeword][column];
        }
    }
    return table;
}

alignas(64) constexpr ModifiersByColumn kModifiers = MakeModifiersByColumn();

constexpr int32_t kLumaWeight[3] = {299, 587, 114};

// 16 x 3 x 255^2: above any error a pixel or sub-block can have.
constexpr float kErrorCeiling = 3121200.0f;

// Turns a sum of squared integer luma distances into a lower bound on the
// float codeword error (LumaBounds); 0.999 leaves room for every rounding.
constexpr float kBoundScale = 0.999e-6f;

}  // namespace etc1_search
#endif

HWY_BEFORE_NAMESPACE();
namespace etc1_search {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Per column, channel and codeword, the candidate colour base + modifier
// clamped to 0..255, and per column and codeword its integer luma.
void ClampedCandidates(const uint8_t base[3], int32_t colour[4][3][8], int32_t luma[4][8]) {
    const hn::CappedTag<int32_t, 8> d;
    const auto zero = hn::Zero(d);
    const auto top = hn::Set(d, 255);
    for (size_t t = 0; t < 8; t += hn::Lanes(d)) {
        for (int column = 0; column < 4; ++column) {
            const auto modifier = hn::Load(d, kModifiers.column[column] + t);
            auto sum = zero;
            for (int c = 0; c < 3; ++c) {
                const auto value = hn::Min(hn::Max(hn::Add(hn::Set(d, base[c]), modifier), zero), top);
                hn::Store(value, d, colour[column][c] + t);
                sum = hn::Add(sum, hn::Mul(value, hn::Set(d, kLumaWeight[c])));
            }
            hn::Store(sum, d, luma[column] + t);
        }
    }
}

// Per codeword, a lower bound on its float error, lanes being codewords.
//
// For a pixel p and a candidate colour q with channel differences d_c, the
// reference's float error is at least E (1 - 2^-22), E the exact sum of
// w_c d_c^2 with the weights as stored (0.299 in double, 0.587f, 0.114f,
// each at least 299/1000, 587/1000 and 114/1000 to within 2^-53): the two
// float products, the two double additions and the final rounding to float
// each lose at most a relative 2^-24 or 2^-53 of a sum of non-negative
// terms. As the integer weights a = (299, 587, 114) sum to 1000, Cauchy-
// Schwarz gives sum (a_c / 1000) d_c^2 >= (sum a_c d_c / 1000)^2 =
// (Y(q) - Y(p))^2 / 10^6 with Y the integer luma, for clamped candidates too.
// The float sum of a codeword's 8 pixel minima loses at most a relative
// 2^-21 more. So the codeword's error is at least
// 10^-6 (1 - 2^-20) sum_p D_p^2, D_p the smallest |Y(q) - Y(p)| over its four
// candidates. Here D_p is exact in float, its square and the sum round up by
// at most a relative 2^-21, and the scale 0.999e-6f (itself rounded) and the
// last product keep the result below that bound with a wide margin.
void LumaBounds(const Etc1SubblockPlanes& pixels, const int32_t luma[4][8], float bound[8]) {
    const hn::CappedTag<int32_t, 8> di;
    const hn::Rebind<float, decltype(di)> df;
    for (size_t t = 0; t < 8; t += hn::Lanes(di)) {
        const auto y0 = hn::Load(di, luma[0] + t);
        const auto y1 = hn::Load(di, luma[1] + t);
        const auto y2 = hn::Load(di, luma[2] + t);
        const auto y3 = hn::Load(di, luma[3] + t);
        auto sum = hn::Zero(df);
        for (int i = 0; i < 8; ++i) {
            const auto y = hn::Set(di, pixels.luma[i]);
            const auto nearest = hn::Min(hn::Min(hn::Abs(hn::Sub(y0, y)), hn::Abs(hn::Sub(y1, y))),
                                         hn::Min(hn::Abs(hn::Sub(y2, y)), hn::Abs(hn::Sub(y3, y))));
            const auto distance = hn::ConvertTo(df, nearest);
            sum = hn::Add(sum, hn::Mul(distance, distance));
        }
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
float CodewordError(const Etc1SubblockPlanes& pixels, const int32_t colour[4][3][8], uint32_t t,
                    int32_t column[8]) {
    const hn::CappedTag<double, 8> dd;
    const hn::Rebind<float, decltype(dd)> df;
    const hn::Rebind<int32_t, decltype(dd)> di;
    HWY_ALIGN float error[8];
    for (size_t i = 0; i < 8; i += hn::Lanes(dd)) {
        const auto red = hn::Load(di, pixels.channel[0] + i);
        const auto green = hn::Load(di, pixels.channel[1] + i);
        const auto blue = hn::Load(di, pixels.channel[2] + i);
        auto best = CandidateErrors(dd, hn::Sub(hn::Set(di, colour[0][0][t]), red),
                                    hn::Sub(hn::Set(di, colour[0][1][t]), green),
                                    hn::Sub(hn::Set(di, colour[0][2][t]), blue));
        auto bestColumn = hn::Zero(di);
        for (int c = 1; c < 4; ++c) {
            const auto candidate = CandidateErrors(dd, hn::Sub(hn::Set(di, colour[c][0][t]), red),
                                                   hn::Sub(hn::Set(di, colour[c][1][t]), green),
                                                   hn::Sub(hn::Set(di, colour[c][2][t]), blue));
            const auto better = hn::Lt(candidate, best);
            best = hn::IfThenElse(better, candidate, best);
            bestColumn = hn::IfThenElse(hn::RebindMask(di, better), hn::Set(di, c), bestColumn);
        }
        hn::Store(best, df, error + i);
        hn::Store(bestColumn, di, column + i);
    }
    float sum = error[0];
    for (int i = 1; i < 8; ++i) {
        sum += error[i];
    }
    return sum;
}

void SearchSubblock(const Etc1SubblockPlanes& pixels, const uint8_t base[3], Etc1FastChoice* choice) {
    HWY_ALIGN int32_t colour[4][3][8];
    HWY_ALIGN int32_t luma[4][8];
    HWY_ALIGN float bound[8];
    HWY_ALIGN int32_t column[8];
    ClampedCandidates(base, colour, luma);
    LumaBounds(pixels, luma, bound);

    // Codewords by increasing bound, the lower codeword first among equal
    // bounds. Once the lowest bound left exceeds the best error, no codeword
    // left can reach it; one whose bound equals the best error can at most
    // tie, which only a lower codeword than the best one wins.
    float best = kErrorCeiling;
    uint32_t bestCodeword = 8;
    uint32_t pending = 0xFF;
    while (pending != 0) {
        uint32_t t = 8;
        float low = 0.0f;
        for (uint32_t k = 0; k < 8; ++k) {
            if ((pending >> k & 1) != 0 && (t == 8 || bound[k] < low)) {
                t = k;
                low = bound[k];
            }
        }
        if (low > best) {
            break;
        }
        pending &= ~(1u << t);
        if (low == best && t > bestCodeword) {
            continue;
        }
        const float error = CodewordError(pixels, colour, t, column);
        if (error < best || (error == best && t < bestCodeword)) {
            best = error;
            bestCodeword = t;
            std::copy(column, column + 8, choice->column);
        }
    }
    choice->codeword = bestCodeword;
    choice->error = static_cast<int32_t>(best);
}

int64_t KernelTarget() { return HWY_TARGET; }

// NOLINTNEXTLINE(google-readability-namespace-comments)
}  // namespace HWY_NAMESPACE
}  // namespace etc1_search
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace etc1_search {
HWY_EXPORT(SearchSubblock);
HWY_EXPORT(KernelTarget);
}  // namespace etc1_search

int64_t Etc1SearchKernelTarget() { return HWY_DYNAMIC_DISPATCH(etc1_search::KernelTarget)(); }

void Etc1SearchSubblockFast(const Etc1SubblockPlanes& pixels, const uint8_t base[3], Etc1FastChoice* choice) {
    HWY_DYNAMIC_DISPATCH(etc1_search::SearchSubblock)(pixels, base, choice);
}
#endif
