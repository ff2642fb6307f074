// Passes over a block's 16 texels in vector lanes, one texel a lane,
// compiled for every instruction set that Highway targets and chosen at run
// time: the block's channel planes, the nearest palette entry of each
// texel, the quick encoder's quarter-point classes, and the ranks of the
// texels' luminances.
//
// How the kernels keep the results identical to the texel-by-texel code:
// they have no floating point (the one floating-point comparison of the
// definition, at the quarter points, is shown exact in integers below).
// Each lane computes its texel's squared distances, classes and
// contributions with the scalar code's integer operations; the nearest
// entry is chosen as there, moving from P0 to P1, P2, P3 only on a strictly
// smaller distance. The index word is the sum of
// every lane's class shifted to its texel's field, which is the same as
// or-ing the fields since they do not overlap; class counts and the sum of
// squares (at most 16 x 3 x 255^2) are sums of integers far below 2^31,
// which no order of addition changes.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "texel_kernels.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep
#include "hwy/highway.h"

#include "atc_search.h"

#ifndef ATC_TEXEL_KERNELS_ONCE
#define ATC_TEXEL_KERNELS_ONCE
namespace {

// 2t: where texel t's class sits in the index word.
struct FieldShifts {
    alignas(64) uint32_t shift[16];
};

constexpr FieldShifts MakeFieldShifts() {
    FieldShifts shifts{};
    for (uint32_t t = 0; t < 16; ++t) {
        shifts.shift[t] = 2 * t;
    }
    return shifts;
}

constexpr FieldShifts kFieldShifts = MakeFieldShifts();

}  // namespace
#endif

HWY_BEFORE_NAMESPACE();
namespace atc_kernels {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using D = hn::ScalableTag<int32_t>;
using DU = hn::RebindToUnsigned<D>;
using V = hn::Vec<D>;
using VU = hn::Vec<DU>;

void TexelPlanesOf(const ColourBlock& texels, TexelPlanes* HWY_RESTRICT planes) {
    const D d;
    const DU du;
    const hn::Rebind<uint8_t, D> d8;
    for (size_t t = 0; t < 16; t += hn::Lanes(d)) {
        hn::Vec<decltype(d8)> bytes[3];
        hn::LoadInterleaved3(d8, &texels.texel[t][0], bytes[0], bytes[1], bytes[2]);
        VU channel[3];
        for (int k = 0; k < 3; ++k) {
            channel[k] = hn::PromoteTo(du, bytes[k]);
            hn::Store(hn::BitCast(d, channel[k]), d, planes->ch[k] + t);
        }
        hn::Store(hn::Or(channel[0], hn::ShiftLeft<12>(channel[1])), du, planes->firstTwo + t);
        hn::Store(hn::Or(channel[2], hn::Set(du, 1u << 12)), du, planes->lastAndOne + t);
    }
}

HWY_INLINE V SquaredDistance(D d, const V texel[3], const TexelColour& entry) {
    const V d0 = hn::Sub(texel[0], hn::Set(d, entry.ch[0]));
    const V d1 = hn::Sub(texel[1], hn::Set(d, entry.ch[1]));
    const V d2 = hn::Sub(texel[2], hn::Set(d, entry.ch[2]));
    return hn::Add(hn::Add(hn::Mul(d0, d0), hn::Mul(d1, d1)), hn::Mul(d2, d2));
}

HWY_INLINE void LoadTexels(D d, const TexelPlanes& planes, size_t t, V texel[3]) {
    for (int k = 0; k < 3; ++k) {
        texel[k] = hn::Load(d, planes.ch[k] + t);
    }
}

// The index word of the lanes' classes, texels t onwards.
HWY_INLINE uint32_t WordOf(DU du, VU index, size_t t) {
    const VU shifted = index << hn::Load(du, kFieldShifts.shift + t);
    return hn::GetLane(hn::SumOfLanes(du, shifted));
}

uint32_t NearestIndices(const TexelPlanes& planes, const ColourPalette& palette, int count[4]) {
    const D d;
    const DU du;
    uint32_t indexWord = 0;
    for (int index = 0; index < 4; ++index) {
        count[index] = 0;
    }
    for (size_t t = 0; t < 16; t += hn::Lanes(d)) {
        V texel[3];
        LoadTexels(d, planes, t, texel);
        V nearest = SquaredDistance(d, texel, palette.entry[0]);
        VU index = hn::Zero(du);
        for (uint32_t entry = 1; entry < 4; ++entry) {
            const V distance = SquaredDistance(d, texel, palette.entry[entry]);
            const auto closer = hn::Lt(distance, nearest);
            nearest = hn::IfThenElse(closer, distance, nearest);
            index = hn::IfThenElse(hn::RebindMask(du, closer), hn::Set(du, entry), index);
        }
        indexWord += WordOf(du, index, t);
        for (uint32_t entry = 0; entry < 4; ++entry) {
            count[entry] += static_cast<int>(hn::CountTrue(du, hn::Eq(index, hn::Set(du, entry))));
        }
    }
    return indexWord;
}

HWY_INLINE V LuminanceOf(D d, const V texel[3]) {
    const V weighted =
        hn::Add(hn::Add(hn::Mul(hn::Set(d, 19), texel[0]), hn::Mul(hn::Set(d, 38), texel[1])),
                hn::Mul(hn::Set(d, 7), texel[2]));
    return hn::ShiftRight<6>(weighted);
}

HWY_INLINE V SquaresOf(const V texel[3]) {
    return hn::Add(hn::Add(hn::Mul(texel[0], texel[0]), hn::Mul(texel[1], texel[1])),
                   hn::Mul(texel[2], texel[2]));
}

// The quick encoder's classes. Its definition compares each luminance Y in
// single precision with lo + q, lo + 2q and hi - q, q = (hi - lo) / 4: all
// are multiples of 0.25 below 256, so every one of those steps is exact,
// and four times the thresholds are the integers 3 lo + hi, 2 lo + 2 hi and
// lo + 3 hi. Comparing 4 Y with them gives the same answers: class 3 from
// lo + 3 hi on, class 2 above 2 lo + 2 hi, class 1 above 3 lo + hi.
uint32_t QuarterPointWord(const TexelPlanes& planes, int32_t* HWY_RESTRICT squares) {
    const D d;
    const DU du;
    alignas(64) int32_t luma[16];
    V lowest = hn::Set(d, 255);
    V highest = hn::Zero(d);
    V squared = hn::Zero(d);
    for (size_t t = 0; t < 16; t += hn::Lanes(d)) {
        V texel[3];
        LoadTexels(d, planes, t, texel);
        const V y = LuminanceOf(d, texel);
        hn::Store(y, d, luma + t);
        lowest = hn::Min(lowest, y);
        highest = hn::Max(highest, y);
        squared = hn::Add(squared, SquaresOf(texel));
    }
    *squares = hn::GetLane(hn::SumOfLanes(d, squared));
    const int lo = hn::GetLane(hn::MinOfLanes(d, lowest));
    const int hi = hn::GetLane(hn::MaxOfLanes(d, highest));
    const V t1 = hn::Set(d, 3 * lo + hi);
    const V t2 = hn::Set(d, 2 * lo + 2 * hi);
    const V t3 = hn::Set(d, lo + 3 * hi - 1);  // y >= lo + 3 hi
    uint32_t indexWord = 0;
    for (size_t t = 0; t < 16; t += hn::Lanes(d)) {
        const V y = hn::ShiftLeft<2>(hn::Load(d, luma + t));
        VU index = hn::IfThenElseZero(hn::RebindMask(du, hn::Gt(y, t1)), hn::Set(du, 1));
        index = hn::IfThenElse(hn::RebindMask(du, hn::Gt(y, t2)), hn::Set(du, 2), index);
        index = hn::IfThenElse(hn::RebindMask(du, hn::Gt(y, t3)), hn::Set(du, 3), index);
        indexWord += WordOf(du, index, t);
    }
    return indexWord;
}

// Keys are distinct, so each one's rank, the number of keys below it, is
// its place in ascending order. The run of equal luminances holding that
// place starts after the texels of lower luminance and ends before those of
// higher luminance.
void LuminanceOrder(const TexelPlanes& planes, uint32_t* HWY_RESTRICT ordered,
                    int32_t* HWY_RESTRICT runStart, int32_t* HWY_RESTRICT runEnd,
                    int32_t* HWY_RESTRICT squares) {
    const D d;
    alignas(64) int32_t keys[16];
    alignas(64) int32_t luma[16];
    V squared = hn::Zero(d);
    for (size_t t = 0; t < 16; t += hn::Lanes(d)) {
        V texel[3];
        LoadTexels(d, planes, t, texel);
        const V y = LuminanceOf(d, texel);
        hn::Store(y, d, luma + t);
        hn::Store(hn::Or(hn::ShiftLeft<4>(y), hn::Iota(d, static_cast<int32_t>(t))), d, keys + t);
        squared = hn::Add(squared, SquaresOf(texel));
    }
    *squares = hn::GetLane(hn::SumOfLanes(d, squared));
    alignas(64) int32_t ranks[16];
    alignas(64) int32_t darker[16];
    alignas(64) int32_t notBrighter[16];
    for (size_t t = 0; t < 16; t += hn::Lanes(d)) {
        const V key = hn::Load(d, keys + t);
        const V y = hn::Load(d, luma + t);
        V rank = hn::Zero(d);
        V below = hn::Zero(d);
        V above = hn::Zero(d);
        for (int u = 0; u < 16; ++u) {
            rank = hn::Sub(rank, hn::VecFromMask(d, hn::Lt(hn::Set(d, keys[u]), key)));
            const V other = hn::Set(d, luma[u]);
            below = hn::Sub(below, hn::VecFromMask(d, hn::Lt(other, y)));
            above = hn::Sub(above, hn::VecFromMask(d, hn::Gt(other, y)));
        }
        hn::Store(rank, d, ranks + t);
        hn::Store(below, d, darker + t);
        hn::Store(hn::Sub(hn::Set(d, 16), above), d, notBrighter + t);
    }
    for (int t = 0; t < 16; ++t) {
        ordered[ranks[t]] = static_cast<uint32_t>(keys[t]);
        runStart[ranks[t]] = darker[t];
        runEnd[ranks[t]] = notBrighter[t];
    }
}

}  // namespace HWY_NAMESPACE
}  // namespace atc_kernels
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace atc_kernels {
HWY_EXPORT(TexelPlanesOf);
HWY_EXPORT(NearestIndices);
HWY_EXPORT(QuarterPointWord);
HWY_EXPORT(LuminanceOrder);
}  // namespace atc_kernels

void MakeTexelPlanes(const ColourBlock& texels, TexelPlanes* planes) {
    HWY_DYNAMIC_DISPATCH(atc_kernels::TexelPlanesOf)(texels, planes);
}

uint32_t NearestIndices(const TexelPlanes& planes, const ColourPalette& palette, int count[4]) {
    return HWY_DYNAMIC_DISPATCH(atc_kernels::NearestIndices)(planes, palette, count);
}

uint32_t QuarterPointWord(const TexelPlanes& planes, int32_t* squares) {
    return HWY_DYNAMIC_DISPATCH(atc_kernels::QuarterPointWord)(planes, squares);
}

void LuminanceOrder(const TexelPlanes& planes, uint32_t keys[16], int32_t runStart[16],
                    int32_t runEnd[16], int32_t* squares) {
    HWY_DYNAMIC_DISPATCH(atc_kernels::LuminanceOrder)(planes, keys, runStart, runEnd, squares);
}
#endif
