// The single-channel encoder the library uses, compiled once per Highway
// target and chosen at run time. It returns exactly the bytes of
// SingleChannelEncodeBlockReference, with less work:
// - the values are sorted as bytes, which order as their floats k / 255 do;
// - the ramp searches run several candidates at once
//   (single_channel_ramp_lanes-inl.h);
// - the nearest palette entries are found for all values at once, each
//   lane repeating the reference's float steps for one value, the first of
//   equal squares kept.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "single_channel_encode.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep
#include "hwy/highway.h"

#include "single_channel_codec.h"
#include "single_channel_endpoints.h"
#include "single_channel_layout.h"
#include "single_channel_ramp.h"
#include "single_channel_ramp_lanes-inl.h"

HWY_BEFORE_NAMESPACE();
namespace single_channel_fast {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using ValueTag = hn::CappedTag<float, 16>;

RampFit SearchRamp(const WeightedValues& values, int steps) {
    return SearchRampLanes(values, steps);
}

// value / 255 for every byte, as the reference computes it.
const float* UnitValues() {
    static const auto* table = [] {
        static float unit[256];
        for (int b = 0; b < 256; ++b) {
            unit[b] = static_cast<float>(b) / 255.0f;
        }
        return unit;
    }();
    return table;
}

// Each value goes to its rank: the values below it and its equals before
// it, counted in lanes without a branch.
void SortBytes(const uint8_t values[16], uint8_t sorted[16]) {
    const hn::CappedTag<uint8_t, 16> d;
    uint8_t position[16];
    for (size_t k = 0; k < 16; k += hn::Lanes(d)) {
        const auto own = hn::LoadU(d, values + k);
        const auto lane = hn::Iota(d, static_cast<uint8_t>(k));
        auto rank = hn::Zero(d);
        for (int j = 0; j < 16; ++j) {
            const auto value = hn::Set(d, values[j]);
            const auto before = hn::Lt(hn::Set(d, static_cast<uint8_t>(j)), lane);
            rank = hn::Sub(rank, hn::VecFromMask(d, hn::Or(hn::Lt(value, own),
                                                           hn::And(hn::Eq(value, own), before))));
        }
        hn::StoreU(rank, d, position + k);
    }
    for (int k = 0; k < 16; ++k) {
        sorted[position[k]] = values[k];
    }
}

void AssignIndices(const float values[16], const uint8_t block[8], uint8_t index[16]) {
    uint8_t palette[8];
    SingleChannelPalette(block[0], block[1], palette);
    const float* unit = UnitValues();
    const ValueTag d;
    const hn::RebindToSigned<ValueTag> di;
    for (size_t k = 0; k < 16; k += hn::Lanes(d)) {
        const auto value = hn::LoadU(d, values + k);
        auto best = hn::Set(d, 10000000.0f);
        auto chosen = hn::Zero(di);
        for (int i = 0; i < 8; ++i) {
            const auto difference = hn::Sub(value, hn::Set(d, unit[palette[i]]));
            const auto square = hn::Mul(difference, difference);
            const auto closer = hn::Lt(square, best);
            best = hn::IfThenElse(closer, square, best);
            chosen = hn::IfThenElse(hn::RebindMask(di, closer), hn::Set(di, i), chosen);
        }
        HWY_ALIGN int32_t lane[16];
        hn::Store(chosen, di, lane);
        for (size_t j = 0; j < hn::Lanes(d); ++j) {
            index[k + j] = static_cast<uint8_t>(lane[j]);
        }
    }
}

void EncodeBlock(const uint8_t values[16], uint8_t block[8]) {
    const float* unit = UnitValues();
    uint8_t sortedBytes[16];
    SortBytes(values, sortedBytes);
    float sorted[16];
    float scaled[16];
    for (int k = 0; k < 16; ++k) {
        sorted[k] = unit[sortedBytes[k]];
        scaled[k] = unit[values[k]];
    }
    EncodeScaledValues(scaled, sorted, SearchRamp, AssignIndices, block);
}

int64_t Target() { return HWY_TARGET; }

// NOLINTNEXTLINE(google-readability-namespace-comments)
}  // namespace HWY_NAMESPACE
}  // namespace single_channel_fast
HWY_AFTER_NAMESPACE();

#if HWY_ONCE

namespace single_channel_fast {
HWY_EXPORT(EncodeBlock);
HWY_EXPORT(SearchRamp);
HWY_EXPORT(Target);
}  // namespace single_channel_fast

void SingleChannelEncodeBlock(const uint8_t values[16], uint8_t block[8]) {
    HWY_DYNAMIC_DISPATCH(single_channel_fast::EncodeBlock)(values, block);
}

RampFit SearchRampFast(const WeightedValues& values, int steps) {
    return HWY_DYNAMIC_DISPATCH(single_channel_fast::SearchRamp)(values, steps);
}

int64_t SingleChannelEncoderTarget() { return HWY_DYNAMIC_DISPATCH(single_channel_fast::Target)(); }

#endif  // HWY_ONCE
