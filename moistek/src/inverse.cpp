// Dry-bulb temperature found by searching along a line of constant relative humidity (or
// enthalpy) until a second property is met.
#include "moistek/moistek.h"
#include "moistek_internal/relations.h"

using moistek::SearchEnd;
using moistek::Trial;

namespace {
template <typename TrialFn>
int temperatureSearch(const MoistekClass& m, double& DB, TrialFn trial) {
    DB = 0;
    double t;
    const auto end = moistek::stepSearch(t, moistek::kTempStart, moistek::kTempStep, m.TolT, trial);
    if (end != SearchEnd::Found) return -1;
    DB = t;
    return 1;
}
}  // namespace

int MoistekClass::F_RHAH2DB(double& RH, double& AH, double& DB) {
    return temperatureSearch(*this, DB, [&](double& t) {
        double x;
        if (!moistek::ratioAt(*this, t, RH, moistek::totalPressureMmHg(*this), x))
            return Trial::Failed;
        return moistek::above(x, AH);
    });
}

int MoistekClass::F_RHEN2DB(double& RH, double& EN, double& DB) {
    return temperatureSearch(*this, DB, [&](double& t) {
        double x, en;
        if (F_DBRH2AH(t, RH, x) != 1) return Trial::Failed;
        if (F_DBAH2EN(t, x, en) != 1) return Trial::Failed;
        return moistek::above(en, EN);
    });
}

int MoistekClass::F_RHWB2DB(double& RH, double& WB, double& DB) {
    return temperatureSearch(*this, DB, [&](double& t) {
        double x, wb;
        if (!moistek::ratioAt(*this, t, RH, moistek::totalPressureMmHg(*this), x))
            return Trial::Failed;
        if (x > 10000) {
            wb = 100;
        } else if (moistek::wetBulb(*this, t, x, wb) != 1) {
            return Trial::Failed;
        }
        return moistek::above(wb, WB);
    });
}

int MoistekClass::F_RHSV2DB(double& RH, double& SV, double& DB) {
    return temperatureSearch(*this, DB, [&](double& t) {
        double x, sv;
        if (F_DBRH2AH(t, RH, x) != 1) return Trial::Failed;
        if (F_DBAH2SV(t, x, sv) != 1) return Trial::Failed;
        return moistek::above(sv, SV);
    });
}

int MoistekClass::F_SVEN2DB(double& SV, double& EN, double& DB) {
    return temperatureSearch(*this, DB, [&](double& t) {
        double x, sv;
        if (F_ENDB2AH(EN, t, x) != 1) return Trial::Failed;
        if (F_DBAH2SV(t, x, sv) != 1) return Trial::Failed;
        return moistek::above(sv, SV);
    });
}
