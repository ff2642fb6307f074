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

#include "etc1_base_rules.h"
#include "etc1_block_planes-inl.h"
#include "etc1_chroma_fit-inl.h"
#include "etc1_codec.h"
#include "etc1_encoder.h"
#include "etc1_fast_block.h"
#include "etc1_fast_search.h"
#include "etc1_final_choice-inl.h"
#include "etc1_modifiers.h"
#include "etc1_search-inl.h"
#include "etc1_words.h"

HWY_BEFORE_NAMESPACE();
namespace etc1_fast {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

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

void WidenBases(Orientation* orientation) {
    const uint8_t* widen = kLayout.widen[orientation->bases.differential ? 1 : 0];
    for (int s = 0; s < 2; ++s) {
        for (int c = 0; c < 3; ++c) {
            orientation->base[s][c] = widen[orientation->bases.field[s][c]];
        }
    }
}

bool SameBase(const uint8_t a[3], const uint8_t b[3]) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

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
            hn::RebindMask(du,
                           hn::Or(hn::Eq(column, hn::Zero(di)), hn::Eq(column, hn::Set(di, 3)))),
            one);
        const auto high =
            hn::IfThenElseZero(hn::RebindMask(du, hn::Lt(column, hn::Set(di, 2))), one);
        word =
            hn::Or(word, hn::Or(hn::Shl(low, bit), hn::Shl(high, hn::Add(bit, hn::Set(du, 16)))));
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

void StartSearch(Search* search, const Etc1SubblockLanes& pixels, const uint8_t* base,
                 Etc1FastChoice* choice) {
    search->pixels = pixels;
    search->base = base;
    search->choice = choice;
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
                StartSearch(&searches[count++], lanes[flip][s], byChromaFit.base[s],
                            byChromaFit.choice[s]);
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
    const int winner =
        SameWords(chosen, flip) || !ChromaFitWins(lanes, chosen, flip) ? kAverage : kChromaFit;
    return AssembleWords(*chosen[winner], flip[winner]);
}

void SearchSubblockAlone(const Etc1SubblockLanes& pixels, const uint8_t base[3],
                         Etc1FastChoice* choice) {
    SearchSubblock(pixels, base, choice);
}

Etc1Bases ChromaFitBasesAlone(const int first[3], const int second[3]) {
    return ChromaFitBases(first, second);
}

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

Etc1Words Etc1EncodeBlock(const ColourBlock& pixels) {
    return HWY_DYNAMIC_DISPATCH(etc1_fast::EncodeBlock)(pixels);
}

void Etc1SearchSubblockFast(const Etc1SubblockLanes& pixels, const uint8_t base[3],
                            Etc1FastChoice* choice) {
    HWY_DYNAMIC_DISPATCH(etc1_fast::SearchSubblockAlone)(pixels, base, choice);
}

Etc1Bases Etc1ChromaFitBasesFast(const int first[3], const int second[3]) {
    return HWY_DYNAMIC_DISPATCH(etc1_fast::ChromaFitBasesAlone)(first, second);
}

int64_t Etc1FastEncoderTarget() { return HWY_DYNAMIC_DISPATCH(etc1_fast::Target)(); }
#endif
