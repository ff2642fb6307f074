// The cubic B-spline kernel of the reduction filters.
#include "reduce_filters.h"

namespace {

float PositiveCube(float u) { return u >= 0.0f ? u * u * u : 0.0f; }

}  // namespace

float BSplineWeight(float t) {
    return (PositiveCube(t + 2.0f) - 4.0f * PositiveCube(t + 1.0f) + 6.0f * PositiveCube(t) -
            4.0f * PositiveCube(t - 1.0f)) *
           0.16666667f;
}
