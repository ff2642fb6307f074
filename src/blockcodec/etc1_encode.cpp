// The ETC1 encoder the library uses. It returns exactly the words of
// Etc1EncodeBlockReference, with less work:
// - the four sub-block averages are computed once for both base choosers;
// - a sub-block whose two choosers pick the same base colour is searched
//   once, since the search depends only on the pixels and the base;
// - the table search is the fast one (etc1_search_kernel.cpp);
// - when both encoders produce the same words there is nothing to compare;
//   otherwise each candidate's error comes from the colours its choices
//   stand for, which are exactly what decoding its words gives.
#include "etc1_codec.h"
#include "etc1_encoder.h"
#include "etc1_fast_search.h"
#include "etc1_modifiers.h"
#include "etc1_words.h"

namespace {

// The encoders, in the order of the final choice's tie rule.
enum Encoder { kAverage = 0, kChromaFit = 1 };

// Sub-block planes, [flip][sub-block].
void MakePlanes(const ColourBlock& pixels, Etc1SubblockPlanes planes[2][2]) {
    for (int flip = 0; flip < 2; ++flip) {
        for (int s = 0; s < 2; ++s) {
            Etc1SubblockPlanes& plane = planes[flip][s];
            for (int i = 0; i < 8; ++i) {
                const uint8_t* texel = pixels.texel[Etc1Subblocks[flip][s].pixel[i]];
                for (int c = 0; c < 3; ++c) {
                    plane.channel[c][i] = texel[c];
                }
                plane.luma[i] = Etc1IntegerLuma(texel);
            }
        }
    }
}

// The averages AverageSubblock gives, [flip][sub-block], from the channel
// sums of the four 2x2 quadrants.
void MakeAverages(const ColourBlock& pixels, Etc1Average average[2][2]) {
    int quadrant[2][2][3] = {};  // [row pair][column pair][channel]
    for (int i = 0; i < 16; ++i) {
        for (int c = 0; c < 3; ++c) {
            quadrant[i / 8][(i % 4) / 2][c] += pixels.texel[i][c];
        }
    }
    for (int c = 0; c < 3; ++c) {
        const int left = quadrant[0][0][c] + quadrant[1][0][c];
        const int right = quadrant[0][1][c] + quadrant[1][1][c];
        const int top = quadrant[0][0][c] + quadrant[0][1][c];
        const int bottom = quadrant[1][0][c] + quadrant[1][1][c];
        average[0][0].channel[c] = static_cast<float>(left * 0.125);
        average[0][1].channel[c] = static_cast<float>(right * 0.125);
        average[1][0].channel[c] = static_cast<float>(top * 0.125);
        average[1][1].channel[c] = static_cast<float>(bottom * 0.125);
    }
}

// One encoder's result for one orientation.
struct Orientation {
    Etc1Bases bases;
    uint8_t base[2][3] = {};
    const Etc1FastChoice* choice[2] = {};
    int32_t error = 0;
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

Etc1Words AssembleWords(const Orientation& orientation, uint32_t flip) {
    uint32_t code[2][8];
    for (int s = 0; s < 2; ++s) {
        for (int i = 0; i < 8; ++i) {
            code[s][i] = Etc1CodeOfColumn[orientation.choice[s]->column[i]];
        }
    }
    Etc1Words words;
    words.word1 = Etc1AssembleWord1(orientation.bases, orientation.choice[0]->codeword,
                                    orientation.choice[1]->codeword, flip);
    words.word2 = Etc1PixelCodeBits(Etc1Subblocks[flip][0], code[0]) |
                  Etc1PixelCodeBits(Etc1Subblocks[flip][1], code[1]);
    return words;
}

// Etc1BlockError of the orientation's words, from the colours its choices
// decode to.
double OrientationError(const ColourBlock& pixels, const Orientation& orientation, uint32_t flip) {
    ColourBlock decoded;
    for (int s = 0; s < 2; ++s) {
        const Etc1FastChoice& choice = *orientation.choice[s];
        for (int i = 0; i < 8; ++i) {
            const int modifier = Etc1ModifierTable[choice.codeword][choice.column[i]];
            uint8_t* texel = decoded.texel[Etc1Subblocks[flip][s].pixel[i]];
            for (int c = 0; c < 3; ++c) {
                texel[c] = Etc1ClampChannel(orientation.base[s][c] + modifier);
            }
        }
    }
    return Etc1DecodedError(pixels, decoded);
}

}  // namespace

Etc1Words Etc1EncodeBlock(const ColourBlock& pixels) {
    Etc1SubblockPlanes planes[2][2];
    MakePlanes(pixels, planes);
    Etc1Average average[2][2];
    MakeAverages(pixels, average);

    Etc1FastChoice choices[2][2][2];  // [flip][sub-block][encoder]
    Orientation orientation[2][2];    // [encoder][flip]
    for (int flip = 0; flip < 2; ++flip) {
        Orientation& byAverage = orientation[kAverage][flip];
        Orientation& byChromaFit = orientation[kChromaFit][flip];
        byAverage.bases = ChooseAverageBases(average[flip][0], average[flip][1]);
        byChromaFit.bases = ChooseChromaFitBases(average[flip][0], average[flip][1]);
        WidenBases(&byAverage);
        WidenBases(&byChromaFit);
        for (int s = 0; s < 2; ++s) {
            Etc1SearchSubblockFast(planes[flip][s], byAverage.base[s], &choices[flip][s][kAverage]);
            byAverage.choice[s] = &choices[flip][s][kAverage];
            if (SameBase(byAverage.base[s], byChromaFit.base[s])) {
                byChromaFit.choice[s] = byAverage.choice[s];
            } else {
                Etc1SearchSubblockFast(planes[flip][s], byChromaFit.base[s], &choices[flip][s][kChromaFit]);
                byChromaFit.choice[s] = &choices[flip][s][kChromaFit];
            }
        }
        byAverage.error = byAverage.choice[0]->error + byAverage.choice[1]->error;
        byChromaFit.error = byChromaFit.choice[0]->error + byChromaFit.choice[1]->error;
    }

    Etc1Words words[2];
    uint32_t flip[2];
    for (int e = 0; e < 2; ++e) {
        flip[e] = orientation[e][1].error < orientation[e][0].error ? 1 : 0;
        words[e] = AssembleWords(orientation[e][flip[e]], flip[e]);
    }
    if (words[kAverage].word1 == words[kChromaFit].word1 && words[kAverage].word2 == words[kChromaFit].word2) {
        return words[kAverage];
    }
    const double averageError = OrientationError(pixels, orientation[kAverage][flip[kAverage]], flip[kAverage]);
    const double chromaFitError =
        OrientationError(pixels, orientation[kChromaFit][flip[kChromaFit]], flip[kChromaFit]);
    return chromaFitError < averageError ? words[kChromaFit] : words[kAverage];
}
