// The ETC1 encoder the library uses, compiled once per Highway target and
// chosen at run time. It returns exactly the words of
// Etc1EncodeBlockReference, with less work:
// - the sub-block channel sums come from byte shuffles, once for both base
//   choosers; the average-colour quantizers are tables by channel sum, the
//   chroma fit a vector kernel (etc1_chroma_fit-inl.h);
// - a sub-block whose two choosers pick the same base colour is searched
//   once, since the search depends only on the pixels and the base, and a
//   block's searches run step by step side by side;
// - the table search is the fast one (etc1_search-inl.h);
// - equal words are recognised from shared searches; otherwise the search
//   errors decide the final comparison unless they are too close
//   (ChromaFitWins), and then each candidate's Etc1BlockError comes from
//   the colours its choices stand for, which are exactly what decoding its
//   words gives. Those error terms (ErrorTerms) are vector lanes that each
//   repeat Etc1DecodedError's double-precision operations for one pixel,
//   unfused and in the same order, summed one at a time in raster order.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "etc1_encode.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep
#include "hwy/highway.h"

#include <algorithm>

#include "etc1_base_tables.h"
#include "etc1_chroma_fit-inl.h"
#include "etc1_codec.h"
#include "etc1_encoder.h"
#include "etc1_fast_search.h"
#include "etc1_modifiers.h"
#include "etc1_search-inl.h"
#include "etc1_words.h"

#ifndef VOSTREL_ETC1_ENCODE_TABLES
#define VOSTREL_ETC1_ENCODE_TABLES
namespace etc1_fast {

// The block's pixels in two layouts, each pixel's plane index being its
// lane + 8 x its sub-block. Column-major planes hold the left and right
// sub-blocks (flip 0) in sub-block order; row-pair planes hold the top and
// bottom sub-blocks (flip 1) in sub-block order, each a pair of rows taken
// column by column. Planes are red, green and blue, with the coarse lumas
// beside them.
struct BlockPlanes {
    alignas(64) int32_t plane[2][3][16];  // [flip][channel][plane index]
    alignas(32) int16_t luma[2][16];
};

struct Layout {
    // Per flip and plane index, the pixel in raster order.
    alignas(16) uint8_t pixelOfPlane[2][16];
    // Per flip and plane index, the pixel's bit in word 2: 4x + y.
    alignas(32) uint32_t codeBit[2][16];
    // Per flip, the plane index of each pixel in raster order.
    uint8_t planeOfPixel[2][16];
    // Base colour fields widened to 8 bits: [differential][field].
    uint8_t widen[2][32];
};

constexpr Layout MakeLayout() {
    Layout layout{};
    for (int p = 0; p < 16; ++p) {
        const int x = p % 4;
        const int y = p / 4;
        const int columnMajor = 4 * x + y;
        const int rowPair = 8 * (y / 2) + 2 * x + y % 2;
        layout.planeOfPixel[0][p] = static_cast<uint8_t>(columnMajor);
        layout.planeOfPixel[1][p] = static_cast<uint8_t>(rowPair);
        layout.pixelOfPlane[0][columnMajor] = static_cast<uint8_t>(p);
        layout.pixelOfPlane[1][rowPair] = static_cast<uint8_t>(p);
        layout.codeBit[0][columnMajor] = static_cast<uint32_t>(4 * x + y);
        layout.codeBit[1][rowPair] = static_cast<uint32_t>(4 * x + y);
    }
    for (uint32_t q = 0; q < 32; ++q) {
        layout.widen[0][q] = q < 16 ? Etc1Widen4(q) : 0;
        layout.widen[1][q] = Etc1Widen5(q);
    }
    return layout;
}

inline constexpr Layout kLayout = MakeLayout();

// The plane layouts put each sub-block's pixels in Etc1Subblock order.
constexpr bool PlanesFollowSubblocks() {
    for (int flip = 0; flip < 2; ++flip) {
        for (int s = 0; s < 2; ++s) {
            for (int i = 0; i < 8; ++i) {
                if (kLayout.planeOfPixel[flip][Etc1Subblocks[flip][s].pixel[i]] != 8 * s + i) {
                    return false;
                }
            }
        }
    }
    return true;
}
static_assert(PlanesFollowSubblocks());

// The encoders, in the order of the final choice's tie rule.
enum Encoder { kAverage = 0, kChromaFit = 1 };

}  // namespace etc1_fast
#endif

HWY_BEFORE_NAMESPACE();
namespace etc1_fast {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// The planes, and the channel sums of the four sub-blocks, [flip][sub-block].
void MakePlanes(const ColourBlock& pixels, BlockPlanes* planes, int sum[2][2][3]) {
#if HWY_TARGET == HWY_SCALAR
    for (int p = 0; p < 16; ++p) {
        const uint8_t* texel = pixels.texel[p];
        const int16_t luma = Etc1CoarseLuma(texel);
        for (int flip = 0; flip < 2; ++flip) {
            const int q = kLayout.planeOfPixel[flip][p];
            planes->plane[flip][0][q] = texel[0];
            planes->plane[flip][1][q] = texel[1];
            planes->plane[flip][2][q] = texel[2];
            planes->luma[flip][q] = luma;
        }
    }
    for (int flip = 0; flip < 2; ++flip) {
        for (int s = 0; s < 2; ++s) {
            for (int c = 0; c < 3; ++c) {
                const int32_t* v = planes->plane[flip][c] + 8 * s;
                sum[flip][s][c] = v[0] + v[1] + v[2] + v[3] + v[4] + v[5] + v[6] + v[7];
            }
        }
    }
#else
    const hn::CappedTag<uint8_t, 16> d8;
    hn::VFromD<decltype(d8)> raster[3];
    hn::LoadInterleaved3(d8, pixels.texel[0], raster[0], raster[1], raster[2]);
    const hn::CappedTag<int32_t, 16> d32;
    const hn::Rebind<uint8_t, decltype(d32)> d8for32;
    const hn::CappedTag<int16_t, 16> d16;
    const hn::Rebind<uint8_t, decltype(d16)> d8for16;
    for (int flip = 0; flip < 2; ++flip) {
        const auto order = hn::Load(d8, kLayout.pixelOfPlane[flip]);
        HWY_ALIGN uint8_t bytes[3][16];
        for (int c = 0; c < 3; ++c) {
            const auto channel = hn::TableLookupBytes(raster[c], order);
            hn::Store(channel, d8, bytes[c]);
            // Lanes 0-7 are sub-block 0, lanes 8-15 sub-block 1.
            const auto sums = hn::SumsOf8(channel);
            sum[flip][0][c] = static_cast<int>(hn::ExtractLane(sums, 0));
            sum[flip][1][c] = static_cast<int>(hn::ExtractLane(sums, 1));
        }
        for (size_t i = 0; i < 16; i += hn::Lanes(d32)) {
            for (int c = 0; c < 3; ++c) {
                hn::Store(hn::PromoteTo(d32, hn::Load(d8for32, bytes[c] + i)), d32, planes->plane[flip][c] + i);
            }
        }
        for (size_t i = 0; i < 16; i += hn::Lanes(d16)) {
            const auto weighted = [&](int c) {
                return hn::Mul(hn::PromoteTo(d16, hn::Load(d8for16, bytes[c] + i)), hn::Set(d16, kLumaWeight[c]));
            };
            hn::Store(hn::Add(hn::Add(weighted(0), weighted(1)), weighted(2)), d16, planes->luma[flip] + i);
        }
    }
#endif
}

Etc1SubblockLanes SubblockLanes(const BlockPlanes& planes, int flip, int s) {
    Etc1SubblockLanes lanes;
    for (int c = 0; c < 3; ++c) {
        lanes.plane[c] = planes.plane[flip][c] + 8 * s;
    }
    lanes.luma = planes.luma[flip] + 8 * s;
    return lanes;
}

// ChooseAverageBases, from the sub-blocks' channel sums.
Etc1Bases AverageBases(const int first[3], const int second[3]) {
    Etc1Bases bases;
    for (int c = 0; c < 3; ++c) {
        bases.field[0][c] = kEtc1AverageTables.quantize5[first[c]];
        bases.field[1][c] = kEtc1AverageTables.quantize5[second[c]];
    }
    bases.differential = Etc1DifferencesFit(bases.field[0], bases.field[1]);
    if (!bases.differential) {
        for (int c = 0; c < 3; ++c) {
            bases.field[0][c] = kEtc1AverageTables.quantize4[first[c]];
            bases.field[1][c] = kEtc1AverageTables.quantize4[second[c]];
        }
    }
    return bases;
}

// One encoder's result for one orientation.
struct Orientation {
    Etc1Bases bases;
    uint8_t base[2][3];
    Etc1FastChoice* choice[2];
    int32_t error;
};

void WidenBases(Orientation* orientation) {
    const uint8_t* widen = kLayout.widen[orientation->bases.differential ? 1 : 0];
    for (int s = 0; s < 2; ++s) {
        for (int c = 0; c < 3; ++c) {
            orientation->base[s][c] = widen[orientation->bases.field[s][c]];
        }
    }
}

bool SameBase(const uint8_t a[3], const uint8_t b[3]) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }

// The code bits of word 2 for one sub-block's choice: code 3, 2, 0, 1 for
// columns 0 to 3, so the low bit is set for columns 0 and 3, the high bit
// for columns 0 and 1.
uint32_t CodeBits(const Etc1FastChoice& choice, const uint32_t* codeBit) {
    const hn::CappedTag<uint32_t, 8> du;
    const hn::RebindToSigned<decltype(du)> di;
    const auto one = hn::Set(du, 1);
    auto word = hn::Zero(du);
    for (size_t i = 0; i < 8; i += hn::Lanes(du)) {
        const auto column = hn::Load(di, choice.column + i);
        const auto bit = hn::Load(du, codeBit + i);
        const auto low = hn::IfThenElseZero(
            hn::RebindMask(du, hn::Or(hn::Eq(column, hn::Zero(di)), hn::Eq(column, hn::Set(di, 3)))), one);
        const auto high = hn::IfThenElseZero(hn::RebindMask(du, hn::Lt(column, hn::Set(di, 2))), one);
        word = hn::Or(word, hn::Or(hn::Shl(low, bit), hn::Shl(high, hn::Add(bit, hn::Set(du, 16)))));
    }
    return hn::GetLane(hn::SumOfLanes(du, word));
}

Etc1Words AssembleWords(const Orientation& orientation, int flip) {
    Etc1Words words;
    words.word1 = Etc1AssembleWord1(orientation.bases, orientation.choice[0]->codeword,
                                    orientation.choice[1]->codeword, static_cast<uint32_t>(flip));
    words.word2 = CodeBits(*orientation.choice[0], kLayout.codeBit[flip]) |
                  CodeBits(*orientation.choice[1], kLayout.codeBit[flip] + 8);
    return words;
}

// Per lane, the term Etc1DecodedError adds for the pixel: the decoded colour
// is base + the chosen modifier, clamped; the term is
// (0.299 dr^2 + 0.587 dg^2) + 0.114 db^2 in double precision.
void ErrorTerms(const Etc1SubblockLanes& pixels, const uint8_t base[3], const Etc1FastChoice& choice,
                double term[8]) {
    const hn::CappedTag<double, 8> dd;
    const hn::Rebind<int32_t, decltype(dd)> di;
    const int* modifiers = Etc1ModifierTable[choice.codeword];
    const auto zero = hn::Zero(di);
    const auto top = hn::Set(di, 255);
    for (size_t i = 0; i < 8; i += hn::Lanes(dd)) {
        const auto column = hn::Load(di, choice.column + i);
        auto modifier = hn::Set(di, modifiers[0]);
        for (int k = 1; k < 4; ++k) {
            modifier = hn::IfThenElse(hn::Eq(column, hn::Set(di, k)), hn::Set(di, modifiers[k]), modifier);
        }
        const auto square = [&](int c) {
            const auto decoded = hn::Min(hn::Max(hn::Add(hn::Set(di, base[c]), modifier), zero), top);
            const auto difference = hn::Sub(decoded, hn::LoadU(di, pixels.plane[c] + i));
            return hn::PromoteTo(dd, hn::Mul(difference, difference));
        };
        const auto sum = hn::Add(hn::Add(hn::Mul(hn::Set(dd, 0.299), square(0)), hn::Mul(hn::Set(dd, 0.587), square(1))),
                                 hn::Mul(hn::Set(dd, 0.114), square(2)));
        hn::Store(sum, dd, term + i);
    }
}

// Etc1BlockError of both encoders' words, [encoder]. A sub-block both chose
// the same way for the same orientation has its terms computed once.
void EncoderErrors(const Etc1SubblockLanes lanes[2][2], const Orientation* chosen[2], const int flip[2],
                   double error[2]) {
    HWY_ALIGN double term[2][16];
    for (int e = 0; e < 2; ++e) {
        for (int s = 0; s < 2; ++s) {
            if (e == kChromaFit && flip[kChromaFit] == flip[kAverage] &&
                chosen[kChromaFit]->choice[s] == chosen[kAverage]->choice[s]) {
                std::copy(term[kAverage] + 8 * s, term[kAverage] + 8 * s + 8, term[kChromaFit] + 8 * s);
            } else {
                ErrorTerms(lanes[flip[e]][s], chosen[e]->base[s], *chosen[e]->choice[s], term[e] + 8 * s);
            }
        }
        double total = 0.0;
        for (int p = 0; p < 16; ++p) {
            total += term[e][kLayout.planeOfPixel[flip[e]][p]];
        }
        error[e] = total;
    }
}

void StartSearch(Search* search, const Etc1SubblockLanes& pixels, const uint8_t* base, Etc1FastChoice* choice) {
    search->pixels = pixels;
    search->base = base;
    search->choice = choice;
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
bool ChromaFitWins(const Etc1SubblockLanes lanes[2][2], const Orientation* chosen[2], const int flip[2]) {
    const double average = static_cast<double>(chosen[kAverage]->choice[0]->sum) + chosen[kAverage]->choice[1]->sum;
    const double chromaFit =
        static_cast<double>(chosen[kChromaFit]->choice[0]->sum) + chosen[kChromaFit]->choice[1]->sum;
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

Etc1Words EncodeBlock(const ColourBlock& pixels) {
    BlockPlanes planes;
    int sum[2][2][3];
    MakePlanes(pixels, &planes, sum);
    Etc1SubblockLanes lanes[2][2];
    for (int flip = 0; flip < 2; ++flip) {
        for (int s = 0; s < 2; ++s) {
            lanes[flip][s] = SubblockLanes(planes, flip, s);
        }
    }

    Etc1FastChoice choices[2][2][2];  // [flip][sub-block][encoder]
    Orientation orientation[2][2];    // [encoder][flip]
    Search searches[8];
    int count = 0;
    for (int flip = 0; flip < 2; ++flip) {
        Orientation& byAverage = orientation[kAverage][flip];
        Orientation& byChromaFit = orientation[kChromaFit][flip];
        byAverage.bases = AverageBases(sum[flip][0], sum[flip][1]);
        byChromaFit.bases = ChromaFitBases(sum[flip][0], sum[flip][1]);
        WidenBases(&byAverage);
        WidenBases(&byChromaFit);
        for (int s = 0; s < 2; ++s) {
            byAverage.choice[s] = &choices[flip][s][kAverage];
            StartSearch(&searches[count++], lanes[flip][s], byAverage.base[s], byAverage.choice[s]);
            if (SameBase(byAverage.base[s], byChromaFit.base[s])) {
                byChromaFit.choice[s] = byAverage.choice[s];
            } else {
                byChromaFit.choice[s] = &choices[flip][s][kChromaFit];
                StartSearch(&searches[count++], lanes[flip][s], byChromaFit.base[s], byChromaFit.choice[s]);
            }
        }
    }
    for (int n = 0; n < count; ++n) {
        PrepareSearch(&searches[n]);
    }
    for (int n = 0; n < count; ++n) {
        EvaluateFirst(&searches[n]);
    }
    for (int n = 0; n < count; ++n) {
        FinishSearch(&searches[n]);
    }
    for (int e = 0; e < 2; ++e) {
        for (int flip = 0; flip < 2; ++flip) {
            Orientation& o = orientation[e][flip];
            o.error = o.choice[0]->error + o.choice[1]->error;
        }
    }

    int flip[2];
    const Orientation* chosen[2];
    for (int e = 0; e < 2; ++e) {
        flip[e] = orientation[e][1].error < orientation[e][0].error ? 1 : 0;
        chosen[e] = &orientation[e][flip[e]];
    }
    const int winner = SameWords(chosen, flip) || !ChromaFitWins(lanes, chosen, flip) ? kAverage : kChromaFit;
    return AssembleWords(*chosen[winner], flip[winner]);
}

void SearchSubblockAlone(const Etc1SubblockLanes& pixels, const uint8_t base[3], Etc1FastChoice* choice) {
    SearchSubblock(pixels, base, choice);
}

Etc1Bases ChromaFitBasesAlone(const int first[3], const int second[3]) { return ChromaFitBases(first, second); }

int64_t Target() { return HWY_TARGET; }

// NOLINTNEXTLINE(google-readability-namespace-comments)
}  // namespace HWY_NAMESPACE
}  // namespace etc1_fast
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace etc1_fast {
HWY_EXPORT(EncodeBlock);
HWY_EXPORT(SearchSubblockAlone);
HWY_EXPORT(ChromaFitBasesAlone);
HWY_EXPORT(Target);
}  // namespace etc1_fast

Etc1Words Etc1EncodeBlock(const ColourBlock& pixels) { return HWY_DYNAMIC_DISPATCH(etc1_fast::EncodeBlock)(pixels); }

void Etc1SearchSubblockFast(const Etc1SubblockLanes& pixels, const uint8_t base[3], Etc1FastChoice* choice) {
    HWY_DYNAMIC_DISPATCH(etc1_fast::SearchSubblockAlone)(pixels, base, choice);
}

Etc1Bases Etc1ChromaFitBasesFast(const int first[3], const int second[3]) {
    return HWY_DYNAMIC_DISPATCH(etc1_fast::ChromaFitBasesAlone)(first, second);
}

int64_t Etc1FastEncoderTarget() { return HWY_DYNAMIC_DISPATCH(etc1_fast::Target)(); }
#endif
