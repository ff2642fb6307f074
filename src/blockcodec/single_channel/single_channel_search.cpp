// The reference ramp fit: the error of one candidate ramp, and the coarse
// grid and local refinement that try candidates one RampError at a time.
#include <cmath>

#include "single_channel_ramp.h"
#include "single_channel_search_grid.h"

namespace {

using namespace ramp_grid;

void CoarseSearch(const WeightedValues& values, int steps, RampFit* fit) {
    float bestLow = fit->low;
    float bestHigh = fit->high;
    VisitCoarseGrid(*fit, [&](float low, float high) {
        const float error = RampError(values, steps, low, high, fit->error);
        if (error < fit->error) {
            fit->error = error;
            bestLow = low;
            bestHigh = high;
        }
    });
    fit->low = bestLow;
    fit->high = bestHigh;
}

// Rounds of the nine moves around the current ends, each round moving to its
// best strictly improving move, until a round improves nothing.
void Refine(const WeightedValues& values, int steps, RampFit* fit) {
    for (;;) {
        bool improved = false;
        float nextLow = fit->low;
        float nextHigh = fit->high;
        for (int m = 0; m < 9; ++m) {
            const float low = MovedLow(*fit, m);
            const float high = MovedHigh(*fit, m);
            const float error = RampError(values, steps, low, high, fit->error);
            if (error < fit->error) {
                fit->error = error;
                nextLow = low;
                nextHigh = high;
                improved = true;
            }
        }
        if (!improved) {
            return;
        }
        fit->low = nextLow;
        fit->high = nextHigh;
    }
}

}  // namespace

float RampError(const WeightedValues& values, int steps, float low, float high, float bound) {
    const float step = (high - low) / static_cast<float>(steps - 1);
    float sum = 0.0f;
    for (int i = 0; i < values.count; ++i) {
        const float v = values.value[i];
        float snapped;
        if (v - low <= 0.0f) {
            snapped = low;
        } else if (v - high >= 0.0f) {
            snapped = high;
        } else {
            snapped = low + step * std::floor((v - low + step / 2.0f) / step);
        }
        const float difference = v - snapped;
        sum += values.weight[i] * (difference * difference);
        if (sum > bound) {
            return bound;
        }
    }
    return sum;
}

RampFit SearchRamp(const WeightedValues& values, int steps) {
    RampFit fit;
    fit.low = values.value[0];
    fit.high = values.value[values.count - 1];
    fit.error = kInitialError;
    if (fit.high - fit.low > kCoarseSpread) {
        CoarseSearch(values, steps, &fit);
    }
    Refine(values, steps, &fit);
    return fit;
}
