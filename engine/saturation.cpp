// Constants, saturation vapour pressure, vapour pressure ↔ humidity ratio, dew point.
#include <cmath>

#include "engine/air_constants.h"
#include "engine/moistek.h"
#include "engine/step_search.h"

using moistek::isFinite;

namespace {
// Constants held as the single-precision number nearest to the decimal, widened to double:
// the library's results depend on these exact values in their last digits.
constexpr double widened(float v) {
    return static_cast<double>(v);
}
}  // namespace

MoistekClass::MoistekClass()
    : Mode(0),
      AtMmHg(widened(735.5593f)),
      T0(widened(273.15f)),
      Ma(widened(28.966f)),
      Mw(widened(18.015f)),
      Ra(widened(29.27f)),
      Rw(widened(47.06f)),
      Cpa(widened(0.24f)),
      Cpv(widened(0.441f)),
      Cw(1.0),
      Ci(0.5),
      R0(humidraw::kLatentHeat0),
      Lf(widened(79.7f)),
      Pstd(760.0),
      PA(760.0),
      KcalKJ(widened(4.1868f)),
      HPaMmHg(0.75006168),
      TolT(0.00000001),
      TolX(0.0000025) {}

int MoistekClass::F_DB2PWS(double& DB, double& PWS) {
    PWS = 0;
    const double T = DB + 273.15;  // the decimal constant, not the member T0
    if (!(T > 0)) return -1;
    double e;  // hPa
    if (DB < 0) {
        // over ice (Sonntag 1990)
        const double lnE = -6024.5282 / T + 24.7219 + 0.010613868 * T - 0.000013198825 * (T * T) -
                           0.49382577 * std::log(T);
        e = std::exp(lnE);
    } else if (DB < 100) {
        // over water (Sonntag 1990)
        const double lnE = -6096.9385 / T + 16.635794 - 0.02711193 * T + 0.00001673952 * (T * T) +
                           2.433502 * std::log(T);
        e = std::exp(lnE);
    } else if (DB < 373.946) {
        // over water up to the critical point (IAPWS, Wagner and Pruß); Pa, then hPa
        const double tau = 1 - T / 647.096;
        const double S = -7.85951783 * tau + 1.84408259 * std::pow(tau, 1.5) -
                         11.7866497 * std::pow(tau, 3.0) + 22.6807411 * std::pow(tau, 3.5) -
                         15.9618719 * std::pow(tau, 4.0) + 1.80122502 * std::pow(tau, 7.5);
        e = std::exp(std::log(22064000.0) + (647.096 / T) * S) * 0.01;
    } else {
        return -1;
    }
    PWS = (Mode == 1) ? e : e * HPaMmHg;
    return 1;
}

int MoistekClass::F_PAPW2AH(double& PA, double& PW, double& AH) {
    AH = 0;
    double pa = PA, pw = PW;
    if (Mode == 1) {
        pa = PA * HPaMmHg;
        pw = PW * HPaMmHg;
    }
    const double d = pa - pw;
    if (!(d > 0)) return -1;
    if (!isFinite(d)) return -1;
    const double ah = Mw / Ma * pw / d;
    if (!isFinite(ah)) return -1;
    AH = ah;
    return 1;
}

int MoistekClass::F_PW2AH(double& PW, double& AH) {
    return F_PAPW2AH(PA, PW, AH);
}

int MoistekClass::F_PAAH2PW(double& PA, double& AH, double& PW) {
    // PW keeps the caller's value until the end; a fault writes 0.
    const double pa = (Mode == 1) ? PA * HPaMmHg : PA;
    const double d = AH * Ma + Mw;
    if (d == 0) return -1;
    if (!isFinite(d) || !isFinite(pa)) {
        PW = 0;
        return -1;
    }
    double pw = AH * Ma * pa / d;
    if (Mode == 1) pw = pw / HPaMmHg;
    if (!isFinite(pw)) {
        PW = 0;
        return -1;
    }
    PW = pw;
    return 1;
}

int MoistekClass::F_DBRH2AH(double& DB, double& RH, double& AH) {
    AH = 0;
    double pws;
    if (F_DB2PWS(DB, pws) != 1) return -1;
    double pw = pws * RH * 0.01;
    if (!isFinite(pw)) return -1;
    return F_PAPW2AH(PA, pw, AH);
}

int MoistekClass::F_AH2DP(double& AH, double& DP) {
    DP = 0;
    if (AH > 10000) {
        DP = 99.99999;
        return 1;
    }
    double hundred = 100;
    double t;
    const auto end = moistek::stepSearch(
        t, moistek::kTempStart, moistek::kTempStep, TolT,
        [&](double& v) {
            double xs;
            if (F_DBRH2AH(v, hundred, xs) != 1) return moistek::Trial::Failed;
            return moistek::above(xs, AH);
        },
        [](double v) { return v >= 100; });
    if (end == moistek::SearchEnd::Stopped) {
        DP = 100;
        return 1;
    }
    if (end != moistek::SearchEnd::Found) return -1;
    if (t < -200) t = -T0;
    DP = t;
    return 1;
}
