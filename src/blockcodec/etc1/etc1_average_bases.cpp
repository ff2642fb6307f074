#include "etc1_encoder.h"

namespace {

uint32_t Quantize5(float average) {
    return static_cast<uint32_t>(static_cast<double>(average) * 31 / 255 + 0.5);
}

// The 0.0001 is a single-precision constant added after the rounding half.
uint32_t Quantize4(float average) {
    return static_cast<uint32_t>(static_cast<double>(average) / 17 + 0.5 + 0.0001f);
}

}  // namespace

Etc1Bases ChooseAverageBases(const Etc1Average& first, const Etc1Average& second) {
    Etc1Bases bases;
    for (int c = 0; c < 3; ++c) {
        bases.field[0][c] = Quantize5(first.channel[c]);
        bases.field[1][c] = Quantize5(second.channel[c]);
    }
    bases.differential = Etc1DifferencesFit(bases.field[0], bases.field[1]);
    if (!bases.differential) {
        for (int c = 0; c < 3; ++c) {
            bases.field[0][c] = Quantize4(first.channel[c]);
            bases.field[1][c] = Quantize4(second.channel[c]);
        }
    }
    return bases;
}
