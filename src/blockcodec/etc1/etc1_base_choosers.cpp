// The two ways of choosing both sub-blocks' base colours from their
// averages: each average quantized directly, or the quantized values per
// channel that keep the three channels' quantization errors most alike.
#include "etc1_base_rules.h"
#include "etc1_encoder.h"
#include "etc1_modifiers.h"

namespace {

// The combinations of the lower (bit clear) and higher (bit set) value per
// channel, bit 0 red, bit 1 green, bit 2 blue, in the order they are tried.
constexpr int kCombinations[8] = {0, 1, 2, 4, 3, 5, 6, 7};

uint8_t WidenField(uint32_t q, uint32_t maximum) {
    return maximum == 15 ? Etc1Widen4(q) : Etc1Widen5(q);
}

// Per channel, the truncated value or the next one, whichever combination
// keeps the quantization errors of the three channels most alike.
void QuantizeChromaFit(const Etc1Average& average, float step, uint32_t maximum,
                       uint32_t field[3]) {
    uint32_t choice[2][3];
    float error[2][3];
    for (int c = 0; c < 3; ++c) {
        const uint32_t lo = Etc1LowerField(average.channel[c], step);
        const uint32_t hi = lo + 1 > maximum ? maximum : lo + 1;
        choice[0][c] = lo;
        choice[1][c] = hi;
        error[0][c] = static_cast<float>(WidenField(lo, maximum)) - average.channel[c];
        error[1][c] = static_cast<float>(WidenField(hi, maximum)) - average.channel[c];
    }
    int best = 0;
    float bestError = 0.0f;
    for (int i = 0; i < 8; ++i) {
        const int combination = kCombinations[i];
        const float eR = error[combination & 1][0];
        const float eG = error[(combination >> 1) & 1][1];
        const float eB = error[(combination >> 2) & 1][2];
        const float spread = Etc1ChromaSpread(eR - eG, eR - eB, eG - eB);
        if (i == 0 || spread < bestError) {
            best = combination;
            bestError = spread;
        }
    }
    for (int c = 0; c < 3; ++c) {
        field[c] = choice[(best >> c) & 1][c];
    }
}

}  // namespace

Etc1Bases ChooseAverageBases(const Etc1Average& first, const Etc1Average& second) {
    Etc1Bases bases;
    for (int c = 0; c < 3; ++c) {
        bases.field[0][c] = Etc1Quantize5(first.channel[c]);
        bases.field[1][c] = Etc1Quantize5(second.channel[c]);
    }
    bases.differential = Etc1DifferencesFit(bases.field[0], bases.field[1]);
    if (!bases.differential) {
        for (int c = 0; c < 3; ++c) {
            bases.field[0][c] = Etc1Quantize4(first.channel[c]);
            bases.field[1][c] = Etc1Quantize4(second.channel[c]);
        }
    }
    return bases;
}

Etc1Bases ChooseChromaFitBases(const Etc1Average& first, const Etc1Average& second) {
    Etc1Bases bases;
    QuantizeChromaFit(first, kEtc1Step5, 31, bases.field[0]);
    QuantizeChromaFit(second, kEtc1Step5, 31, bases.field[1]);
    bases.differential = Etc1DifferencesFit(bases.field[0], bases.field[1]);
    if (!bases.differential) {
        QuantizeChromaFit(first, kEtc1Step4, 15, bases.field[0]);
        QuantizeChromaFit(second, kEtc1Step4, 15, bases.field[1]);
    }
    return bases;
}
