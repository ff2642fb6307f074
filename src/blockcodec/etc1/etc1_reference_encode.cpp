// The straightforward ETC1 encoder: both orientations with each base
// chooser, then the encoder whose decoded block has the smaller error. It
// defines the bytes that the fast encoder must give.
#include "etc1_codec.h"
#include "etc1_encoder.h"
#include "etc1_modifiers.h"
#include "etc1_words.h"

namespace {

struct Etc1Candidate {
    Etc1Words words;
    int32_t error = 0;
};

Etc1Candidate EncodeOrientation(const ColourBlock& pixels, uint32_t flip,
                                Etc1BaseChooser chooseBases) {
    const Etc1Subblock& first = Etc1Subblocks[flip][0];
    const Etc1Subblock& second = Etc1Subblocks[flip][1];
    const Etc1Bases bases =
        chooseBases(AverageSubblock(pixels, first), AverageSubblock(pixels, second));
    uint8_t base[2][3];
    for (int s = 0; s < 2; ++s) {
        for (int c = 0; c < 3; ++c) {
            base[s][c] =
                bases.differential ? Etc1Widen5(bases.field[s][c]) : Etc1Widen4(bases.field[s][c]);
        }
    }
    const Etc1TableChoice firstChoice = SearchSubblockTable(pixels, first, base[0]);
    const Etc1TableChoice secondChoice = SearchSubblockTable(pixels, second, base[1]);
    Etc1Candidate candidate;
    candidate.words.word1 =
        Etc1AssembleWord1(bases, firstChoice.codeword, secondChoice.codeword, flip);
    candidate.words.word2 =
        Etc1PixelCodeBits(first, firstChoice.code) | Etc1PixelCodeBits(second, secondChoice.code);
    candidate.error = firstChoice.error + secondChoice.error;
    return candidate;
}

// Both orientations; the top and bottom split only when strictly better.
Etc1Words EncodeWithBases(const ColourBlock& pixels, Etc1BaseChooser chooseBases) {
    const Etc1Candidate sideBySide = EncodeOrientation(pixels, 0, chooseBases);
    const Etc1Candidate stacked = EncodeOrientation(pixels, 1, chooseBases);
    return stacked.error < sideBySide.error ? stacked.words : sideBySide.words;
}

}  // namespace

Etc1Words Etc1EncodeAverage(const ColourBlock& pixels) {
    return EncodeWithBases(pixels, ChooseAverageBases);
}

Etc1Words Etc1EncodeChromaFit(const ColourBlock& pixels) {
    return EncodeWithBases(pixels, ChooseChromaFitBases);
}

double Etc1BlockError(const ColourBlock& pixels, const Etc1Words& words) {
    ColourBlock decoded;
    Etc1DecodeBlock(words.word1, words.word2, &decoded);
    return Etc1DecodedError(pixels, decoded);
}

double Etc1DecodedError(const ColourBlock& pixels, const ColourBlock& decoded) {
    double total = 0.0;
    for (int i = 0; i < 16; ++i) {
        const int d0 = decoded.texel[i][0] - pixels.texel[i][0];
        const int d1 = decoded.texel[i][1] - pixels.texel[i][1];
        const int d2 = decoded.texel[i][2] - pixels.texel[i][2];
        total += 0.299 * (d0 * d0) + 0.587 * (d1 * d1) + 0.114 * (d2 * d2);
    }
    return total;
}

Etc1Words Etc1EncodeBlockReference(const ColourBlock& pixels) {
    const Etc1Words average = Etc1EncodeAverage(pixels);
    const Etc1Words chromaFit = Etc1EncodeChromaFit(pixels);
    return Etc1BlockError(pixels, chromaFit) < Etc1BlockError(pixels, average) ? chromaFit
                                                                               : average;
}
