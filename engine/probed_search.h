#pragma once
// Trials whose outcome is already certain, answered without evaluating them.
//
// A step search (step_search.h) forms its trial points by repeated addition and stops a level at
// the first trial whose quantity q(v) passes the target. The wet-bulb and dew-point searches
// spend most trials below the root. Here the search's own trial relation is evaluated at a
// probe point p below an estimate of the root (a secant through the last two evaluations), and
// when q(p) lies below the target by a margin that covers every rounding error, every trial
// point v ≤ p on the same side of 0 °C is answered "below" without evaluation. The trial points
// themselves, the trial counter and the early stop are untouched: only evaluations whose
// outcome is proven are left out, so every result is the same to the last bit.
//
// Why v ≤ p is then certainly below (for both searches; the relation-specific parts are in
// searches.cpp): on each side of 0 °C, q is an increasing function of v in exact arithmetic,
// wherever the vapour pressure stays below 35 % of the total pressure (verified at p; the
// vapour pressure rises with v). The computed q differs from the exact one by at most a
// rounding bound ε that holds for every trial point, and the probe is accepted only when
// computed q(p) + 2ε still does not pass the target. Then for v ≤ p on the same side:
// computed q(v) ≤ exact q(v) + ε ≤ exact q(p) + ε ≤ computed q(p) + 2ε, which does not pass.
// The two sides are kept apart because the relations change at 0 °C (the ice constants and the
// ice formula of the saturation pressure), where q may step down; probes stay below 100 °C,
// where the saturation pressure changes formula again.
#include <limits>

#include "engine/step_search.h"

namespace moistek {

// `Relation` supplies: bool evaluate(double v, double& q, double& xs) — the trial's own
// arithmetic, false where the trial fails; double target() — a trial is over when q > target;
// bool provenBelow(double q, double xs) — the margin test above; double margin() — 2ε in
// units of q, to place probes.
template <typename Relation>
class ProbedTrials {
  public:
    ProbedTrials(const Relation& r, bool enabled) : r_(r), enabled_(enabled) {}

    // Evaluates `p` as a probe; on proof, trials up to p on its side of 0 °C are answered.
    void probe(double p) {
        if (!enabled_ || !(p > kTempStart) || !(p < 100)) return;
        double q, xs;
        if (!r_.evaluate(p, q, xs) || !r_.provenBelow(q, xs)) return;
        if (p < 0) {
            if (p > ice_) ice_ = p;
        } else if (p > water_) {
            water_ = p;
        }
        if (!haveBelow_ || p > below_) remember(p, q);
    }

    Trial operator()(double v) {
        if (v < 0 ? v <= ice_ : v <= water_) return Trial::Below;
        double q, xs;
        if (!r_.evaluate(v, q, xs)) return Trial::Failed;
        if (!(q > r_.target())) {
            remember(v, q);
            return Trial::Below;
        }
        if (enabled_ && haveBelow_) probeUnder(v, q);
        return Trial::Over;
    }

  private:
    void remember(double v, double q) {
        below_ = v;
        belowQ_ = q;
        haveBelow_ = true;
    }

    // After a trial at `over` passed the target: a probe a little below the secant's root, when
    // it would leave out at least two trials of the next, ten times finer level.
    void probeUnder(double over, double overQ) {
        const double w = over - below_;
        const double slope = (overQ - belowQ_) / w;
        if (!(w > 0) || !(slope > 0)) return;
        const double root = below_ + (r_.target() - belowQ_) / slope;
        const double p = root - 0.02 * w - 4 * r_.margin() / slope;
        if (p - below_ >= 0.2 * w && p < over) probe(p);
    }

    const Relation& r_;
    const bool enabled_;
    double ice_ = -std::numeric_limits<double>::infinity();
    double water_ = -std::numeric_limits<double>::infinity();
    bool haveBelow_ = false;
    double below_ = 0, belowQ_ = 0;
};

}  // namespace moistek
