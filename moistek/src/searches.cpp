// The wet-bulb and dew-point searches, the two that every complete state runs: their trials
// evaluated inline, and trials proven below or over the target left out (probed_search.h; for
// the dew point mostly from the saturation formula's logarithm, lnBracket).
#include <cmath>

#include "moistek_internal/probed_search.h"
#include "moistek_internal/relations.h"

namespace moistek {
namespace {

// Probes are proven with the constants the engine starts with; an instance whose constants a
// caller changed searches every trial.
bool standardConstants(const MoistekClass& m) {
    static const MoistekClass start;
    return m.Cw == start.Cw && m.Ci == start.Ci && m.Cpa == start.Cpa && m.Cpv == start.Cpv &&
           m.R0 == start.R0 && m.Lf == start.Lf && m.Mw == start.Mw && m.Ma == start.Ma &&
           m.HPaMmHg == start.HPaMmHg;
}

// Magnus's formula over water, e = 6.112 hPa · exp(17.62·v/(243.12 + v)), for first guesses of
// the dew point only; ln 6.112 to eight places.
constexpr double kMagnusE0 = 6.112, kMagnusLnE0 = 1.8102541, kMagnusB = 17.62, kMagnusC = 243.12;

const SaturationFormula& formulaAt(double v) {
    return v < 0 ? kOverIce : kOverWater;
}

// What both relations share. The saturation pressure rises with v on each side of 0 °C:
// d(ln e)/dT ≥ (6024.5282 − 0.494·T)/T² + 0.0106 − 2.64e-5·T > 0.078 on the ice formula
// (T ≤ 273.15 K) and ≥ 0.0437 + 0.0065 + 0.0091 − 0.0272 > 0 on the water formula below
// 100 °C. Its rounding: for T = v + 273.15 ≥ 30 K the computed saturation pressure is within
// 1e-12 of the exact one, relative: T carries half an ulp of 512 (5.7e-14), which
// d(ln e)/dT ≤ 6.9 turns into 4e-13 in ln e; the eight roundings of ln e, each at most an ulp of
// |partial sums| ≤ 203, add 2.3e-13; exp and log (glibc) are within an ulp. Below 30 K,
// e < 1e-75 and any relative error is absolutely negligible. With the vapour pressure at most
// 35 % of the total pressure (xs ≤ 0.3 with the standard molar masses), the humidity ratio is
// then within 3e-12 of its exact value, relative (the subtraction pa − pw amplifies the vapour
// pressure's error at most 0.35/0.65 times).

// d(ln e)/dT of the saturation pressure below 100 °C, for placing probes.
double lnPressureSlope(double v) {
    const double T = v + kKelvinAtZero;
    const SaturationFormula& s = formulaAt(v);
    return -s.a / (T * T) + s.c + 2 * s.d * T + s.f / T;
}

// d(xs)/dv: xs = k·pw/(pa − pw) grows as pw does, times pa/(pa − pw) = 1 + xs/k.
double ratioSlope(const MoistekClass& m, double v, double xs) {
    return xs * (1 + xs * m.Ma / m.Mw) * lnPressureSlope(v);
}

// Below 0 °C the saturation pressure stays under its value at 0 °C on the ice formula,
// 6.1115366 hPa; with 6.1116 hPa in mmHg, the largest humidity ratio a trial there can reach
// (and its vapour pressure's share of pa at most 0.3, as the proofs need), or −1.
double iceRatioBound(const MoistekClass& m, double pa) {
    const double pw = 6.1116 * m.HPaMmHg;
    if (!(pw <= 0.3 * pa) || !isFinite(pa)) return -1;
    return m.Mw / m.Ma * pw / (pa - pw) * (1 + 1e-12);
}

// The wet-bulb trial: q = F_WBAH2DB(v, AH), over when above DB. With AH ≥ 0 and xs ≤ 0.3,
// q = N/B with B = Cpv·AH + Cpa > 0 and N = (L − c·v)(xs − AH) + (Cpv·xs + Cpa)·v, where
// dN/dv = (L − c·v + Cpv·v)·xs' + Cpa + (Cpv − c)·xs + c·AH: L − c·v + Cpv·v ≥ 597.5 − 0.559·100
// > 0, and Cpa + (Cpv − c)·xs ≥ 0.24 − 0.559·0.3 > 0, so q rises with v on each side of 0 °C.
// Its rounding error, for trials with xs ≤ xsMax: (L − c·v)·|Δxs| ≤ 814·3e-12·xsMax; the
// roundings of xs − AH, of L − c·v and of the product at most 814·4.4e-16·(xsMax + AH); A·v
// at most 273·1.4e-12·xsMax + 5e-14; the sum 1.1e-16·|N|; all divided by B ≥ 0.24, itself and
// the quotient 3.3e-16 relative. In all ε ≤ 1.2e-8·xsMax + 1.9e-12·(xsMax + AH) + 2.5e-13 +
// 5.5e-16·|q|, and the margin 1e-7·xsMax + 1e-11·(1 + AH) + 1e-14·(|DB| + |q|) exceeds 2ε.
// k = Mw/Ma as the relations divide it; 1/k and 1/B only place probes.
struct WetBulbRelation {
    const MoistekClass& m;
    double DB, AH, B, pa, k, kInverse, BInverse;
    bool evaluate(double v, double& q, double& xs) const {
        return saturatedRatioAt(m, k, v, pa, xs) && dryBulbOfWetBulb(m, v, AH, xs, B, q);
    }
    double target() const { return DB; }
    double delta(double q, double xsMax) const {
        return 1e-7 * xsMax + 1e-11 * (1 + AH) + 1e-14 * (std::fabs(DB) + std::fabs(q));
    }
    bool provenBelow(double q, double xsMax) const { return q <= DB - delta(q, xsMax); }
    bool provenOver(double q, double xsMax) const { return q >= DB + delta(q, xsMax); }
    double margin(double xs) const { return delta(DB, (2.15 / 0.7) * xs); }
    // dq/dv as ratioSlope and the slope of N give it, with one division.
    double slope(double v, double, double xs) const {
        const double c = v >= 0 ? m.Cw : m.Ci, L = v >= 0 ? m.R0 : m.R0 + m.Lf;
        const double T = v + kKelvinAtZero, u = 1 / T;
        const SaturationFormula& s = formulaAt(v);
        const double lnSlope = -s.a * u * u + s.c + 2 * s.d * T + s.f * u;
        const double xsSlope = xs * (1 + xs * kInverse) * lnSlope;
        const double dN = (L - c * v + m.Cpv * v) * xsSlope + m.Cpa + (m.Cpv - c) * xs + c * AH;
        return dN * BInverse;
    }
    // d²q/dv², for Halley's steps: N'' = (L − (c − Cpv)·v)·xs'' + 2·(Cpv − c)·xs', with
    // xs' = xs·(1 + xs/k)·g and xs'' = xs'·g·(1 + 2·xs/k) + xs·(1 + xs/k)·g', g = d(ln e)/dT.
    double curvature(double v, double, double xs) const {
        const double c = v >= 0 ? m.Cw : m.Ci, L = v >= 0 ? m.R0 : m.R0 + m.Lf;
        const double T = v + kKelvinAtZero, u = 1 / T;
        const SaturationFormula& s = formulaAt(v);
        const double g = -s.a * u * u + s.c + 2 * s.d * T + s.f * u;
        const double dg = 2 * s.a * u * u * u - s.f * u * u + 2 * s.d;
        const double grow = 1 + xs * kInverse;
        const double xs1 = xs * grow * g;
        const double xs2 = xs1 * g * (grow + xs * kInverse) + xs * grow * dg;
        return ((L - (c - m.Cpv) * v) * xs2 + 2 * (m.Cpv - c) * xs1) * BInverse;
    }
    double ratio() const { return k; }
    // On the ice side q rises towards (L + Lf)·(xs(0 °C) − AH)/B at 0 °C.
    bool wholeIceSideBelow() const {
        const double xsMax = iceRatioBound(m, pa);
        if (xsMax < 0) return false;
        const double top = (m.R0 + m.Lf) * (xsMax - AH) / B;
        return provenBelow(top, xsMax);
    }
};

// The dew-point trial: q = the saturated humidity ratio at v, over when above AH; it rises with
// v on each side of 0 °C. Within 3e-12 relative of the exact value, so a probe at most
// AH·(1 − 3e-11) proves every lower trial below AH and one at least AH·(1 + 3e-11) every
// higher one over, for AH ≥ 1e-200 (far above the absolute error of a vanishing saturation
// pressure).
struct DewPointRelation {
    const MoistekClass& m;
    double AH, pa;
    bool evaluate(double v, double& q, double& xs) const {
        if (!ratioAt(m, v, 100, pa, q)) return false;
        xs = q;
        return true;
    }
    double target() const { return AH; }
    bool provenBelow(double q, double) const { return q <= AH * (1 - 3e-11); }
    bool provenOver(double q, double) const { return q >= AH * (1 + 3e-11); }
    double margin(double) const { return 3e-11 * AH; }
    double slope(double v, double q, double) const { return ratioSlope(m, v, q); }
    double ratio() const { return m.Mw / m.Ma; }
    bool wholeIceSideBelow() const {
        const double xsMax = iceRatioBound(m, pa);
        return xsMax >= 0 && provenBelow(xsMax, xsMax);
    }
};

// A dew point good to a degree or two: Magnus over water, from the vapour pressure in hPa.
double roughDewPoint(const MoistekClass& m, double k, double AH, double paMmHg) {
    const double g = std::log(AH * paMmHg / ((k + AH) * m.HPaMmHg * kMagnusE0));
    return kMagnusC * g / (kMagnusB - g);
}

// A first estimate of the wet bulb, only to place probes: the balance B·(DB − WB) = L·(xs(WB) −
// AH) with xs on its tangent at the dew point (Magnus's slope there); within a few tenths of a
// kelvin in ordinary air. A third of the way from the dew point to the dry bulb where it
// cannot be formed (no humidity).
double roughWetBulb(const MoistekClass& m, double k, double DB, double AH, double B, double pa) {
    const double dp = roughDewPoint(m, k, AH, pa);
    const double L = dp >= 0 ? m.R0 : m.R0 + m.Lf;
    const double t = kMagnusC + dp;
    const double slope = AH * (1 + AH / k) * (kMagnusB * kMagnusC / (t * t));
    const double wb = (B * DB + L * slope * dp) / (B + L * slope);
    return std::isfinite(wb) ? wb : (2 * dp + DB) * (1.0 / 3);
}

// The dew point estimated without evaluating the saturation pressure: Magnus over water, then
// Newton steps on ln e of the saturation formula itself towards the vapour pressure (hPa) that
// AH stands for. Only a place for probes: from Magnus's 0.1 K or so the second step already
// lands within 1e-12 K, a third (rarely needed) when starting farther off.
double estimatedDewPoint(const MoistekClass& m, double AH, double pa) {
    const double lnTarget = std::log(AH * pa / ((m.Mw / m.Ma + AH) * m.HPaMmHg));
    const double g = lnTarget - kMagnusLnE0;  // ln(e / 6.112 hPa)
    double v = kMagnusC * g / (kMagnusB - g);
    for (int i = 0; i < 6; ++i) {
        const double T = v + kKelvinAtZero, u = 1 / T, lnT = std::log(T);
        const SaturationFormula& s = formulaAt(v);
        const double lnE = s.a * u + s.b + s.c * T + s.d * T * T + s.f * lnT;
        const double step = (lnTarget - lnE) / lnPressureSlope(v);
        if (!(v + step > -269 && v + step < 99.9)) break;
        v = v + step;
        if (std::fabs(step) < 1e-5) break;
    }
    return v;
}

// The dew point's proven ranges straight from the saturation formula's logarithm F(T), ln e in
// hPa at T = v + 273.15, without a probe. Λ = ln(AH·pa/((Mw/Ma + AH)·HPaMmHg)) is ln e of the
// vapour pressure that AH stands for. A trial at v is below when q(v) ≤ AH, which the rounding
// bound of 3e-12 on q (share ≤ 0.3) guarantees once F(v + 273.15) ≤ Λ − 3e-12 (q rises with e;
// lowering AH by 3e-12 relative lowers ln e by at most that); likewise it is over once
// F ≥ Λ + 3.0001e-12. Computed here: Λ within 5e-15 (five roundings, a log within an ulp of
// |Λ| ≤ 20), F at the double T within 1e-13 (a·u with u = 1/T rounded, four products and four
// sums each under 64, the log), F' within 1e-12, and the points lo and hi within 3e-14 K, which
// F' ≤ 0.21 turns into 7e-15. With μ = 1e-11 exceeding the sum of all of these, and m₋ ≤ F' ≤
// m₊ over the interval of half-width δ around T, |F''| ≤ 2a/T³ + f/T² + 2d (6.5e-4 over water
// above 0 °C, 2.4e-3 over ice above −100 °C):
//   below: F(T) − Λ ≤ r + μ − slack with r = F̃ − Λ̃, so lo = v − (r + μ)/m (m₋ when r + μ > 0,
//          else m₊) has F(lo + 273.15) ≤ Λ − 3e-12, and every trial at or below lo on its side
//          is below (F rises on each side);
//   over:  hi = v − (r − μ)/m (m₋ when r − μ < 0, else m₊) has F(hi + 273.15) ≥ Λ + 3.0001e-12,
//          and so has every trial from hi up to 10 K above it on its side, where the vapour
//          pressure's share of pa stays below 0.3: it grows at most by 2.15 over water and by
//          exp(10·(6024.5282/173.15² + 0.0107)) < 8.31 over ice above −100 °C.
// Newton steps from Magnus bring |r| under 1e-5, which keeps δ = 2(|r| + μ)/F' under 1e-3 K and
// the gap between lo and hi a few 1e-9 K. Anything outside these conditions answers false.
bool lnBracket(const MoistekClass& m, double AH, double pa,
               ProbedTrials<DewPointRelation>::Known& known) {
    constexpr double inf = std::numeric_limits<double>::infinity(), mu = 1e-11;
    const double k = m.Mw / m.Ma;
    const double lnTarget = std::log(AH * pa / ((k + AH) * m.HPaMmHg));
    if (!(std::fabs(lnTarget) <= 20)) return false;
    const double g0 = lnTarget - kMagnusLnE0;  // Magnus over water, ln(e / 6.112 hPa)
    double v = kMagnusC * g0 / (kMagnusB - g0);
    for (int i = 0; i < 5; ++i) {
        if (!(v >= -99 && v < 99)) return false;
        const bool ice = v < 0;
        const double T = v + kKelvinAtZero, u = 1 / T, lnT = std::log(T);
        const SaturationFormula& s = formulaAt(v);
        const double F = s.a * u + s.b + s.c * T + s.d * T * T + s.f * lnT;
        const double dF = -s.a * u * u + s.c + 2 * s.d * T + s.f * u;
        const double r = F - lnTarget;
        if (!(std::fabs(r) <= 1e-5)) {
            v = v - r / dF;
            continue;
        }
        const double delta = 2 * (std::fabs(r) + mu) / dF;
        const double spread = 1e-12 + (ice ? 2.4e-3 : 6.5e-4) * delta;
        const double lower = dF - spread, upper = dF + spread;
        const double share = AH / (k + AH) * 1.001 * (ice ? 8.31 : 2.15);
        if (!(lower > 0.03) || !(share <= 0.3)) return false;
        const double base = T - kKelvinAtZero;
        const double lo = base - (r + mu) / (r + mu > 0 ? lower : upper);
        const double hi = base - (r - mu) / (r - mu < 0 ? lower : upper);
        const double end = ice ? 0.0 : 100.0;
        if (ice ? !(hi < 0) : !(lo >= 0)) return false;  // both on v's side
        const double hiEnd = hi + 10 < end ? hi + 10 : end;
        if (ice)
            known = {lo, -inf, hi, hiEnd, inf, -inf};
        else
            known = {-std::numeric_limits<double>::denorm_min(), lo, inf, -inf, hi, hiEnd};
        return true;
    }
    return false;
}

// The dew-point search over the proven ranges. Where the trials proven below are all those at or
// below one point, as when the whole ice side is below and a probe proved the water side up to
// lo, or no water-side trial is proven, the runs of proven trials reduce to their additions; the
// stop at 100 °C cannot answer for them, every probe lying below 100 °C.
template <typename TrialFn, typename StopFn>
SearchEnd searchDewPoint(const ProbedTrials<DewPointRelation>::Known& known, double& t,
                         double tolerance, TrialFn trial, StopFn stop) {
    const double wholeIce = -std::numeric_limits<double>::denorm_min();
    if (!(known.waterBelow >= 0) || known.iceBelow == wholeIce) {
        const double lo = known.waterBelow >= 0 ? known.waterBelow : known.iceBelow;
        return stepSearchAbove(t, kTempStart, kTempStep, tolerance, lo, trial, stop);
    }
    return stepSearch(
        t, kTempStart, kTempStep, tolerance, [&](double v) { return known.below(v); }, trial, stop);
}

}  // namespace

namespace {

// One wet-bulb search: the location of its root by probes, taken one probe at a time (so that
// two searches can run side by side), then the search over the proven ranges.
class WetBulbSearch {
  public:
    WetBulbSearch(const MoistekClass& m, double DB, double AH)
        : m_(m),
          B_(m.Cpv * AH + m.Cpa),
          pa_((m.Mode == 1) ? m.PA * m.HPaMmHg : m.PA),
          relation_{m, DB, AH, B_, pa_, m.Mw / m.Ma, m.Ma / m.Mw, 1 / B_},
          trials_(relation_, AH >= 0 && AH <= 10000 && std::isfinite(DB) && std::isfinite(pa_) &&
                                 standardConstants(m)),
          // Every trial divides by B and compares with DB: when either is unusable the first
          // trial (if the tolerance lets one run) fails or faults, and the search with it.
          refused_(kTempStep > m.TolT && (!usableDivisor(B_) || std::isnan(DB))),
          probing_(kTempStep > m.TolT && !refused_) {
        if (probing_) {
            locating_ = trials_.locating(roughWetBulb(m, relation_.k, DB, AH, B_, pa_));
        }
    }
    WetBulbSearch(const WetBulbSearch&) = delete;
    WetBulbSearch& operator=(const WetBulbSearch&) = delete;

    // The next probe; false once the root is located.
    bool advance() {
        if (!probing_) return false;
        if (trials_.advance(locating_)) return true;
        // A root placed below 0 °C may not be the search's: where the relation steps down at
        // 0 °C to below DB, the root is above 0 °C, and trials there must be proven too.
        if (!atZero_ && !trials_.waterKnown()) {
            atZero_ = true;
            locating_ = trials_.locating(0, true);
            return true;
        }
        probing_ = false;
        return false;
    }

    // The search itself, once every probe is made; 1 with the wet bulb in `wb`, or -1.
    int finish(double& wb) {
        if (refused_) return -1;
        if (kTempStep > m_.TolT && !trials_.iceProven()) {
            if (relation_.wholeIceSideBelow()) {
                trials_.iceSideBelow();
            } else {
                double q, xs;
                trials_.probe(-10, q, xs);
            }
        }
        const auto known = trials_.known();
        const double DB = relation_.DB;
        double v;
        const auto trial = [&](double t) {
            if (known.over(t)) return Trial::Over;
            double q, xs;
            if (!relation_.evaluate(t, q, xs)) return Trial::Failed;
            return q > DB ? Trial::Over : Trial::Below;
        };
        const auto end = stepSearchSides(v, kTempStart, kTempStep, m_.TolT, known.iceBelow,
                                         known.waterBelow, trials_.near(), trial);
        if (end != SearchEnd::Found) return -1;
        wb = v;
        return 1;
    }

  private:
    const MoistekClass& m_;
    const double B_, pa_;
    const WetBulbRelation relation_;
    ProbedTrials<WetBulbRelation> trials_;
    const bool refused_;
    bool probing_;
    bool atZero_ = false;
    ProbedTrials<WetBulbRelation>::Locating locating_{};
};

}  // namespace

int wetBulb(const MoistekClass& m, double DB, double AH, double& wb) {
    WetBulbSearch search(m, DB, AH);
    while (search.advance()) {
    }
    return search.finish(wb);
}

void wetBulbPair(const MoistekClass& m, const double DB[2], const double AH[2], double wb[2],
                 int result[2]) {
    WetBulbSearch a(m, DB[0], AH[0]), b(m, DB[1], AH[1]);
    // A probe of one search, then one of the other: each waits mostly on its own chain of
    // logarithm, exponential and divisions, which the other's fills.
    bool moreA = a.advance(), moreB = b.advance();
    while (moreA || moreB) {
        if (moreA) moreA = a.advance();
        if (moreB) moreB = b.advance();
    }
    result[0] = a.finish(wb[0]);
    result[1] = b.finish(wb[1]);
}

namespace {

// The proven ranges from probes: Newton steps to an estimate, a probe either side of it.
ProbedTrials<DewPointRelation>::Known probedRanges(const DewPointRelation& relation, bool enabled) {
    const MoistekClass& m = relation.m;
    const double AH = relation.AH, pa = relation.pa;
    ProbedTrials<DewPointRelation> trials(relation, enabled);
    if (kTempStep > m.TolT && AH >= 1e-200 && pa > 0) {
        const double root = estimatedDewPoint(m, AH, pa);
        trials.bracket(root, 3 * relation.margin(AH) / ratioSlope(m, root, AH));
        double q, xs;
        if (!trials.iceProven()) {
            if (relation.wholeIceSideBelow())
                trials.iceSideBelow();
            else
                trials.probe(-10, q, xs);
        }
    }
    return trials.known();
}

}  // namespace

int dewPoint(const MoistekClass& m, double AH, double& dp) {
    if (kTempStep > m.TolT && std::isnan(AH)) return -1;  // the first trial faults
    const double pa = totalPressureMmHg(m);
    const DewPointRelation relation{m, AH, pa};
    const bool standard = AH >= 1e-200 && AH <= 10000 && std::isfinite(pa) && standardConstants(m);
    // The ranges from the formula's logarithm where they apply (a root over water needs the
    // whole ice side below as well), else from probes.
    ProbedTrials<DewPointRelation>::Known known;
    if (!(standard && kTempStep > m.TolT && pa > 0 && lnBracket(m, AH, pa, known) &&
          (!(known.waterBelow >= 0) || relation.wholeIceSideBelow())))
        known = probedRanges(relation, standard);
    const auto trial = [&](double v) {
        if (known.over(v)) return Trial::Over;
        double xs;
        if (!ratioAt(m, v, 100, pa, xs)) return Trial::Failed;
        return xs > AH ? Trial::Over : Trial::Below;
    };
    const auto stop = [](double v) { return v >= 100; };
    double t;
    const auto end = searchDewPoint(known, t, m.TolT, trial, stop);
    if (end == SearchEnd::Stopped) {
        dp = 100;
        return 1;
    }
    if (end != SearchEnd::Found) return -1;
    if (t < -200) t = -m.T0;
    dp = t;
    return 1;
}

}  // namespace moistek
