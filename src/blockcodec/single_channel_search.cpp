#include <algorithm>

#include "single_channel_ramp.h"

namespace {

constexpr float kInitialError = 128000.0f;
constexpr float kCoarseSpread = 48.0f / 256.0f;
constexpr float kCoarseReach = 0.1f;
constexpr float kCoarseStep = 0.018f;
constexpr float kRefineStep = 0.6f / 256.0f;

// Moves of (low, high) in refine steps, in the order they are tried.
constexpr int kMoves[9][2] = {{0, 0},  {0, -1}, {0, 1},  {-1, 0}, {-1, -1},
                              {-1, 1}, {1, 0},  {1, -1}, {1, 1}};

// Low ends from lo - 0.1 up, high ends from hi + 0.1 down, both within 0.1 of
// their start and short of the middle.
void CoarseSearch(const WeightedValues& values, int steps, RampFit* fit) {
    const float mid = (fit->low + fit->high) / 2.0f;
    const float lowEnd = std::min(fit->low + kCoarseReach, mid);
    const float highStart = std::min(fit->high + kCoarseReach, 1.0f);
    const float highEnd = std::max(fit->high - kCoarseReach, mid);
    float bestLow = fit->low;
    float bestHigh = fit->high;
    for (float low = std::max(fit->low - kCoarseReach, 0.0f); low < lowEnd; low += kCoarseStep) {
        for (float high = highStart; high >= highEnd; high -= kCoarseStep) {
            const float error = RampError(values, steps, low, high, fit->error);
            if (error < fit->error) {
                fit->error = error;
                bestLow = low;
                bestHigh = high;
            }
        }
    }
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
        for (const auto& move : kMoves) {
            const float low = std::max(fit->low + static_cast<float>(move[0]) * kRefineStep, 0.0f);
            const float high = std::min(fit->high + static_cast<float>(move[1]) * kRefineStep, 1.0f);
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
