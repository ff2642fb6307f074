// The first of 8 float values holding the smallest one, compiled once per
// Highway target by the files that include it.
#if defined(VOSTREL_ETC1_LANE_MINIMUM_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef VOSTREL_ETC1_LANE_MINIMUM_INL_H_
#undef VOSTREL_ETC1_LANE_MINIMUM_INL_H_
#else
#define VOSTREL_ETC1_LANE_MINIMUM_INL_H_
#endif

#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace etc1_fast {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// The index of the first of values[0..7] equal to their minimum, the values
// read in vectors of d, the tag they were stored with (so that each load
// takes exactly one earlier store).
template <class D>
HWY_INLINE uint32_t FirstMinimum(D d, const float values[8]) {
    const size_t n = hn::Lanes(d);
    auto low = hn::Load(d, values);
    for (size_t i = n; i < 8; i += n) {
        low = hn::Min(low, hn::Load(d, values + i));
    }
    const auto lowest = hn::MinOfLanes(d, low);
    size_t i = 0;
    intptr_t lane = hn::FindFirstTrue(d, hn::Eq(hn::Load(d, values), lowest));
    while (lane < 0) {
        i += n;
        lane = hn::FindFirstTrue(d, hn::Eq(hn::Load(d, values + i), lowest));
    }
    return static_cast<uint32_t>(i + static_cast<size_t>(lane));
}

// NOLINTNEXTLINE(google-readability-namespace-comments)
}  // namespace HWY_NAMESPACE
}  // namespace etc1_fast
HWY_AFTER_NAMESPACE();

#endif  // VOSTREL_ETC1_LANE_MINIMUM_INL_H_
