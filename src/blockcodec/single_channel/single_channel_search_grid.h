// The candidate ends (low, high) that the ramp searches try, in the order
// they try them; the reference and the fast search share them, so both see
// the same floats.
#pragma once

#include <algorithm>

#include "single_channel_ramp.h"

namespace ramp_grid {

// Larger than any ramp error of values in [0, 1] with weights up to 16.
constexpr float kInitialError = 128000.0f;
// Values spread wider than this get the coarse grid before refinement.
constexpr float kCoarseSpread = 48.0f / 256.0f;
constexpr float kCoarseReach = 0.1f;
constexpr float kCoarseStep = 0.018f;
constexpr float kRefineStep = 0.6f / 256.0f;

// Moves of (low, high) in refine steps, in the order they are tried.
constexpr int kMoves[9][2] = {{0, 0},  {0, -1}, {0, 1},  {-1, 0}, {-1, -1},
                              {-1, 1}, {1, 0},  {1, -1}, {1, 1}};

// Low ends from low - 0.1 up, high ends from high + 0.1 down, both within
// 0.1 of the fit's ends and short of their middle: visit(low, high) for
// each, low by low.
template <class Visit>
void VisitCoarseGrid(const RampFit& fit, Visit&& visit) {
    const float mid = (fit.low + fit.high) / 2.0f;
    const float lowEnd = std::min(fit.low + kCoarseReach, mid);
    const float highStart = std::min(fit.high + kCoarseReach, 1.0f);
    const float highEnd = std::max(fit.high - kCoarseReach, mid);
    for (float low = std::max(fit.low - kCoarseReach, 0.0f); low < lowEnd; low += kCoarseStep) {
        for (float high = highStart; high >= highEnd; high -= kCoarseStep) {
            visit(low, high);
        }
    }
}

// The ends of move m around the fit's ends, kept within [0, 1].
inline float MovedLow(const RampFit& fit, int m) {
    return std::max(fit.low + static_cast<float>(kMoves[m][0]) * kRefineStep, 0.0f);
}
inline float MovedHigh(const RampFit& fit, int m) {
    return std::min(fit.high + static_cast<float>(kMoves[m][1]) * kRefineStep, 1.0f);
}

}  // namespace ramp_grid
