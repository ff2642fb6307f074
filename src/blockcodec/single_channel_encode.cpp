#include <algorithm>
#include <cmath>

#include "single_channel_codec.h"
#include "single_channel_layout.h"
#include "single_channel_ramp.h"

namespace {

// Values strictly between these are matched by the interpolated part of the
// six-value palette; those outside are left to its exact 0 and 255.
constexpr float kMidLow = 1.5f / 255.0f;
constexpr float kMidHigh = 253.5f / 255.0f;

struct Endpoints {
    bool eightValues = true;
    uint32_t e0 = 0;
    uint32_t e1 = 0;
};

uint32_t RoundEndpoint(float value) {
    const float rounded = std::floor(255.0f * value + 0.5f);
    return static_cast<uint32_t>(std::clamp(rounded, 0.0f, 255.0f));
}

void AddValue(WeightedValues* list, float value) {
    list->value[list->count] = value;
    list->weight[list->count] = 1.0f;
    ++list->count;
}

// The distinct values of the sorted block with their counts: all of them,
// and those of the interpolated range.
void ListDistinctValues(const float sorted[16], WeightedValues* full, WeightedValues* mid) {
    for (int i = 0; i < 16; ++i) {
        const float v = sorted[i];
        if (i > 0 && v == sorted[i - 1]) {
            full->weight[full->count - 1] += 1.0f;
            if (mid->count > 0 && mid->value[mid->count - 1] == v) {
                mid->weight[mid->count - 1] += 1.0f;
            }
            continue;
        }
        AddValue(full, v);
        if (v > kMidLow && v < kMidHigh) {
            AddValue(mid, v);
        }
    }
}

Endpoints ChooseEndpoints(const WeightedValues& full, const WeightedValues& mid) {
    if (full.count < 3) {
        const uint32_t first = RoundEndpoint(full.value[0]);
        return {true, first, full.count == 2 ? RoundEndpoint(full.value[1]) : first};
    }
    if (mid.count == 2) {
        return {false, RoundEndpoint(mid.value[0]), RoundEndpoint(mid.value[1])};
    }
    if (mid.count == 1) {
        const uint32_t only = RoundEndpoint(mid.value[0]);
        return {false, only, only + 1};
    }
    if (mid.count == 0) {
        return {false, 128, 129};
    }
    const RampFit six = SearchRamp(mid, 6);
    const RampFit eight = SearchRamp(full, 8);
    if (eight.error < six.error) {
        return {true, RoundEndpoint(eight.low), RoundEndpoint(eight.high)};
    }
    return {false, RoundEndpoint(six.low), RoundEndpoint(six.high)};
}

// Orders the endpoints for their mode (e0 > e1 for eight values, e0 < e1 for
// six) and gives each value the palette entry nearest to it.
void AssignIndices(const float values[16], Endpoints endpoints, uint8_t block[8]) {
    uint8_t index[16] = {};
    if (endpoints.e0 != endpoints.e1) {
        const bool ordered = endpoints.eightValues ? endpoints.e0 > endpoints.e1 : endpoints.e0 < endpoints.e1;
        if (!ordered) {
            std::swap(endpoints.e0, endpoints.e1);
        }
        uint8_t palette[8];
        SingleChannelPalette(endpoints.e0, endpoints.e1, palette);
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
    block[0] = static_cast<uint8_t>(endpoints.e0);
    block[1] = static_cast<uint8_t>(endpoints.e1);
    PackSingleChannelIndices(index, block);
}

}  // namespace

void SingleChannelEncodeBlock(const uint8_t values[16], uint8_t block[8]) {
    float scaled[16];
    for (int k = 0; k < 16; ++k) {
        scaled[k] = static_cast<float>(values[k]) / 255.0f;
    }
    float sorted[16];
    std::copy(scaled, scaled + 16, sorted);
    std::sort(sorted, sorted + 16);
    WeightedValues full;
    WeightedValues mid;
    ListDistinctValues(sorted, &full, &mid);
    AssignIndices(scaled, ChooseEndpoints(full, mid), block);
}
