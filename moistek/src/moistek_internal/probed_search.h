#pragma once
// Trials whose outcome is already certain, answered without evaluating them.
//
// A step search (step_search.h) forms its trial points by repeated addition and stops a level at
// the first trial whose quantity q(v) passes the target; the wet-bulb and dew-point searches
// take about 77 trials. Here the root is first located by a few secant steps, each an
// evaluation of the search's own trial relation at a probe point. A probe whose q lies below
// the target by more than twice the rounding bound ε proves every trial point v ≤ p on the same
// side of 0 °C below; one whose q lies above by more than 2ε proves every trial point from p up
// to the end of its growth interval (see below) over. The search then runs as before, with the
// same trial points, counter and early stop, evaluating only the trials in between: only
// evaluations whose outcome is proven are left out, so every result is the same to the last bit.
//
// The proof, for both searches (the relation-specific bounds are in searches.cpp): on each side
// of 0 °C, q rises with v in exact arithmetic wherever the vapour pressure stays below 30 % of
// the total pressure (checked at p; the vapour pressure rises with v). For v ≤ p on the same
// side: computed q(v) ≤ exact q(v) + ε ≤ exact q(p) + ε ≤ computed q(p) + 2ε, which does not
// pass the target; likewise from above for v ≥ p. Over an interval of 10 K above p the
// saturation pressure grows at most by exp(10·max d(ln e)/dT): d(ln e)/dT ≤ 6024.5282/T² +
// 0.0107 on the ice side and ≤ 0.0761 on the water side (each term bounded on 0–100 °C), so
// a probe whose vapour pressure times that factor stays below 30 % of the total pressure keeps
// every trial up to 10 K above it in the rising, non-failing range. The two sides are kept
// apart because the relations change at 0 °C (ice constants, the ice formula), where q may
// step down; all probes lie below 100 °C, where the saturation pressure changes formula again.
#include <cmath>
#include <limits>

#include "moistek_internal/relations.h"
#include "moistek_internal/step_search.h"

namespace moistek {

// `Relation` supplies: bool evaluate(double v, double& q, double& xs) — the trial's own
// arithmetic, false where the trial fails, xs the saturated humidity ratio at v;
// double target() — a trial is over when q > target; bool provenBelow(q, xsMax) and
// provenOver(q, xsMax) — the margin tests above, for trials whose saturated humidity ratio is
// at most xsMax; double margin(xs) — 2ε near the target; double slope(v, q, xs) — dq/dv, to
// place probes only; double ratio() — Mw/Ma, to turn xs into the vapour pressure's share.
// locate() also takes double curvature(v, q, xs) — d²q/dv², for placing — and double
// delta(q, xsMax) — a bound above twice the rounding error of a trial's q near q.
template <typename Relation>
class ProbedTrials {
  public:
    ProbedTrials(const Relation& r, bool enabled) : r_(r), enabled_(enabled) {}

    // Evaluates the relation at p (a probe, not a trial); false where it fails.
    bool probe(double p, double& q, double& xs) {
        if (!enabled_ || !(p > kTempStart) || !(p < 100) || !r_.evaluate(p, q, xs)) return false;
        Side& s = side(p);
        const double share = xs / (r_.ratio() + xs);  // pw / pa
        // Above p the humidity ratio grows at most as the vapour pressure's share s does,
        // times (1 − s(p))/(1 − s) ≤ 1/0.7. Which way a probe proves is as likely one as the
        // other, so both tests are made and the ranges chosen without a branch.
        const double g = growth(p);
        const bool below = (share <= 0.3) & r_.provenBelow(q, xs);
        const bool over =
            !below & (share * g <= 0.3) & (p < s.over) & r_.provenOver(q, xs * g / 0.7);
        s.below = below & (p > s.below) ? p : s.below;
        const double end = p < 0 ? 0.0 : 100.0;
        s.overEnd = over ? (p + 10 < end ? p + 10 : end) : s.overEnd;
        s.over = over ? p : s.over;
        return true;
    }

    // Halley's steps from x (brought inside the probes' range) towards the root, with the
    // relation's slope and curvature in closed form; once the next step would land within the
    // proof's width of the root, one probe there (straddle), or where that proves too little a
    // probe either side of it, just clear of the margin. With `oneSide`, no step goes to the
    // other side of 0 °C.
    void locate(double x, bool oneSide = false) {
        x = within(x);
        for (int i = 0; i < 10; ++i) {
            double q, xs;
            if (!probe(x, q, xs)) return;
            const double d = r_.slope(x, q, xs);
            if (!(d > 0)) return;
            const double inverse = 1 / d;
            const double gap = r_.target() - q;
            const double w = 3 * r_.margin(xs) * inverse;
            // Halley's step 2·gap·d / (2·d² + gap·q''), one division; its error falls with the
            // cube of the step (a hundredth of it bounds it here). Where the correction to
            // Newton's step (gap/d, error with the square, a tenth) is large, Newton's.
            const double d2 = 2 * d * d, denominator = d2 + gap * r_.curvature(x, q, xs);
            const bool halley = denominator > 0.5 * d2 && denominator < 2 * d2;
            const double step = halley ? 2 * gap * d / denominator : gap * inverse;
            const double off = halley ? 0.01 * std::fabs(step * step * step) : 0.1 * step * step;
            if (off <= w) {
                if (straddle(x + step)) return;
                const double clear = 2 * r_.margin(xs) * inverse + off;
                probe(x + step - clear, q, xs);
                probe(x + step + clear, q, xs);
                return;
            }
            const double next = within(x + step);
            if (next == x || (oneSide && (next < 0) != (x < 0))) return;
            x = next;
        }
    }

    // One probe at a root already estimated to well within the proof's width, and the slope
    // there, prove the trials on both sides of it; false where the conditions below fail (the
    // probe's own proofs are kept). Within kReach of the probe on its side of 0 °C the exact
    // slope q' stays above m = q'(root)·(1 − 1e-4): |q''|/q' ≤ g·(1 + 2·xs/k) + |g'|/g + 0.0021
    // per K (g = d(ln e)/dT; the last term from 2·|Cpv − c|·xs' against N' ≥ (L − (c − Cpv)·v)
    // ·xs' + 0.072), under 0.5 per K above −100 °C with the vapour pressure's share at most
    // 0.3, so it changes by under 5e-7 of itself over kReach, and the computed slope is
    // within 1e-11 of the exact one. With D ≥ 2ε the rounding bound (delta), for v ≤ lo =
    // root − (q − target + D)/m: exact q(v) ≤ exact q(root) − (root − v)·m ≤ q + ε − (q − target
    // + D), so computed q(v) ≤ target; below lo as well, q rising on the side. Likewise every
    // trial from hi = root + (target − q + D)/m up to 10 K above it is over, D taken for the
    // saturated humidity ratio's growth over those 10 K as a probe's over-range takes it.
    bool straddle(double root) {
        double q, xs;
        if (!probe(root, q, xs) || !(root >= -100) || !(root < 99)) return false;
        const double xsMax = xs * 1.001;  // at most the value anywhere within kReach above root
        const double share = xsMax / (r_.ratio() + xsMax);
        const double m = r_.slope(root, q, xs) * (1 - 1e-4);
        if (!(share <= 0.3) || !(m > 0)) return false;
        const double target = r_.target();
        const double lo = root - (q - target + r_.delta(q, xsMax)) / m;
        const double g = growth(root);
        const double hi = root + (target - q + r_.delta(q, xsMax * g / 0.7)) / m;
        const bool ice = root < 0;
        // Both within reach, on the probe's side; a proof already made by the probe (lo above
        // root, hi below it) is not extended, there being no upper bound on the slope.
        if (!(lo >= root - kReach && hi <= root + kReach && (ice ? hi < 0 : lo >= 0)) ||
            share * g > 0.3)
            return false;
        Side& s = side(root);
        s.below = (lo <= root) & (lo > s.below) ? lo : s.below;
        const bool over = (hi >= root) & (hi < s.over);
        const double end = ice ? 0.0 : 100.0;
        s.overEnd = over ? (hi + 10 < end ? hi + 10 : end) : s.overEnd;
        s.over = over ? hi : s.over;
        return true;
    }
    static constexpr double kReach = 1e-6;  // K

    // A probe either side of a root already estimated to well within w, w = 3·margin/slope.
    void bracket(double root, double w) {
        double q, xs;
        probe(within(root - 2 * w), q, xs);
        probe(within(root + 2 * w), q, xs);
    }

    // The proven-below probe nearest the root (the water side's where there is one), or 0.
    double near() const {
        if (water_.below > -kInf) return water_.below;
        if (ice_.below > -kInf && ice_.below < -1e-300) return ice_.below;
        return 0;
    }

    // Whether a probe proved anything at or above 0 °C.
    bool waterKnown() const { return water_.below > -kInf || water_.over < kInf; }

    // Whether the side below 0 °C has a proven-below probe.
    bool iceProven() const { return ice_.below > -kInf; }

    // Every trial below 0 °C is below, as the relation proved from its bound there.
    void iceSideBelow() {
        if (enabled_) ice_.below = -std::numeric_limits<double>::denorm_min();
    }

    // The proven ranges as plain values, for the search loop to keep at hand.
    struct Known {
        double iceBelow, waterBelow, iceOver, iceOverEnd, waterOver, waterOverEnd;
        // Whether the trial at v is proven below, or proven over. The ice ranges lie below 0
        // and the water ranges at or above it by construction.
        bool below(double v) const { return v <= iceBelow || (v >= 0 && v <= waterBelow); }
        bool over(double v) const {
            return (v >= iceOver && v < iceOverEnd) || (v >= waterOver && v < waterOverEnd);
        }
    };
    Known known() const {
        return {ice_.below, water_.below, ice_.over, ice_.overEnd, water_.over, water_.overEnd};
    }

  private:
    static constexpr double kInf = std::numeric_limits<double>::infinity();
    struct Side {
        double below = -kInf;  // trials at or below are below
        double over = kInf;    // trials from here up to overEnd (excluded) are over
        double overEnd = -kInf;
    };

    Side& side(double v) { return v < 0 ? ice_ : water_; }

    // A probe point inside the range probes may take; NaN goes to the top.
    static double within(double x) {
        return x > kTempStart + 1 ? (x < 99.9 ? x : 99.9) : kTempStart + 1;
    }
    const Side& side(double v) const { return v < 0 ? ice_ : water_; }

    // The most the saturation pressure can grow over the 10 K above p on p's side. Below 0 °C
    // the bound falls as p rises, so its value at the whole degree at or below p (p > −270)
    // holds for p; those are computed once.
    static double growth(double p) {
        if (p >= 0) return 2.15;  // above exp(0.761) = 2.1404
        static const IceGrowth ice;
        int degree = static_cast<int>(p);  // towards 0: one up where p is not whole
        if (degree > p) degree = degree - 1;
        return ice.atDegree[degree - static_cast<int>(kTempStart)];
    }
    struct IceGrowth {
        double atDegree[-static_cast<int>(kTempStart)];  // −270 … −1 °C
        IceGrowth() {
            for (int i = 0; i < -static_cast<int>(kTempStart); ++i) {
                const double T = (i + kTempStart + kKelvinAtZero) * (1 - 1e-12);
                atDegree[i] = std::exp(10 * (-kOverIce.a / (T * T) + 0.0107));
            }
        }
    };

    const Relation& r_;
    const bool enabled_;
    Side ice_, water_;
};

}  // namespace moistek
