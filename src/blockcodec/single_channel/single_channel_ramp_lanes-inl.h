// The ramp search in vector lanes, compiled once per Highway target by the
// files that include it. It gives exactly the fits of SearchRamp:
// - each lane is one candidate (low, high) and repeats RampError's float
//   operations for it, value by value in the list's order: the same
//   subtractions, the same division and floor, the same products, summed one
//   value at a time, none fused (the project builds with -ffp-contract=off)
//   and none reassociated; the branches become selects of values that are
//   all computed;
// - RampError stops once its running sum exceeds the bound and then returns
//   the bound, which never wins (a candidate wins only below the best so
//   far). The sums only grow, the terms being weights times squares, so a
//   candidate wins exactly when its whole sum is below the best so far, and
//   the lanes compute whole sums;
// - v - high >= 0 holds exactly when v >= high (a difference of floats is
//   zero only for equal ones, and has the sign of the exact difference);
// - the candidates come in the reference's order (single_channel_search_grid.h)
//   and their errors are compared with the best one in that order, so the
//   first of equal errors wins as it does there;
// - a refine round's move (0, 0) gives the ends it starts from (a low end of
//   zero may change sign, which changes no error), whose error is the best
//   so far once that pair has been evaluated: it cannot win, so it is tried
//   only in a first round that follows no grid.
#if defined(VOSTREL_SINGLE_CHANNEL_RAMP_LANES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef VOSTREL_SINGLE_CHANNEL_RAMP_LANES_INL_H_
#undef VOSTREL_SINGLE_CHANNEL_RAMP_LANES_INL_H_
#else
#define VOSTREL_SINGLE_CHANNEL_RAMP_LANES_INL_H_
#endif

#include "hwy/highway.h"
#include "single_channel_ramp.h"
#include "single_channel_search_grid.h"

HWY_BEFORE_NAMESPACE();
namespace single_channel_fast {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// Up to eight candidates a vector.
using RampTag = hn::CappedTag<float, 8>;

// The best candidate so far and whether any candidate has beaten the first.
struct BestEnds {
    float error;
    float low;
    float high;
    bool improved = false;
};

// Candidates waiting for a vector's worth to be evaluated together.
class CandidateQueue {
  public:
    CandidateQueue(const WeightedValues& values, int steps, BestEnds* best)
        : m_values(values), m_stepsLessOne(static_cast<float>(steps - 1)), m_best(best) {}

    void Push(float low, float high) {
        m_low[m_count] = low;
        m_high[m_count] = high;
        if (++m_count == hn::Lanes(RampTag())) {
            Flush();
        }
    }

    // Evaluates the waiting candidates and takes each, in order, that beats
    // the best so far: that leaves the first of the smallest errors, if it
    // is below the best, since the later ones that equal it do not beat it.
    void Flush() {
        if (m_count == 0) {
            return;
        }
        const RampTag d;
        for (size_t j = m_count; j < hn::Lanes(d); ++j) {
            m_low[j] = m_low[0];
            m_high[j] = m_high[0];
        }
        const auto error = Errors(d);
        const auto lowest = hn::MinOfLanes(d, error);
        if (hn::GetLane(lowest) < m_best->error) {
            const size_t j = static_cast<size_t>(hn::FindKnownFirstTrue(d, hn::Eq(error, lowest)));
            *m_best = {hn::GetLane(lowest), m_low[j], m_high[j], true};
        }
        m_count = 0;
    }

  private:
    // Each lane's RampError sum.
    hn::Vec<RampTag> Errors(RampTag d) const {
        const auto low = hn::Load(d, m_low);
        const auto high = hn::Load(d, m_high);
        const auto step = hn::Div(hn::Sub(high, low), hn::Set(d, m_stepsLessOne));
        const auto halfStep = hn::Div(step, hn::Set(d, 2.0f));
        const auto zero = hn::Zero(d);
        auto sum = hn::Zero(d);
        for (int i = 0; i < m_values.count; ++i) {
            const auto v = hn::Set(d, m_values.value[i]);
            const auto fromLow = hn::Sub(v, low);
            const auto inner =
                hn::Add(low, hn::Mul(step, hn::Floor(hn::Div(hn::Add(fromLow, halfStep), step))));
            const auto snapped = hn::IfThenElse(hn::Le(fromLow, zero), low,
                                                hn::IfThenElse(hn::Ge(v, high), high, inner));
            const auto difference = hn::Sub(v, snapped);
            sum = hn::Add(sum,
                          hn::Mul(hn::Set(d, m_values.weight[i]), hn::Mul(difference, difference)));
        }
        return sum;
    }

    const WeightedValues& m_values;
    const float m_stepsLessOne;
    BestEnds* m_best;
    HWY_ALIGN float m_low[8];
    HWY_ALIGN float m_high[8];
    size_t m_count = 0;
};

// The coarse grid; true when some candidate beat the fit's error.
HWY_INLINE bool CoarseSearchLanes(const WeightedValues& values, int steps, RampFit* fit) {
    BestEnds best{fit->error, fit->low, fit->high};
    CandidateQueue queue(values, steps, &best);
    ramp_grid::VisitCoarseGrid(*fit, [&](float low, float high) { queue.Push(low, high); });
    queue.Flush();
    *fit = {best.low, best.high, best.error};
    return best.improved;
}

HWY_INLINE void RefineLanes(const WeightedValues& values, int steps, bool evaluated, RampFit* fit) {
    for (;;) {
        BestEnds best{fit->error, fit->low, fit->high};
        CandidateQueue queue(values, steps, &best);
        for (int m = evaluated ? 1 : 0; m < 9; ++m) {
            queue.Push(ramp_grid::MovedLow(*fit, m), ramp_grid::MovedHigh(*fit, m));
        }
        queue.Flush();
        if (!best.improved) {
            return;
        }
        *fit = {best.low, best.high, best.error};
        evaluated = true;
    }
}

HWY_INLINE RampFit SearchRampLanes(const WeightedValues& values, int steps) {
    RampFit fit;
    fit.low = values.value[0];
    fit.high = values.value[values.count - 1];
    fit.error = ramp_grid::kInitialError;
    bool evaluated = false;
    if (fit.high - fit.low > ramp_grid::kCoarseSpread) {
        evaluated = CoarseSearchLanes(values, steps, &fit);
    }
    RefineLanes(values, steps, evaluated, &fit);
    return fit;
}

// NOLINTNEXTLINE(google-readability-namespace-comments)
}  // namespace HWY_NAMESPACE
}  // namespace single_channel_fast
HWY_AFTER_NAMESPACE();

#endif  // VOSTREL_SINGLE_CHANNEL_RAMP_LANES_INL_H_
