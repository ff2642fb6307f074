// The steps of single-channel encoding that the reference and the fast
// encoder share: distinct values, palette mode and endpoints, their order.
#include "single_channel_endpoints.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "single_channel_layout.h"

namespace {

constexpr float kMidLow = 1.5f / 255.0f;
constexpr float kMidHigh = 253.5f / 255.0f;

uint32_t RoundEndpoint(float value) {
    const float rounded = std::floor(255.0f * value + 0.5f);
    return static_cast<uint32_t>(std::clamp(rounded, 0.0f, 255.0f));
}

void AddValue(WeightedValues* list, float value) {
    list->value[list->count] = value;
    list->weight[list->count] = 1.0f;
    ++list->count;
}

}  // namespace

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

SingleChannelEndpoints ChooseEndpoints(const WeightedValues& full, const WeightedValues& mid,
                                       RampSearch search) {
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
    const RampFit six = search(mid, 6);
    const RampFit eight = search(full, 8);
    if (eight.error < six.error) {
        return {true, RoundEndpoint(eight.low), RoundEndpoint(eight.high)};
    }
    return {false, RoundEndpoint(six.low), RoundEndpoint(six.high)};
}

bool StoreEndpoints(SingleChannelEndpoints endpoints, uint8_t block[8]) {
    const bool distinct = endpoints.e0 != endpoints.e1;
    if (distinct) {
        const bool ordered =
            endpoints.eightValues ? endpoints.e0 > endpoints.e1 : endpoints.e0 < endpoints.e1;
        if (!ordered) {
            std::swap(endpoints.e0, endpoints.e1);
        }
    }
    block[0] = static_cast<uint8_t>(endpoints.e0);
    block[1] = static_cast<uint8_t>(endpoints.e1);
    return distinct;
}

void EncodeScaledValues(const float scaled[16], const float sorted[16], RampSearch search,
                        IndexAssignment assign, uint8_t block[8]) {
    WeightedValues full;
    WeightedValues mid;
    ListDistinctValues(sorted, &full, &mid);
    uint8_t index[16] = {};
    if (StoreEndpoints(ChooseEndpoints(full, mid, search), block)) {
        assign(scaled, block, index);
    }
    PackSingleChannelIndices(index, block);
}
