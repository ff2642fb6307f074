// Small steps that the codecs' Highway kernels share, compiled once per
// target by the files that include it: the first of the smallest values,
// double-precision steps over lanes that one vector of doubles cannot hold,
// ordered float sums, and lookups in a table of 16 entries. Each step has
// its scalar-target form here, so that the kernels themselves never ask
// which target they are compiled for, and each keeps every lane's scalar
// operations in their order: nothing is fused, reassociated or approximated.
#if defined(VOSTREL_VECTOR_STEPS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef VOSTREL_VECTOR_STEPS_INL_H_
#undef VOSTREL_VECTOR_STEPS_INL_H_
#else
#define VOSTREL_VECTOR_STEPS_INL_H_
#endif

#include <cstddef>
#include <cstdint>

#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace vector_steps {
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

// step(dd, vectors...) for vectors with as many lanes as d, dd being the
// tag of as many doubles, whose result is a vector of d. Where the target's
// vectors cannot hold that many doubles, step runs on the lower and on the
// upper half of every vector and the halves are joined: the same operations,
// lane by lane.
template <class D, class Step, class... V>
HWY_INLINE hn::VFromD<D> InDoubleHalves(D d, const Step& step, V... vectors) {
#if HWY_TARGET == HWY_SCALAR
    (void)d;
    return step(hn::Rebind<double, D>(), vectors...);
#else
    if constexpr (hn::MaxLanes(d) * sizeof(double) <= HWY_MAX_BYTES) {
        return step(hn::Rebind<double, D>(), vectors...);
    } else {
        const hn::Rebind<double, hn::Half<D> > dd;
        const auto lower = step(dd, hn::LowerHalf(vectors)...);
        const auto upper = step(dd, hn::UpperHalf(hn::Half<hn::DFromV<V> >(), vectors)...);
        return hn::Combine(d, upper, lower);
    }
#endif
}

// The float sum of 8 values taken in order, one addition at a time, as a
// scalar loop sums them: values(i) gives the vector of df of values i and
// up, for i = 0, Lanes(df), ... below 8. Where one vector holds all 8, the
// lanes come straight from the register.
template <class DF, class Values>
HWY_INLINE float OrderedSum(DF df, const Values& values) {
#if HWY_TARGET != HWY_SCALAR
    if constexpr (hn::MaxLanes(df) == 8) {
        const hn::Half<DF> dh;
        const auto v = values(size_t{0});
        float sum = 0.0f;
        for (const auto quarter : {hn::LowerHalf(dh, v), hn::UpperHalf(dh, v)}) {
            sum += hn::GetLane(quarter);
            sum += hn::GetLane(hn::Shuffle2301(quarter));
            sum += hn::GetLane(hn::Shuffle1032(quarter));
            sum += hn::GetLane(hn::Shuffle0123(quarter));
        }
        return sum;
    }
#endif
    HWY_ALIGN float stored[8];
    for (size_t i = 0; i < 8; i += hn::Lanes(df)) {
        hn::Store(values(i), df, stored + i);
    }
    float sum = stored[0];
    for (int k = 1; k < 8; ++k) {
        sum += stored[k];
    }
    return sum;
}

// table[index] in every lane, for a table of 16 entries and indices
// 0..15: one permutation where a vector holds the whole table, two and a
// blend where it holds half, else a gather.
template <class D>
HWY_INLINE hn::VFromD<D> Lookup16(D d, const int32_t* HWY_RESTRICT table, hn::VFromD<D> index) {
    if constexpr (hn::MaxLanes(D()) == 16) {
        return hn::TableLookupLanes(hn::Load(d, table), hn::IndicesFromVec(d, index));
    } else if constexpr (hn::MaxLanes(D()) == 8) {
        const auto within = hn::IndicesFromVec(d, hn::And(index, hn::Set(d, 7)));
        const auto low = hn::TableLookupLanes(hn::Load(d, table), within);
        const auto high = hn::TableLookupLanes(hn::Load(d, table + 8), within);
        return hn::IfThenElse(hn::Gt(index, hn::Set(d, 7)), high, low);
    } else {
        return hn::GatherIndex(d, table, index);
    }
}

// NOLINTNEXTLINE(google-readability-namespace-comments)
}  // namespace HWY_NAMESPACE
}  // namespace vector_steps
HWY_AFTER_NAMESPACE();

#endif  // VOSTREL_VECTOR_STEPS_INL_H_
