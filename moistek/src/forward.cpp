// Enthalpy, specific volume, wet bulb, relative humidity and degree of saturation from dry bulb
// and humidity ratio, their closed-form inverses, and the humidity-ratio searches.
#include "moistek/moistek.h"
#include "moistek_internal/relations.h"

using moistek::isFinite;
using moistek::SearchEnd;
using moistek::Trial;

namespace {
// Restores the caller's unit mode when a method that switched it returns, on every path.
class ModeSwitch {
  public:
    ModeSwitch(int32_t& mode, int32_t during) : mode_(mode), saved_(mode) { mode_ = during; }
    ~ModeSwitch() { mode_ = saved_; }
    ModeSwitch(const ModeSwitch&) = delete;
    ModeSwitch& operator=(const ModeSwitch&) = delete;

  private:
    int32_t& mode_;
    int32_t saved_;
};

// F_DBAH2WB on plain values: above 10000 kg/kg(DA) the wet bulb is 100 °C without a search.
int wetBulbOf(const MoistekClass& m, double DB, double AH, double& wb) {
    if (AH > 10000) {
        wb = 100;
        return 1;
    }
    return moistek::wetBulb(m, DB, AH, wb);
}
}  // namespace

int MoistekClass::F_DBAH2EN(double& DB, double& AH, double& EN) {
    EN = 0;
    double h = (Cpv * DB + R0) * AH + Cpa * DB;  // kcal/kg(DA)
    if (Mode == 1) h = h * KcalKJ;
    if (!isFinite(h)) return -1;
    EN = h;
    return 1;
}

int MoistekClass::F_ENDB2AH(double& EN, double& DB, double& AH) {
    AH = 0;
    const double en = (Mode == 1) ? EN / KcalKJ : EN;
    const double d = Cpv * DB + R0;
    if (d == 0) return -1;
    if (!isFinite(d)) return -1;
    const double ah = (en - Cpa * DB) / d;
    if (!isFinite(ah)) return -1;
    AH = ah;
    return 1;
}

int MoistekClass::F_ENAH2DB(double& EN, double& AH, double& DB) {
    DB = 0;
    const double en = (Mode == 1) ? EN / KcalKJ : EN;
    const double d = Cpv * AH + Cpa;
    if (d == 0 || !isFinite(d)) return -1;
    const double db = (en - R0 * AH) / d;
    if (!isFinite(db)) return -1;
    DB = db;
    return 1;
}

int MoistekClass::F_DBAH2SV(double& DB, double& AH, double& SV) {
    SV = 0;
    // PA is read as mmHg in both modes.
    if (PA == 0 || !isFinite(PA)) return -1;
    const double sv = (AH * Rw + Ra) / PA * AtMmHg * 0.0001 * (T0 + DB);
    if (!isFinite(sv)) return -1;
    SV = sv;
    return 1;
}

int MoistekClass::F_SVAH2DB(double& SV, double& AH, double& DB) {
    DB = 0;
    const double d = (AH * Rw + Ra) * AtMmHg;
    if (d == 0 || !isFinite(d)) return -1;
    const double db = SV * PA * 10000 / d - T0;
    if (!isFinite(db)) return -1;
    DB = db;
    return 1;
}

int MoistekClass::F_WBAH2DB(double& WB, double& AH, double& DB) {
    DB = 0;
    double xs;
    if (!moistek::saturatedRatioAt(*this, WB, moistek::totalPressureMmHg(*this), xs)) return -1;
    const double B = Cpv * AH + Cpa;
    if (!moistek::usableDivisor(B)) return -1;
    double db;
    if (!moistek::dryBulbOfWetBulb(*this, WB, AH, xs, B, db)) return -1;
    DB = db;
    return 1;
}

int MoistekClass::F_DBAH2WB(double& DB, double& AH, double& WB) {
    WB = 0;
    double wb;
    if (wetBulbOf(*this, DB, AH, wb) != 1) return -1;
    WB = wb;
    return 1;
}

int MoistekClass::F_DBAH2RH(double& DB, double& AH, double& RH) {
    RH = 0;
    ModeSwitch engineering(Mode, 0);  // saturation pressure in mmHg, like PA
    double pws;
    if (F_DB2PWS(DB, pws) != 1) return -1;
    const double d = Mw / Ma + AH;
    if (d == 0 || pws == 0) return -1;
    if (!isFinite(d)) return -1;
    const double rh = PA * AH * 100 / pws / d;
    if (!isFinite(rh)) return -1;
    RH = rh;
    return 1;
}

int MoistekClass::F_DBAH2RV(double& DB, double& AH, double& RV) {
    RV = 0;
    double hundred = 100;
    double xs;
    if (F_DBRH2AH(DB, hundred, xs) != 1) return -1;
    const double rv = AH / xs * 100;
    if (!isFinite(rv)) return -1;
    RV = rv;
    return 1;
}

int MoistekClass::F_DBWB2RH(double& DB, double& WB, double& RH) {
    // RH is written only on success.
    ModeSwitch si(Mode, 1);  // saturation pressures in hPa
    double pdb, pwb;
    if (F_DB2PWS(DB, pdb) != 1) return -1;
    if (F_DB2PWS(WB, pwb) != 1) return -1;
    const double A = (WB > 0) ? 0.000662 : 0.000583;  // psychrometer coefficient, 1/K
    if (pdb == 0) return -1;
    const double rh = (pwb - A * 1013.25 * (DB - WB)) * 100 / pdb;
    // A saturation pressure so small that the quotient overflows: no usable humidity.
    if (!isFinite(rh)) return -1;
    RH = rh;
    return 1;
}

namespace {
// Ends a humidity search: the found value on success; on an arithmetic fault the output keeps
// the trial that faulted, on any other failure it stays 0.
int finishHumidity(SearchEnd end, double x, double& AH) {
    if (end == SearchEnd::Found) {
        AH = x;
        return 1;
    }
    if (end == SearchEnd::Fault) AH = x;
    return -1;
}
}  // namespace

int MoistekClass::F_DBWB2AH(double& DB, double& WB, double& AH) {
    AH = 0;
    double x;
    const auto end = moistek::stepSearch(x, -TolX, moistek::kHumStep, TolX, [&](double& v) {
        double wb;
        if (wetBulbOf(*this, DB, v, wb) != 1) return Trial::Failed;
        return moistek::above(wb, WB);
    });
    return finishHumidity(end, x, AH);
}

int MoistekClass::F_DBSV2AH(double& DB, double& SV, double& AH) {
    AH = 0;
    double x;
    const auto end = moistek::stepSearch(x, -TolX, moistek::kHumStep, TolX, [&](double& v) {
        double db;
        if (F_SVAH2DB(SV, v, db) != 1) return Trial::Failed;
        return moistek::below(db, DB);
    });
    return finishHumidity(end, x, AH);
}

int MoistekClass::F_SVWB2AH(double& SV, double& WB, double& AH) {
    AH = 0;
    double x;
    const auto end = moistek::stepSearch(x, -TolX, moistek::kHumStep, TolX, [&](double& v) {
        double db, wb;
        if (F_SVAH2DB(SV, v, db) != 1) return Trial::Failed;
        if (wetBulbOf(*this, db, v, wb) != 1) return Trial::Failed;
        return moistek::above(wb, WB);
    });
    return finishHumidity(end, x, AH);
}
