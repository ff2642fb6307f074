// The reference's per-sub-block steps: the sub-block average, and the
// search over every codeword and modifier column around a base colour.
#include "etc1_base_rules.h"
#include "etc1_encoder.h"
#include "etc1_modifiers.h"

namespace {

// 16 x 3 x 255^2: above any error a pixel or sub-block can have.
constexpr float kErrorCeiling = 3121200.0f;

// The three weighted squares of a candidate's channel differences, by the
// size of the difference: red in double precision, green and blue as
// products with single-precision weights.
struct ErrorTerms {
    double red[256];
    float green[256];
    float blue[256];
};

constexpr ErrorTerms MakeErrorTerms() {
    ErrorTerms terms{};
    for (int d = 0; d < 256; ++d) {
        terms.red[d] = 0.299 * (d * d);
        terms.green[d] = 0.587f * static_cast<float>(d * d);
        terms.blue[d] = 0.114f * static_cast<float>(d * d);
    }
    return terms;
}

constexpr ErrorTerms kErrorTerms = MakeErrorTerms();

int Magnitude(int value) { return value < 0 ? -value : value; }

// Perceptual error of a candidate colour, summed in double precision and
// rounded to a float.
float CandidateError(const uint8_t candidate[3], const uint8_t pixel[3]) {
    return static_cast<float>(kErrorTerms.red[Magnitude(candidate[0] - pixel[0])] +
                              kErrorTerms.green[Magnitude(candidate[1] - pixel[1])] +
                              kErrorTerms.blue[Magnitude(candidate[2] - pixel[2])]);
}

}  // namespace

Etc1Average AverageSubblock(const ColourBlock& pixels, const Etc1Subblock& subblock) {
    Etc1Average average{};
    for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (uint8_t index : subblock.pixel) {
            sum += pixels.texel[index][c];
        }
        average.channel[c] = Etc1ChannelAverage(sum);
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
        uint8_t candidateColour[4][3];
        for (int column = 0; column < 4; ++column) {
            for (int c = 0; c < 3; ++c) {
                candidateColour[column][c] =
                    Etc1ClampChannel(base[c] + Etc1ModifierTable[codeword][column]);
            }
        }
        for (int i = 0; i < 8; ++i) {
            const uint8_t* pixel = pixels.texel[subblock.pixel[i]];
            float pixelError = kErrorCeiling;
            for (int column = 0; column < 4; ++column) {
                const float error = CandidateError(candidateColour[column], pixel);
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
