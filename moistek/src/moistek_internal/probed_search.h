#pragma once
// Trials whose outcome is already certain, answered without evaluating them.
//
// A step search (step_search.h) forms its trial points by repeated addition and stops a level at
// the first trial whose quantity q(v) passes the target; the wet-bulb and dew-point searches
// take about 77 trials. Here the root is first located by a few Newton or Halley steps, each
// an evaluation of the search's own trial relation at a probe point. A probe whose q lies below
// the target by more than twice the rounding bound ε proves every trial point v ≤ p on the same
// side of 0 °C below; one whose q lies above by more than 2ε proves every trial point from p up
// to the end of its growth interval (see below) over; one near the root, with bounds on the
// slope around it, proves both sides of the root at once (straddleAt). The search then runs as
// before, with the same trial points, counter and early stop, evaluating only the trials in
// between: only evaluations whose outcome is proven are left out, so every result is the same
// to the last bit.
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
    // relation's slope and curvature in closed form, until a probe lands within kNearRoot of
    // the root and proves both sides of it (straddleAt), or the next step would land within
    // a hundredth of kReach of it: one probe there (straddle), or where that proves too little
    // a probe either side of it, just clear of the margin. With `oneSide`, no step goes to the
    // other side of 0 °C.
    void locate(double x, bool oneSide = false) {
        Locating l = locating(x, oneSide);
        while (advance(l)) {
        }
    }

    // A location taken one probe at a time, so that the locations of independent searches can
    // run in turn and the processor overlap their arithmetic: `advance` makes the next probe
    // and answers whether another follows.
    struct Locating {
        double x;  // the next probe
        bool oneSide;
        bool atRoot = false;  // x is the root, to within the proof's width
        int steps = 0;        // Halley's steps made
        double clear = 0;     // from the root to each of two probes, where the one falls short
    };
    Locating locating(double x, bool oneSide = false) const { return {within(x), oneSide}; }

    bool advance(Locating& l) {
        if (l.atRoot) {
            if (!straddle(l.x)) {
                double q, xs;
                probe(l.x - l.clear, q, xs);
                probe(l.x + l.clear, q, xs);
            }
            return false;
        }
        const double x = l.x;
        double q, xs;
        if (!probe(x, q, xs)) return false;
        const double d = r_.slope(x, q, xs);
        if (!(d > 0)) return false;
        // A probe already this near the root proves both sides itself.
        if (straddleAt(x, q, xs, d, kNearRoot)) return false;
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
        if (off <= w || off <= 0.01 * kReach) {
            l.x = x + step;
            l.atRoot = true;
            l.clear = 2 * r_.margin(xs) * inverse + off;
            return true;
        }
        const double next = within(x + step);
        if (next == x || (l.oneSide && (next < 0) != (x < 0)) || ++l.steps == 10) return false;
        l.x = next;
        return true;
    }

    // A probe at p near the root (q and xs its values, d the slope there) proves the trials on both
    // sides of the root; false where the conditions below fail (the probe's own proofs are kept).
    // The points lo and hi below lie within R = 1.01·(|q − target| + D)/d of p, R at most `reach`
    // (at most kReach, 1e-4 K). There, on p's side of 0 °C, the exact slope q' stays between m =
    // d·(1 − 1e-10 − R) and M = d·(1 + 1e-10 + R): |q''|/q' ≤ g·(1 + 2·xs/k) + |g'|/g + 0.0021 per
    // K (g = d(ln e)/dT; the last term from 2·|Cpv − c|·xs' against N' ≥ (L − (c − Cpv)·v)·xs' +
    // 0.072), under 0.5 per K above −100 °C with the vapour pressure's share at most 0.3, so q'
    // changes by under R/2 of itself, and the computed slope is within 1e-11 of the exact one. With
    // D ≥ 2ε the rounding bound (delta), lo = p − (q − target + D)/s, s = m where the numerator is
    // positive (lo below p) and M otherwise: exact q(lo) ≤ exact q(p) − (q − target + D) ≤ q + ε −
    // (q − target + D), so computed q(v) ≤ target at v = lo and, q rising on the side, below it.
    // Likewise every trial from hi = p + (target − q + D)/s up to 10 K above it is over, D taken
    // for the saturated humidity ratio's growth over those 10 K as a probe's over-range takes it.
    // The bounds on the slope move lo and hi off the tightest points by about R·|p − root|, under
    // 1e-9 K for the reaches used.
    bool straddleAt(double p, double q, double xs, double d, double reach) {
        if (!(p >= -100) || !(p < 99) || !(d > 0)) return false;
        const double xsMax = xs * 1.001;  // at most the value anywhere within reach above p
        const double share = xsMax / (r_.ratio() + xsMax);
        const double g = growth(p);
        if (!(share <= 0.3) || !(share * g <= 0.3)) return false;
        const double target = r_.target();
        const double below = r_.delta(q, xsMax), over = r_.delta(q, xsMax * g / 0.7);
        const double R = 1.01 * (std::fabs(q - target) + (below > over ? below : over)) / d;
        if (!(R <= reach)) return false;
        const double m = d * (1 - 1e-10 - R), M = d * (1 + 1e-10 + R);
        const double toLo = q - target + below, toHi = target - q + over;
        const double lo = p - toLo / (toLo > 0 ? m : M);
        const double hi = p + toHi / (toHi > 0 ? m : M);
        const bool ice = p < 0;
        if (!(ice ? hi < 0 : lo >= 0)) return false;  // both on the probe's side
        Side& s = side(p);
        s.below = lo > s.below ? lo : s.below;
        const bool isOver = hi < s.over;
        const double end = ice ? 0.0 : 100.0;
        s.overEnd = isOver ? (hi + 10 < end ? hi + 10 : end) : s.overEnd;
        s.over = isOver ? hi : s.over;
        return true;
    }

    // The same from a probe made at `root` for it.
    bool straddle(double root) {
        double q, xs;
        return probe(root, q, xs) && straddleAt(root, q, xs, r_.slope(root, q, xs), kReach);
    }
    static constexpr double kReach = 1e-4;     // K, the most a straddle reaches
    static constexpr double kNearRoot = 3e-5;  // K, from a probe made on the way

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
