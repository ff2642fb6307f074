// Fitting a ramp of evenly spaced values between a low and a high end to a
// list of distinct values with weights. All quantities are 32-bit floats.
#pragma once

struct WeightedValues {
    float value[16];
    float weight[16];
    int count = 0;
};

// The weighted squared error of snapping every value to the ramp of `steps`
// values from low to high; bound once the running sum exceeds it.
float RampError(const WeightedValues& values, int steps, float low, float high, float bound);

struct RampFit {
    float low = 0.0f;
    float high = 0.0f;
    float error = 0.0f;
};

// A coarse grid search (for widely spread values) and a local refinement of
// both ends, starting from the smallest and largest value: the reference,
// one RampError at a time.
RampFit SearchRamp(const WeightedValues& values, int steps);

// The same fit from the fast search that the library's encoder uses, on the
// SIMD target chosen at run time.
RampFit SearchRampFast(const WeightedValues& values, int steps);
