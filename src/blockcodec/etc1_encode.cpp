// The ETC1 encoder the library uses, compiled once per Highway target and
// chosen at run time. It returns exactly the words of
// Etc1EncodeBlockReference, with less work:
// - the four sub-block averages come from the sums of the four 2x2
//   quadrants, once for both base choosers; the average-colour quantizers
//   are tables by channel sum, the chroma fit a vector kernel
//   (etc1_chroma_fit-inl.h);
// - a sub-block whose two choosers pick the same base colour is searched
//   once, since the search depends only on the pixels and the base;
// - the table search is the fast one (etc1_search-inl.h);
// - when both encoders produce the same words there is nothing to compare;
//   otherwise each candidate's error comes from the colours its choices
//   stand for, which are exactly what decoding its words gives, summed in
//   the same raster order.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "etc1_encode.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep
#include "hwy/highway.h"

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

// The block's pixels in two layouts: raster planes, whose halves are the
// top and bottom sub-blocks (flip 1), and column-major planes, whose halves
// are the left and right sub-blocks (flip 0) in sub-block order. Planes are
// red, green, blue and integer luma.
struct BlockPlanes {
    alignas(64) int32_t raster[4][16];
    alignas(64) int32_t columnMajor[4][16];
};

struct Layout {
    // Per flip, the lane of each sub-block pixel (Etc1Subblock order).
    uint8_t order[2][8];
    // Per flip and plane index (lane + 8 x sub-block), the pixel's bit in
    // word 2: 4x + y.
    alignas(32) uint32_t codeBit[2][16];
    // Per flip, the plane index of each pixel in raster order.
    uint8_t planeOfPixel[2][16];
};

constexpr Layout MakeLayout() {
    Layout layout{};
    for (int k = 0; k < 8; ++k) {
        layout.order[0][k] = static_cast<uint8_t>(k);
        layout.order[1][k] = static_cast<uint8_t>(Etc1Subblocks[1][0].pixel[k]);
    }
    for (int p = 0; p < 16; ++p) {
        const int x = p % 4;
        const int y = p / 4;
        layout.planeOfPixel[0][p] = static_cast<uint8_t>(4 * x + y);
        layout.planeOfPixel[1][p] = static_cast<uint8_t>(p);
        layout.codeBit[0][4 * x + y] = static_cast<uint32_t>(4 * x + y);
        layout.codeBit[1][p] = static_cast<uint32_t>(4 * x + y);
    }
    return layout;
}

inline constexpr Layout kLayout = MakeLayout();

// The encoders, in the order of the final choice's tie rule.
enum Encoder { kAverage = 0, kChromaFit = 1 };

}  // namespace etc1_fast
#endif

HWY_BEFORE_NAMESPACE();
namespace etc1_fast {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

void MakePlanes(const ColourBlock& pixels, BlockPlanes* planes) {
    for (int p = 0; p < 16; ++p) {
        const uint8_t* texel = pixels.texel[p];
        const int32_t red = texel[0];
        const int32_t green = texel[1];
        const int32_t blue = texel[2];
        const int32_t luma = 299 * red + 587 * green + 114 * blue;
        const int q = 4 * (p % 4) + p / 4;
        planes->raster[0][p] = red;
        planes->raster[1][p] = green;
        planes->raster[2][p] = blue;
        planes->raster[3][p] = luma;
        planes->columnMajor[0][q] = red;
        planes->columnMajor[1][q] = green;
        planes->columnMajor[2][q] = blue;
        planes->columnMajor[3][q] = luma;
    }
}

Etc1SubblockLanes SubblockLanes(const BlockPlanes& planes, int flip, int s) {
    Etc1SubblockLanes lanes;
    for (int c = 0; c < 4; ++c) {
        lanes.plane[c] = (flip == 0 ? planes.columnMajor[c] : planes.raster[c]) + 8 * s;
    }
    lanes.order = kLayout.order[flip];
    return lanes;
}

// The channel sums of the four sub-blocks, [flip][sub-block], from those of
// the four 2x2 quadrants.
void SubblockSums(const BlockPlanes& planes, int sum[2][2][3]) {
    for (int c = 0; c < 3; ++c) {
        const int32_t* v = planes.raster[c];
        const int topLeft = v[0] + v[1] + v[4] + v[5];
        const int topRight = v[2] + v[3] + v[6] + v[7];
        const int bottomLeft = v[8] + v[9] + v[12] + v[13];
        const int bottomRight = v[10] + v[11] + v[14] + v[15];
        sum[0][0][c] = topLeft + bottomLeft;
        sum[0][1][c] = topRight + bottomRight;
        sum[1][0][c] = topLeft + topRight;
        sum[1][1][c] = bottomLeft + bottomRight;
    }
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

Etc1Average AverageOf(const int sum[3]) {
    Etc1Average average;
    for (int c = 0; c < 3; ++c) {
        average.channel[c] = static_cast<float>(sum[c] * 0.125);
    }
    return average;
}

// One encoder's result for one orientation.
struct Orientation {
    Etc1Bases bases;
    uint8_t base[2][3];
    const Etc1FastChoice* choice[2];
    int32_t error;
};

void WidenBases(Orientation* orientation) {
    for (int s = 0; s < 2; ++s) {
        for (int c = 0; c < 3; ++c) {
            const uint32_t field = orientation->bases.field[s][c];
            orientation->base[s][c] = orientation->bases.differential ? Etc1Widen5(field) : Etc1Widen4(field);
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
        hn::VFromD<decltype(dd)> square[3];
        for (int c = 0; c < 3; ++c) {
            const auto decoded = hn::Min(hn::Max(hn::Add(hn::Set(di, base[c]), modifier), zero), top);
            const auto difference = hn::Sub(decoded, hn::LoadU(di, pixels.plane[c] + i));
            square[c] = hn::PromoteTo(dd, hn::Mul(difference, difference));
        }
        const auto sum = hn::Add(hn::Add(hn::Mul(hn::Set(dd, 0.299), square[0]), hn::Mul(hn::Set(dd, 0.587), square[1])),
                                 hn::Mul(hn::Set(dd, 0.114), square[2]));
        hn::Store(sum, dd, term + i);
    }
}

double OrientationError(const BlockPlanes& planes, const Orientation& orientation, int flip) {
    HWY_ALIGN double term[16];
    for (int s = 0; s < 2; ++s) {
        ErrorTerms(SubblockLanes(planes, flip, s), orientation.base[s], *orientation.choice[s], term + 8 * s);
    }
    double total = 0.0;
    for (int p = 0; p < 16; ++p) {
        total += term[kLayout.planeOfPixel[flip][p]];
    }
    return total;
}

Etc1Words EncodeBlock(const ColourBlock& pixels) {
    BlockPlanes planes;
    MakePlanes(pixels, &planes);
    int sum[2][2][3];
    SubblockSums(planes, sum);

    Etc1FastChoice choices[2][2][2];  // [flip][sub-block][encoder]
    Orientation orientation[2][2];    // [encoder][flip]
    for (int flip = 0; flip < 2; ++flip) {
        Orientation& byAverage = orientation[kAverage][flip];
        Orientation& byChromaFit = orientation[kChromaFit][flip];
        byAverage.bases = AverageBases(sum[flip][0], sum[flip][1]);
        byChromaFit.bases = ChromaFitBases(AverageOf(sum[flip][0]), AverageOf(sum[flip][1]));
        WidenBases(&byAverage);
        WidenBases(&byChromaFit);
        for (int s = 0; s < 2; ++s) {
            const Etc1SubblockLanes lanes = SubblockLanes(planes, flip, s);
            SearchSubblock(lanes, byAverage.base[s], &choices[flip][s][kAverage]);
            byAverage.choice[s] = &choices[flip][s][kAverage];
            if (SameBase(byAverage.base[s], byChromaFit.base[s])) {
                byChromaFit.choice[s] = byAverage.choice[s];
            } else {
                SearchSubblock(lanes, byChromaFit.base[s], &choices[flip][s][kChromaFit]);
                byChromaFit.choice[s] = &choices[flip][s][kChromaFit];
            }
        }
        byAverage.error = byAverage.choice[0]->error + byAverage.choice[1]->error;
        byChromaFit.error = byChromaFit.choice[0]->error + byChromaFit.choice[1]->error;
    }

    Etc1Words words[2];
    int flip[2];
    for (int e = 0; e < 2; ++e) {
        flip[e] = orientation[e][1].error < orientation[e][0].error ? 1 : 0;
        words[e] = AssembleWords(orientation[e][flip[e]], flip[e]);
    }
    if (words[kAverage].word1 == words[kChromaFit].word1 && words[kAverage].word2 == words[kChromaFit].word2) {
        return words[kAverage];
    }
    const double averageError = OrientationError(planes, orientation[kAverage][flip[kAverage]], flip[kAverage]);
    const double chromaFitError =
        OrientationError(planes, orientation[kChromaFit][flip[kChromaFit]], flip[kChromaFit]);
    return chromaFitError < averageError ? words[kChromaFit] : words[kAverage];
}

void SearchSubblockAlone(const Etc1SubblockLanes& pixels, const uint8_t base[3], Etc1FastChoice* choice) {
    SearchSubblock(pixels, base, choice);
}

Etc1Bases ChromaFitBasesAlone(const Etc1Average& first, const Etc1Average& second) {
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

Etc1Words Etc1EncodeBlock(const ColourBlock& pixels) { return HWY_DYNAMIC_DISPATCH(etc1_fast::EncodeBlock)(pixels); }

void Etc1SearchSubblockFast(const Etc1SubblockLanes& pixels, const uint8_t base[3], Etc1FastChoice* choice) {
    HWY_DYNAMIC_DISPATCH(etc1_fast::SearchSubblockAlone)(pixels, base, choice);
}

Etc1Bases Etc1ChromaFitBasesFast(const Etc1Average& first, const Etc1Average& second) {
    return HWY_DYNAMIC_DISPATCH(etc1_fast::ChromaFitBasesAlone)(first, second);
}

int64_t Etc1FastEncoderTarget() { return HWY_DYNAMIC_DISPATCH(etc1_fast::Target)(); }
#endif
