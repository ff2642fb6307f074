// The steps of single-channel block encoding that the reference and the
// fast encoder share: the block's distinct values, the choice of palette
// mode and endpoints from the ramp fits, and their order in the block.
#pragma once

#include <cstdint>

#include "single_channel_ramp.h"

struct SingleChannelEndpoints {
    bool eightValues = true;
    uint32_t e0 = 0;
    uint32_t e1 = 0;
};

// A ramp search: the reference SearchRamp or one that gives the same fits.
using RampSearch = RampFit (*)(const WeightedValues& values, int steps);

// The distinct values of the sorted block (values k / 255) with their
// counts: all of them, and those of the interpolated range (strictly between
// 1.5 / 255 and 253.5 / 255), which the six-value palette's 0 and 255 leave.
void ListDistinctValues(const float sorted[16], WeightedValues* full, WeightedValues* mid);

// The mode and endpoints for the block's distinct values; the ramps are
// fitted by search.
SingleChannelEndpoints ChooseEndpoints(const WeightedValues& full, const WeightedValues& mid,
                                       RampSearch search);

// Gives values[k] an index into the palette of the block's endpoints.
using IndexAssignment = void (*)(const float values[16], const uint8_t block[8], uint8_t index[16]);

// The block for the values k / 255 (scaled in raster order, sorted
// ascending): endpoints by search, then indices by assign unless the
// endpoints are equal.
void EncodeScaledValues(const float scaled[16], const float sorted[16], RampSearch search,
                        IndexAssignment assign, uint8_t block[8]);

// Swaps the endpoints into their mode's order (e0 > e1 for eight values,
// e0 < e1 for six) unless they are equal, and stores them in bytes 0 and 1.
// Returns false when they are equal: then every index is 0.
bool StoreEndpoints(SingleChannelEndpoints endpoints, uint8_t block[8]);
