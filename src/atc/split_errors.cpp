// The full search's candidate errors in vector lanes, one candidate a lane,
// compiled for every instruction set that Highway targets and chosen at run
// time.
//
// How the kernel keeps the results identical to the texel-by-texel search:
// every lane runs the steps of the scalar evaluation (SplitSums, MeansOf,
// ChooseBlackMode, the palette of the quantised colours, PaletteError) with
// the same operands, only some of them taken from per-block tables instead of
// recomputed. Almost all of it is integer arithmetic: class sums are
// differences of running totals (at most 16 x 255); means are sums times a
// reciprocal shifted right, which the compile-time check in colour_tables.h
// proves equal to truncating division for every sum and count that occurs;
// the quantisation is the scalar rule (the truncated field, or its neighbour
// with the lowest bit flipped when that one is strictly closer); the palette
// mixes are (5 a + 3 b) >> 3 and (3 a + 5 b) >> 3, and black mode's second
// colour max(0, c - (b >> 2)); the error terms p x (n x p - 2 s) stay below
// 2^21 in magnitude, so every partial sum with the sum of squares (below
// 2^22) stays below 2^25. Integer addition is exact and associative, so
// summing those terms in any order gives the scalar sum. The black-mode test
// runs only in lanes where it can pass: class 0 has texels, its mean's
// largest channel is below 39 (IsDark) and class 3's mean's largest channel
// is above 142 (value percent above 55). Its hues are the one floating-point
// step: each lane performs HueSaturationOf's double-precision division,
// addition and multiplication in the scalar order, each rounded once (no
// fused or reordered operation), and truncates as the scalar cast does; its
// saturation's integer division is shown exact in single precision at
// HueSaturationOf. Order-mode lanes where black mode is possible or the codes
// would decode to the black-mode palette are left to the scalar SplitError:
// they are marked -1, never a real error. The least error is found per lane
// with a strict comparison in candidate order, then over the lanes as the
// least error's smallest candidate number, which is the first candidate in
// the search order to reach it, as in the scalar search.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "split_errors.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep
#include "hwy/highway.h"

#include <cstdint>

#include "atc_search.h"
#include "candidate_order.h"
#include "colour_tables.h"
#include "vector_steps-inl.h"

#ifndef ATC_SPLIT_ERRORS_ONCE
#define ATC_SPLIT_ERRORS_ONCE
namespace {

struct Reciprocals {
    // 2^16 / n rounded up for n = 0..15 (0 for an empty class, whose sum is
    // 0): class 0's count when it ends at position n.
    alignas(64) int32_t ofCount[16];
    // The same for the count 16 - p of class 3 when it starts at position p.
    alignas(64) int32_t ofRemainder[16];
};

constexpr Reciprocals MakeReciprocals() {
    Reciprocals r{};
    for (int n = 1; n < 16; ++n) {
        r.ofCount[n] = static_cast<int32_t>(colour_tables::kReciprocal[n]);
    }
    for (int p = 0; p < 16; ++p) {
        r.ofRemainder[p] = static_cast<int32_t>(colour_tables::kReciprocal[16 - p]);
    }
    return r;
}

constexpr Reciprocals kReciprocals = MakeReciprocals();

}  // namespace
#endif

HWY_BEFORE_NAMESPACE();
namespace atc_kernels {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using D = hn::ScalableTag<int32_t>;
using V = hn::Vec<D>;

using vector_steps::HWY_NAMESPACE::Lookup16;

// The byte that a channel value's kBits-wide colour-code field decodes to.
template <int kBits>
HWY_INLINE V Reconstruct(D d, V value) {
    const V q = hn::ShiftRight<8 - kBits>(value);
    const V other = hn::Xor(q, hn::Set(d, 1));
    const V kept = hn::Or(hn::ShiftLeft<8 - kBits>(q), hn::ShiftRight<2 * kBits - 8>(q));
    const V flipped = hn::Or(hn::ShiftLeft<8 - kBits>(other), hn::ShiftRight<2 * kBits - 8>(other));
    const auto closer = hn::Lt(hn::Abs(hn::Sub(value, flipped)), hn::Abs(hn::Sub(value, kept)));
    return hn::IfThenElse(closer, flipped, kept);
}

HWY_INLINE V Mean(V sum, V reciprocal) {
    return hn::ShiftRight<colour_tables::kDivisionShift>(hn::Mul(sum, reciprocal));
}

// p x (n x p - 2 s): what one class and channel adds to the block's error
// beyond the sum of the squared texel values.
HWY_INLINE V ErrorTerm(V palette, V count, V sum) {
    return hn::Mul(palette, hn::Sub(hn::Mul(count, palette), hn::Add(sum, sum)));
}

HWY_INLINE V Luminance(D d, V c0, V c1, V c2) {
    const V weighted = hn::Add(hn::Add(hn::Mul(hn::Set(d, 19), c0), hn::Mul(hn::Set(d, 38), c1)),
                               hn::Mul(hn::Set(d, 7), c2));
    return hn::ShiftRight<6>(weighted);
}

// What each candidate needs of class 0 and class 3 depends only on where
// the class ends (p1) or starts (p3): both tables hold, by that position p,
// the class's colour (its mean quantised and decoded), its error term summed
// over the channels, and whether black mode could apply (class 0 has texels
// and a dark mean; class 3 has a bright mean). Order mode also keeps the
// luminance floor of the first colour and the ceiling of the last.
struct OuterClasses {
    alignas(64) int32_t mean[3][16];  // class 3 only
    alignas(64) int32_t colour[3][16];
    alignas(64) int32_t term[16];
    alignas(64) int32_t blackPossible[16];  // -1 or 0
    alignas(64) int32_t luminanceBound[16];
};

void OuterClassTables(D d, const SortedTexels& sorted, bool orderMode, OuterClasses* first,
                      OuterClasses* last) {
    const V darkEnough = hn::Set(d, 39);     // IsDark: largest channel below 39
    const V brightEnough = hn::Set(d, 142);  // value percent above 55: above 142
    for (size_t p = 0; p < 16; p += hn::Lanes(d)) {
        const V count0 = hn::Iota(d, static_cast<int32_t>(p));
        const V count3 = hn::Sub(hn::Set(d, 16), count0);
        const V reciprocal0 = hn::Load(d, kReciprocals.ofCount + p);
        const V reciprocal3 = hn::Load(d, kReciprocals.ofRemainder + p);
        V term0 = hn::Zero(d);
        V term3 = hn::Zero(d);
        V max0 = hn::Zero(d);
        V max3 = hn::Zero(d);
        V colour0[3];
        V colour3[3];
        for (int k = 0; k < 3; ++k) {
            const V sum0 = hn::Load(d, sorted.sum[k] + p);
            const V sum3 = hn::Sub(hn::Set(d, sorted.sum[k][16]), sum0);
            const V mean0 = Mean(sum0, reciprocal0);
            const V mean3 = Mean(sum3, reciprocal3);
            hn::Store(mean3, d, last->mean[k] + p);
            max0 = hn::Max(max0, mean0);
            max3 = hn::Max(max3, mean3);
            // Class 0's colour is colour 0 (5:5:5, or 5:6:5 in order mode),
            // class 3's colour 1 (5:6:5).
            colour0[k] = k == 1 && orderMode ? Reconstruct<6>(d, mean0) : Reconstruct<5>(d, mean0);
            colour3[k] = k == 1 ? Reconstruct<6>(d, mean3) : Reconstruct<5>(d, mean3);
            hn::Store(colour0[k], d, first->colour[k] + p);
            hn::Store(colour3[k], d, last->colour[k] + p);
            term0 = hn::Add(term0, ErrorTerm(colour0[k], count0, sum0));
            term3 = hn::Add(term3, ErrorTerm(colour3[k], count3, sum3));
        }
        hn::Store(term0, d, first->term + p);
        hn::Store(term3, d, last->term + p);
        const auto dark = hn::And(hn::Gt(count0, hn::Zero(d)), hn::Lt(max0, darkEnough));
        hn::Store(hn::VecFromMask(d, dark), d, first->blackPossible + p);
        hn::Store(hn::VecFromMask(d, hn::Gt(max3, brightEnough)), d, last->blackPossible + p);
        if (orderMode) {
            // The codes of order mode make the black-mode palette when the
            // first colour's darkest origin is brighter than the last one's
            // brightest.
            const V floor0 = Luminance(d, hn::And(colour0[0], hn::Set(d, 0xF8)),
                                       hn::And(colour0[1], hn::Set(d, 0xFC)),
                                       hn::And(colour0[2], hn::Set(d, 0xF8)));
            const V ceil3 =
                Luminance(d, hn::Or(colour3[0], hn::Set(d, 7)), hn::Or(colour3[1], hn::Set(d, 3)),
                          hn::Or(colour3[2], hn::Set(d, 7)));
            hn::Store(floor0, d, first->luminanceBound + p);
            hn::Store(ceil3, d, last->luminanceBound + p);
        }
    }
}

struct LaneHues {
    V hue;         // 0..359, or -1 without hue
    V saturation;  // percent
};

// Hue in degrees from the numerator, range and offset of HueSaturationOf's
// formula, in double precision with every step rounded as there: the
// division, the addition of the offset (0 for a red maximum, where adding
// 0.0 to the quotient changes nothing: the quotient is never -0.0, since
// the numerator is an integer), the multiplication by 60, the truncation.
HWY_INLINE V HueDegrees(D d, V numerator, V range, V offset) {
    const auto degrees = [](auto dd, auto n, auto r, auto o) {
        const hn::Rebind<int32_t, decltype(dd)> di;
        const auto h =
            hn::Add(hn::Div(hn::PromoteTo(dd, n), hn::PromoteTo(dd, r)), hn::PromoteTo(dd, o));
        return hn::DemoteTo(di, hn::Mul(h, hn::Set(dd, 60.0)));
    };
    return vector_steps::HWY_NAMESPACE::InDoubleHalves(d, degrees, numerator, range, offset);
}

// HueSaturationOf of each lane's colour. The saturation's integer division
// runs in single precision: (max - min) x 100 <= 25500 and max <= 255 are
// exact, the quotient is correctly rounded, and a quotient that is not a
// whole number lies at least 1/255 from the next one, far more than the
// rounding can move it, so truncating gives the integer quotient.
HWY_INLINE LaneHues HueSaturationOf(D d, const V colour[3]) {
    const hn::Rebind<float, D> df;
    const V largest = hn::Max(hn::Max(colour[0], colour[1]), colour[2]);
    const V smallest = hn::Min(hn::Min(colour[0], colour[1]), colour[2]);
    const V range = hn::Sub(largest, smallest);
    const V one = hn::Set(d, 1);
    const V saturation =
        hn::ConvertTo(d, hn::Div(hn::ConvertTo(df, hn::Mul(range, hn::Set(d, 100))),
                                 hn::ConvertTo(df, hn::Max(largest, one))));
    const auto redMax = hn::Eq(colour[0], largest);
    const auto greenMax = hn::Eq(colour[1], largest);
    const V numerator = hn::IfThenElse(
        redMax, hn::Sub(colour[1], colour[2]),
        hn::IfThenElse(greenMax, hn::Sub(colour[2], colour[0]), hn::Sub(colour[0], colour[1])));
    const V offset =
        hn::IfThenElse(redMax, hn::Zero(d), hn::IfThenElse(greenMax, hn::Set(d, 2), hn::Set(d, 4)));
    V hue = HueDegrees(d, numerator, hn::Max(range, one), offset);
    hue = hn::IfThenElse(hn::Lt(hue, hn::Zero(d)), hn::Add(hue, hn::Set(d, 360)), hue);
    const auto hueless = hn::Eq(saturation, hn::Zero(d));
    return {hn::IfThenElse(hueless, hn::Set(d, -1), hue), saturation};
}

// HuesDiffer: a hueless colour takes the other's hue, then the short way
// round the circle must exceed 30 degrees.
HWY_INLINE hn::Mask<D> HuesDiffer(D d, V a, V b) {
    const V none = hn::Set(d, -1);
    a = hn::IfThenElse(hn::Eq(a, none), hn::IfThenElse(hn::Eq(b, none), hn::Zero(d), b), a);
    b = hn::IfThenElse(hn::Eq(b, none), a, b);
    V distance = hn::Abs(hn::Sub(a, b));
    distance = hn::IfThenElse(hn::Gt(distance, hn::Set(d, 180)), hn::Sub(hn::Set(d, 360), distance),
                              distance);
    return hn::Gt(distance, hn::Set(d, 30));
}

// FORMAT_ATC lanes where black mode is possible: BlackModeWanted on the
// class means, and where it holds the error of the black-mode palette
// (class 1 taking over an empty class 2 first), as SplitError computes them.
HWY_INLINE V BlackModeLanes(D d, const OuterClasses& last, V p3, V count1, V count2,
                            const V sum1[3], const V sum2[3], V squares, V interpolatedError) {
    V mean1[3];
    V mean2[3];
    V mean3[3];
    for (int k = 0; k < 3; ++k) {
        mean1[k] = Mean(sum1[k], Lookup16(d, kReciprocals.ofCount, count1));
        mean2[k] = Mean(sum2[k], Lookup16(d, kReciprocals.ofCount, count2));
        mean3[k] = Lookup16(d, last.mean[k], p3);
    }
    const auto has1 = hn::Gt(count1, hn::Zero(d));
    const auto has2 = hn::Gt(count2, hn::Zero(d));
    const LaneHues hues3 = HueSaturationOf(d, mean3);
    LaneHues hues2 = HueSaturationOf(d, mean2);
    LaneHues hues1 = HueSaturationOf(d, mean1);
    hues2 = {hn::IfThenElse(has2, hues2.hue, hues3.hue),
             hn::IfThenElse(has2, hues2.saturation, hues3.saturation)};
    hues1 = {hn::IfThenElse(has1, hues1.hue, hues3.hue),
             hn::IfThenElse(has1, hues1.saturation, hues3.saturation)};
    const V twiceBright = hn::Add(hues3.saturation, hues3.saturation);
    const V seventy = hn::Set(d, 70);
    const auto saturated2 = hn::And(
        has2, hn::Or(hn::Gt(hues2.saturation, twiceBright), hn::Gt(hues2.saturation, seventy)));
    const auto saturated1 = hn::And(
        has1, hn::Or(hn::Gt(hues1.saturation, twiceBright), hn::Gt(hues1.saturation, seventy)));
    const auto wanted =
        hn::Or(hn::Or(HuesDiffer(d, hues3.hue, hues2.hue), HuesDiffer(d, hues3.hue, hues1.hue)),
               hn::Or(saturated2, saturated1));

    const auto moved = hn::Not(has2);
    const V blackCount1 = hn::IfThenZeroElse(moved, count1);
    const V blackCount2 = hn::IfThenElse(moved, count1, count2);
    V error = hn::Add(squares, Lookup16(d, last.term, p3));
    for (int k = 0; k < 3; ++k) {
        // Colour 0 (5:5:5) from class 2's mean after the takeover; colour 1
        // is class 3's colour, as in interpolated mode.
        const V middle = Reconstruct<5>(d, hn::IfThenElse(moved, mean1[k], mean2[k]));
        const V bright = Lookup16(d, last.colour[k], p3);
        const V second = hn::Max(hn::Sub(middle, hn::ShiftRight<2>(bright)), hn::Zero(d));
        error = hn::Add(error, ErrorTerm(second, blackCount1, hn::IfThenZeroElse(moved, sum1[k])));
        error =
            hn::Add(error, ErrorTerm(middle, blackCount2, hn::IfThenElse(moved, sum1[k], sum2[k])));
    }
    return hn::IfThenElse(wanted, error, interpolatedError);
}

LaneSearch SplitErrors(const SortedTexels& sorted, uint32_t format, int32_t* HWY_RESTRICT errors) {
    const D d;
    const bool orderMode = format == FORMAT_ATC_ORDER_MODE;
    OuterClasses first;
    OuterClasses last;
    OuterClassTables(d, sorted, orderMode, &first, &last);
    const V squares = hn::Set(d, sorted.squares);
    const V notEvaluated = hn::Set(d, -1);
    const V never = hn::Set(d, INT32_MAX);
    const V five = hn::Set(d, 5);
    const V three = hn::Set(d, 3);
    // Per lane, the least error so far and the first candidate with it.
    V least = never;
    V leastAt = never;
    int pending = 0;
    for (size_t n = 0; n < static_cast<size_t>(kPaddedCandidates); n += hn::Lanes(d)) {
        const V hi = hn::Load(d, kCandidateOrder.hi + n);
        const V lo = hn::Load(d, kCandidateOrder.lo + n);
        const V mid = hn::Load(d, kCandidateOrder.mid + n);
        // Class 3 starts at p3 <= hi <= 15; classes 0 to 2 end at p1 <= p2 <=
        // p3, so every position below is at most 15.
        const V p3 = Lookup16(d, sorted.runStart, hi);
        const V p1 = hn::Min(Lookup16(d, sorted.runEnd, lo), p3);
        const V p2 = hn::Min(Lookup16(d, sorted.runEnd, mid), p3);
        const V count1 = hn::Sub(p2, p1);
        const V count2 = hn::Sub(p3, p2);
        const auto blackPossible = hn::MaskFromVec(
            hn::And(Lookup16(d, first.blackPossible, p1), Lookup16(d, last.blackPossible, p3)));
        // Order mode leaves black mode, and codes that would make the
        // black-mode palette, to the scalar code.
        auto scalar = hn::And(blackPossible, hn::MaskFromVec(hn::Set(d, orderMode ? -1 : 0)));
        if (orderMode) {
            scalar = hn::Or(scalar, hn::Gt(Lookup16(d, first.luminanceBound, p1),
                                           Lookup16(d, last.luminanceBound, p3)));
        }
        V error =
            hn::Add(squares, hn::Add(Lookup16(d, first.term, p1), Lookup16(d, last.term, p3)));
        V sum1[3];
        V sum2[3];
        for (int k = 0; k < 3; ++k) {
            const V a = Lookup16(d, first.colour[k], p1);
            const V b = Lookup16(d, last.colour[k], p3);
            const V to1 = Lookup16(d, sorted.sum[k], p1);
            const V to2 = Lookup16(d, sorted.sum[k], p2);
            const V to3 = Lookup16(d, sorted.sum[k], p3);
            sum1[k] = hn::Sub(to2, to1);
            sum2[k] = hn::Sub(to3, to2);
            const V mix1 = hn::ShiftRight<3>(hn::Add(hn::Mul(five, a), hn::Mul(three, b)));
            const V mix2 = hn::ShiftRight<3>(hn::Add(hn::Mul(three, a), hn::Mul(five, b)));
            error = hn::Add(error, ErrorTerm(mix1, count1, sum1[k]));
            error = hn::Add(error, ErrorTerm(mix2, count2, sum2[k]));
        }
        if (!orderMode && !hn::AllFalse(d, blackPossible)) {
            error = hn::IfThenElse(
                blackPossible,
                BlackModeLanes(d, last, p3, count1, count2, sum1, sum2, squares, error), error);
        }
        hn::Store(hn::IfThenElse(scalar, notEvaluated, error), d, errors + n);
        pending += static_cast<int>(hn::CountTrue(d, scalar));
        // A lane's candidates come in search order, so a strictly smaller
        // error keeps the first of equal ones.
        const auto smaller = hn::Lt(hn::IfThenElse(scalar, never, error), least);
        least = hn::IfThenElse(smaller, error, least);
        leastAt = hn::IfThenElse(smaller, hn::Iota(d, static_cast<int32_t>(n)), leastAt);
    }
    const V leastOfAll = hn::MinOfLanes(d, least);
    if (hn::GetLane(leastOfAll) == INT32_MAX) {
        return {-1, pending};
    }
    const V firstAt = hn::MinOfLanes(d, hn::IfThenElse(hn::Eq(least, leastOfAll), leastAt, never));
    return {hn::GetLane(firstAt), pending};
}

void LaneHueSaturation(const int32_t* HWY_RESTRICT colours, size_t count, int32_t* HWY_RESTRICT hue,
                       int32_t* HWY_RESTRICT saturation) {
    const D d;
    for (size_t i = 0; i < count; i += hn::Lanes(d)) {
        const V colour[3] = {hn::LoadU(d, colours + i), hn::LoadU(d, colours + count + i),
                             hn::LoadU(d, colours + 2 * count + i)};
        const LaneHues hues = HueSaturationOf(d, colour);
        hn::StoreU(hues.hue, d, hue + i);
        hn::StoreU(hues.saturation, d, saturation + i);
    }
}

void LaneHuesDiffer(const int32_t* HWY_RESTRICT a, const int32_t* HWY_RESTRICT b, size_t count,
                    int32_t* HWY_RESTRICT differ) {
    const D d;
    for (size_t i = 0; i < count; i += hn::Lanes(d)) {
        const auto mask = HuesDiffer(d, hn::LoadU(d, a + i), hn::LoadU(d, b + i));
        hn::StoreU(hn::VecFromMask(d, mask), d, differ + i);
    }
}

}  // namespace HWY_NAMESPACE
}  // namespace atc_kernels
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace atc_kernels {
HWY_EXPORT(SplitErrors);
HWY_EXPORT(LaneHueSaturation);
HWY_EXPORT(LaneHuesDiffer);
}  // namespace atc_kernels

LaneSearch SplitErrors(const SortedTexels& sorted, uint32_t format, int32_t errors[]) {
    return HWY_DYNAMIC_DISPATCH(atc_kernels::SplitErrors)(sorted, format, errors);
}

void LaneHueSaturation(const int32_t* colours, size_t count, int32_t* hue, int32_t* saturation) {
    HWY_DYNAMIC_DISPATCH(atc_kernels::LaneHueSaturation)(colours, count, hue, saturation);
}

void LaneHuesDiffer(const int32_t* a, const int32_t* b, size_t count, int32_t* differ) {
    HWY_DYNAMIC_DISPATCH(atc_kernels::LaneHuesDiffer)(a, b, count, differ);
}
#endif
