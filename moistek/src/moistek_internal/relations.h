#pragma once
// The relations the searches evaluate once per trial, as inline functions over plain values so
// that a search runs without calls between exported members. Each performs exactly the
// arithmetic of the exported member it mirrors, operation for operation, and refuses exactly
// where that member returns -1; the members are written on top of them.
#include <cmath>

#include "moistek/moistek.h"
#include "moistek_internal/step_search.h"

namespace moistek {

// Kelvin at 0 °C as the saturation formulas take it: the decimal 273.15, not the member T0
// (273.15f widened).
constexpr double kKelvinAtZero = 273.15;

// The saturation formulas below 100 °C (Sonntag 1990): ln e = a/T + b + c·T + d·T² + f·ln T,
// e in hPa at T in K. The searches evaluate the same formulas (and their slope, d(ln e)/dT =
// −a/T² + c + 2d·T + f/T) to prove trials.
struct SaturationFormula {
    double a, b, c, d, f;
};
constexpr SaturationFormula kOverIce = {-6024.5282, 24.7219, 0.010613868, -0.000013198825,
                                        -0.49382577};
constexpr SaturationFormula kOverWater = {-6096.9385, 16.635794, -0.02711193, 0.00001673952,
                                          2.433502};

// Saturation vapour pressure in hPa at DB °C; false where the relations give none.
inline bool saturationHPa(double DB, double& e) {
    const double T = DB + kKelvinAtZero;
    if (!(T > 0)) return false;
    if (DB < 100) {
        const SaturationFormula& s = DB < 0 ? kOverIce : kOverWater;  // over ice, over water
        const double lnE = s.a / T + s.b + s.c * T + s.d * (T * T) + s.f * std::log(T);
        e = std::exp(lnE);
    } else if (DB < 373.946) {
        // over water up to the critical point (IAPWS, Wagner and Pruß); Pa, then hPa
        const double tau = 1 - T / 647.096;
        const double S = -7.85951783 * tau + 1.84408259 * std::pow(tau, 1.5) -
                         11.7866497 * std::pow(tau, 3.0) + 22.6807411 * std::pow(tau, 3.5) -
                         15.9618719 * std::pow(tau, 4.0) + 1.80122502 * std::pow(tau, 7.5);
        e = std::exp(std::log(22064000.0) + (647.096 / T) * S) * 0.01;
    } else {
        return false;
    }
    return true;
}

// Humidity ratio from total and vapour pressure, both already in mmHg; `k` is Mw/Ma (a search
// that evaluates it many times divides once).
inline bool ratioFromPressures(double k, double pa, double pw, double& ah) {
    const double d = pa - pw;
    if (!(d > 0)) return false;
    if (!isFinite(d)) return false;
    ah = k * pw / d;
    return isFinite(ah);
}
inline bool ratioFromPressures(const MoistekClass& m, double pa, double pw, double& ah) {
    return ratioFromPressures(m.Mw / m.Ma, pa, pw, ah);
}

// The instance's total pressure in mmHg, as the vapour-pressure relations read it.
inline double totalPressureMmHg(const MoistekClass& m) {
    return (m.Mode == 1) ? m.PA * m.HPaMmHg : m.PA;
}

// Humidity ratio at DB and RH (F_DBRH2AH); `pa` is totalPressureMmHg(m).
inline bool ratioAt(const MoistekClass& m, double DB, double RH, double pa, double& ah) {
    double e;
    if (!saturationHPa(DB, e)) return false;
    const double pws = (m.Mode == 1) ? e : e * m.HPaMmHg;  // in the caller's unit
    const double pw = pws * RH * 0.01;
    if (!isFinite(pw)) return false;
    return ratioFromPressures(m, pa, (m.Mode == 1) ? pw * m.HPaMmHg : pw, ah);
}

// Saturated humidity ratio at WB, the vapour pressure of the wet-bulb relation: in either unit
// mode the vapour pressure reaches mmHg as e·HPaMmHg.
inline bool saturatedRatioAt(const MoistekClass& m, double k, double WB, double pa, double& xs) {
    double e;
    if (!saturationHPa(WB, e)) return false;
    return ratioFromPressures(k, pa, e * m.HPaMmHg, xs);
}
inline bool saturatedRatioAt(const MoistekClass& m, double WB, double pa, double& xs) {
    return saturatedRatioAt(m, m.Mw / m.Ma, WB, pa, xs);
}

// Dry bulb of the wet bulb WB at humidity ratio AH (F_WBAH2DB), given xs = saturatedRatioAt(WB)
// and B = Cpv·AH + Cpa, already checked to be finite and non-zero.
inline bool dryBulbOfWetBulb(const MoistekClass& m, double WB, double AH, double xs, double B,
                             double& db) {
    double c, L;  // kcal/(kg·K), kcal/kg of the water or ice that evaporates
    if (WB >= 0) {
        c = m.Cw;
        L = m.R0;
    } else {
        c = m.Ci;
        L = m.R0 + m.Lf;
    }
    const double A = m.Cpv * xs + m.Cpa;
    db = ((L - c * WB) * (xs - AH) + A * WB) / B;
    return isFinite(db);
}

inline bool usableDivisor(double B) {
    return B != 0 && isFinite(B);
}

// The wet bulb of DB and AH (F_DBAH2WB); 1 or -1, the wet bulb in `wb` on success.
int wetBulb(const MoistekClass& m, double DB, double AH, double& wb);

// The wet bulbs of two states at once, each as wetBulb gives it (result[i] and wb[i]); the two
// searches run side by side, which is faster than one after the other.
void wetBulbPair(const MoistekClass& m, const double DB[2], const double AH[2], double wb[2],
                 int result[2]);

// The dew point of AH (F_AH2DP); 1 or -1, the dew point in `dp` on success.
int dewPoint(const MoistekClass& m, double AH, double& dp);

}  // namespace moistek
