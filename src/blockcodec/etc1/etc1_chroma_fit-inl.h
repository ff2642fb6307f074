// The chroma-fit base chooser with the eight channel combinations in vector
// lanes, compiled once per Highway target by the files that include it.
//
// Each lane computes one combination's spread with exactly the reference's
// operations (Etc1ChromaSpread): three float differences of the chosen float
// errors, their float squares, each promoted to double and multiplied by its
// double weight, the three products added left to right in double and
// rounded once to float; nothing fused or reassociated. The first
// combination with the smallest spread wins, as in the reference's strict
// less-than scan.
#if defined(VOSTREL_ETC1_CHROMA_FIT_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef VOSTREL_ETC1_CHROMA_FIT_INL_H_
#undef VOSTREL_ETC1_CHROMA_FIT_INL_H_
#else
#define VOSTREL_ETC1_CHROMA_FIT_INL_H_
#endif

#include "etc1_base_rules.h"
#include "etc1_encoder.h"
#include "etc1_modifiers.h"
#include "hwy/highway.h"
#include "vector_steps-inl.h"

#ifndef VOSTREL_ETC1_CHROMA_FIT_TABLES
#define VOSTREL_ETC1_CHROMA_FIT_TABLES
// Per lane, whether the combination takes the higher value of red, green
// and blue; the lanes in the reference's order (lo, lo, lo), (hi, lo, lo),
// (lo, hi, lo), (lo, lo, hi), (hi, hi, lo), (hi, lo, hi), (lo, hi, hi),
// (hi, hi, hi).
struct Etc1ChromaFitLanes {
    alignas(32) int32_t higher[3][8];
};
inline constexpr Etc1ChromaFitLanes kChromaFitLanes = {{
    {0, 1, 0, 0, 1, 1, 0, 1},
    {0, 0, 1, 0, 1, 0, 1, 1},
    {0, 0, 0, 1, 0, 1, 1, 1},
}};
#endif

HWY_BEFORE_NAMESPACE();
namespace etc1_fast {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Per lane, Etc1ChromaSpread of the combination whose error differences
// are rg, rb and gb.
template <class DF, class V>
HWY_INLINE V Spreads(DF df, V rg, V rb, V gb) {
    const auto spread = [](auto dd, auto a, auto b, auto c) {
        const hn::Rebind<float, decltype(dd)> dfSpread;
        const auto term = [&](double weight, auto difference) {
            return hn::Mul(hn::Set(dd, weight), hn::PromoteTo(dd, hn::Mul(difference, difference)));
        };
        return hn::DemoteTo(
            dfSpread, hn::Add(hn::Add(term(kEtc1RedGreenWeight, a), term(kEtc1RedBlueWeight, b)),
                              term(kEtc1GreenBlueWeight, c)));
    };
    return vector_steps::HWY_NAMESPACE::InDoubleHalves(df, spread, rg, rb, gb);
}

// lower is the table of truncated quotients average / step by channel sum.
HWY_INLINE void QuantizeChromaFit(const int sum[3], const uint8_t* lower, uint32_t maximum,
                                  uint32_t field[3]) {
    uint32_t choice[2][3];
    float error[2][3];
    for (int c = 0; c < 3; ++c) {
        const float average = Etc1ChannelAverage(sum[c]);
        const uint32_t lo = lower[sum[c]];
        const uint32_t hi = lo + 1 > maximum ? maximum : lo + 1;
        choice[0][c] = lo;
        choice[1][c] = hi;
        const uint8_t wideLo = maximum == 15 ? Etc1Widen4(lo) : Etc1Widen5(lo);
        const uint8_t wideHi = maximum == 15 ? Etc1Widen4(hi) : Etc1Widen5(hi);
        error[0][c] = static_cast<float>(wideLo) - average;
        error[1][c] = static_cast<float>(wideHi) - average;
    }
    const hn::CappedTag<float, 8> df;
    const hn::Rebind<int32_t, decltype(df)> di;
    HWY_ALIGN float spread[8];
    for (size_t i = 0; i < 8; i += hn::Lanes(df)) {
        const auto pick = [&](int c) {
            const auto higher = hn::Eq(hn::Load(di, kChromaFitLanes.higher[c] + i), hn::Set(di, 1));
            return hn::IfThenElse(hn::RebindMask(df, higher), hn::Set(df, error[1][c]),
                                  hn::Set(df, error[0][c]));
        };
        const auto red = pick(0);
        const auto green = pick(1);
        const auto blue = pick(2);
        hn::Store(Spreads(df, hn::Sub(red, green), hn::Sub(red, blue), hn::Sub(green, blue)), df,
                  spread + i);
    }
    const uint32_t best = vector_steps::HWY_NAMESPACE::FirstMinimum(df, spread);
    for (int c = 0; c < 3; ++c) {
        field[c] = choice[kChromaFitLanes.higher[c][best]][c];
    }
}

// ChooseChromaFitBases with the vector quantizer, from the sub-blocks'
// channel sums.
HWY_INLINE Etc1Bases ChromaFitBases(const int first[3], const int second[3]) {
    Etc1Bases bases;
    QuantizeChromaFit(first, kEtc1ChromaFitTables.lower5, 31, bases.field[0]);
    QuantizeChromaFit(second, kEtc1ChromaFitTables.lower5, 31, bases.field[1]);
    bases.differential = Etc1DifferencesFit(bases.field[0], bases.field[1]);
    if (!bases.differential) {
        QuantizeChromaFit(first, kEtc1ChromaFitTables.lower4, 15, bases.field[0]);
        QuantizeChromaFit(second, kEtc1ChromaFitTables.lower4, 15, bases.field[1]);
    }
    return bases;
}

// NOLINTNEXTLINE(google-readability-namespace-comments)
}  // namespace HWY_NAMESPACE
}  // namespace etc1_fast
HWY_AFTER_NAMESPACE();

#endif  // VOSTREL_ETC1_CHROMA_FIT_INL_H_
