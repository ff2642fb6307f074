#include "single_channel_ramp.h"

#include <cmath>

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
