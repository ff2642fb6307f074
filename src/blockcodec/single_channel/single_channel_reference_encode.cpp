// The straightforward single-channel encoder: the definition of the result,
// which the fast encoder must match byte for byte.
#include <algorithm>

#include "single_channel_codec.h"
#include "single_channel_endpoints.h"
#include "single_channel_layout.h"
#include "single_channel_ramp.h"

namespace {

// Gives each value the palette entry nearest to it, the first of equals.
void AssignIndices(const float values[16], const uint8_t block[8], uint8_t index[16]) {
    uint8_t palette[8];
    SingleChannelPalette(block[0], block[1], palette);
    float scaled[8];
    for (int i = 0; i < 8; ++i) {
        scaled[i] = static_cast<float>(palette[i]) / 255.0f;
    }
    for (int k = 0; k < 16; ++k) {
        float best = 10000000.0f;
        for (uint8_t i = 0; i < 8; ++i) {
            const float difference = values[k] - scaled[i];
            if (difference * difference < best) {
                best = difference * difference;
                index[k] = i;
            }
        }
    }
}

}  // namespace

void SingleChannelEncodeBlockReference(const uint8_t values[16], uint8_t block[8]) {
    float scaled[16];
    for (int k = 0; k < 16; ++k) {
        scaled[k] = static_cast<float>(values[k]) / 255.0f;
    }
    float sorted[16];
    std::copy(scaled, scaled + 16, sorted);
    std::sort(sorted, sorted + 16);
    EncodeScaledValues(scaled, sorted, SearchRamp, AssignIndices, block);
}
