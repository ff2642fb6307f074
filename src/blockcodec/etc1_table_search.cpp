#include "etc1_encoder.h"
#include "etc1_modifiers.h"

namespace {

// 16 x 3 x 255^2: above any error a pixel or sub-block can have.
constexpr float kErrorCeiling = 3121200.0f;

// Perceptual error of a candidate colour, rounded to a float; the green and
// blue weights are single-precision constants.
float CandidateError(int d0, int d1, int d2) {
    return static_cast<float>(0.299 * (d0 * d0) + 0.587f * static_cast<float>(d1 * d1) +
                              0.114f * static_cast<float>(d2 * d2));
}

}  // namespace

Etc1Average AverageSubblock(const ColourBlock& pixels, const Etc1Subblock& subblock) {
    Etc1Average average{};
    for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (uint8_t index : subblock.pixel) {
            sum += pixels.texel[index][c];
        }
        average.channel[c] = static_cast<float>(sum * 0.125);
    }
    return average;
}

Etc1TableChoice SearchSubblockTable(const ColourBlock& pixels, const Etc1Subblock& subblock,
                                    const uint8_t base[3]) {
    Etc1TableChoice best;
    float bestError = kErrorCeiling;
    for (uint32_t codeword = 0; codeword < 8; ++codeword) {
        Etc1TableChoice candidate;
        candidate.codeword = codeword;
        float codewordError = 0.0f;
        for (int i = 0; i < 8; ++i) {
            const uint8_t* pixel = pixels.texel[subblock.pixel[i]];
            float pixelError = kErrorCeiling;
            for (int column = 0; column < 4; ++column) {
                const int modifier = Etc1ModifierTable[codeword][column];
                int difference[3];
                for (int c = 0; c < 3; ++c) {
                    difference[c] = Etc1ClampChannel(base[c] + modifier) - pixel[c];
                }
                const float error = CandidateError(difference[0], difference[1], difference[2]);
                if (error < pixelError) {
                    pixelError = error;
                    candidate.code[i] = Etc1CodeOfColumn[column];
                }
            }
            codewordError += pixelError;
        }
        if (codewordError < bestError) {
            bestError = codewordError;
            best = candidate;
        }
    }
    best.error = static_cast<int32_t>(bestError);
    return best;
}
