// Constants, saturation vapour pressure, vapour pressure ↔ humidity ratio, dew point.
#include <cmath>

#include "moistek_internal/air_constants.h"
#include "moistek/moistek.h"
#include "moistek_internal/relations.h"

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
    double e;  // hPa
    if (!moistek::saturationHPa(DB, e)) return -1;
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
    double ah;
    if (!moistek::ratioAt(*this, DB, RH, moistek::totalPressureMmHg(*this), ah)) return -1;
    AH = ah;
    return 1;
}

int MoistekClass::F_AH2DP(double& AH, double& DP) {
    DP = 0;
    if (AH > 10000) {
        DP = 99.99999;
        return 1;
    }
    double dp;
    if (moistek::dewPoint(*this, AH, dp) != 1) return -1;
    DP = dp;
    return 1;
}
