// The fast encoder's final choice between the average-colour and the
// chroma-fit words, compiled once per Highway target by the files that
// include it.
#if defined(VOSTREL_ETC1_FINAL_CHOICE_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef VOSTREL_ETC1_FINAL_CHOICE_INL_H_
#undef VOSTREL_ETC1_FINAL_CHOICE_INL_H_
#else
#define VOSTREL_ETC1_FINAL_CHOICE_INL_H_
#endif

#include <algorithm>

#include "etc1_fast_block.h"
#include "etc1_fast_search.h"
#include "etc1_modifiers.h"
#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace etc1_fast {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Per lane, the term Etc1DecodedError adds for the pixel: the decoded colour
// is base + the chosen modifier, clamped; the term is
// (0.299 dr^2 + 0.587 dg^2) + 0.114 db^2 in double precision.
void ErrorTerms(const Etc1SubblockLanes& pixels, const uint8_t base[3],
                const Etc1FastChoice& choice, double term[8]) {
    const hn::CappedTag<double, 8> dd;
    const hn::Rebind<int32_t, decltype(dd)> di;
    const int* modifiers = Etc1ModifierTable[choice.codeword];
    const auto zero = hn::Zero(di);
    const auto top = hn::Set(di, 255);
    for (size_t i = 0; i < 8; i += hn::Lanes(dd)) {
        const auto column = hn::Load(di, choice.column + i);
        auto modifier = hn::Set(di, modifiers[0]);
        for (int k = 1; k < 4; ++k) {
            modifier =
                hn::IfThenElse(hn::Eq(column, hn::Set(di, k)), hn::Set(di, modifiers[k]), modifier);
        }
        const auto square = [&](int c) {
            const auto decoded =
                hn::Min(hn::Max(hn::Add(hn::Set(di, base[c]), modifier), zero), top);
            const auto difference = hn::Sub(decoded, hn::LoadU(di, pixels.plane[c] + i));
            return hn::PromoteTo(dd, hn::Mul(difference, difference));
        };
        const auto sum = hn::Add(
            hn::Add(hn::Mul(hn::Set(dd, 0.299), square(0)), hn::Mul(hn::Set(dd, 0.587), square(1))),
            hn::Mul(hn::Set(dd, 0.114), square(2)));
        hn::Store(sum, dd, term + i);
    }
}

// Etc1BlockError of both encoders' words, [encoder]. A sub-block both chose
// the same way for the same orientation has its terms computed once.
void EncoderErrors(const Etc1SubblockLanes lanes[2][2], const Orientation* chosen[2],
                   const int flip[2], double error[2]) {
    HWY_ALIGN double term[2][16];
    for (int e = 0; e < 2; ++e) {
        for (int s = 0; s < 2; ++s) {
            if (e == kChromaFit && flip[kChromaFit] == flip[kAverage] &&
                chosen[kChromaFit]->choice[s] == chosen[kAverage]->choice[s]) {
                std::copy(term[kAverage] + 8 * s, term[kAverage] + 8 * s + 8,
                          term[kChromaFit] + 8 * s);
            } else {
                ErrorTerms(lanes[flip[e]][s], chosen[e]->base[s], *chosen[e]->choice[s],
                           term[e] + 8 * s);
            }
        }
        double total = 0.0;
        for (int p = 0; p < 16; ++p) {
            total += term[e][kLayout.planeOfPixel[flip[e]][p]];
        }
        error[e] = total;
    }
}

// Whether both encoders' words are the same: the same orientation, mode and
// widened bases (the fields then match too), whose sub-blocks were then
// searched once.
bool SameWords(const Orientation* chosen[2], const int flip[2]) {
    return flip[kAverage] == flip[kChromaFit] &&
           chosen[kAverage]->bases.differential == chosen[kChromaFit]->bases.differential &&
           chosen[kAverage]->choice[0] == chosen[kChromaFit]->choice[0] &&
           chosen[kAverage]->choice[1] == chosen[kChromaFit]->choice[1];
}

// Whether the chroma-fit words have the strictly smaller Etc1BlockError.
//
// Mostly the search errors decide: with X a pixel's exact weighted error
// with the double weights, the search's float error of the pixel is within
// a relative 2^-22.5 of X (the float weights 0.587f and 0.114f differ from
// the double ones by less than 2^-25 of them, and three roundings to float
// and three in double), each sub-block's float sum of 8 such errors within
// 2^-21 more, and the block error, a double sum of double terms, within
// 2^-48 of the sum of X. So the exact sum of an orientation's two float
// sub-block errors is within a relative 2^-20 of its block error, and a
// margin of 2^-16 on each side decides every comparison outside it.
// Nearer ones, equal errors among them, take the block errors themselves.
bool ChromaFitWins(const Etc1SubblockLanes lanes[2][2], const Orientation* chosen[2],
                   const int flip[2]) {
    const double average =
        static_cast<double>(chosen[kAverage]->choice[0]->sum) + chosen[kAverage]->choice[1]->sum;
    const double chromaFit = static_cast<double>(chosen[kChromaFit]->choice[0]->sum) +
                             chosen[kChromaFit]->choice[1]->sum;
    constexpr double kMargin = 1.0 / 65536;
    if (chromaFit * (1 + kMargin) < average * (1 - kMargin)) {
        return true;
    }
    if (chromaFit * (1 - kMargin) > average * (1 + kMargin)) {
        return false;
    }
    double error[2];
    EncoderErrors(lanes, chosen, flip, error);
    return error[kChromaFit] < error[kAverage];
}

// NOLINTNEXTLINE(google-readability-namespace-comments)
}  // namespace HWY_NAMESPACE
}  // namespace etc1_fast
HWY_AFTER_NAMESPACE();

#endif  // VOSTREL_ETC1_FINAL_CHOICE_INL_H_
