// Complete states: each method reads two of the seven positions (DB, RH, AH, EN, SV, WB, DP)
// and fills the other five by a fixed sequence of calls, the last always the dew point of AH.
// The first failing call ends the method; what earlier calls wrote stays, the failing call's
// output is 0, later positions are untouched.
#include <initializer_list>

#include "moistek/moistek.h"

namespace {

enum Position { kDB, kRH, kAH, kEN, kSV, kWB, kDP };

using Relation = int (MoistekClass::*)(double&, double&, double&);

struct Step {
    Relation relation;
    Position first, second, out;
};

int runSteps(MoistekClass& m, double* const (&p)[7], std::initializer_list<Step> steps) {
    for (const Step& s : steps)
        if ((m.*s.relation)(*p[s.first], *p[s.second], *p[s.out]) != 1) return -1;
    return m.F_AH2DP(*p[kAH], *p[kDP]) == 1 ? 1 : -1;
}

using M = MoistekClass;

}  // namespace

#define MOISTEK_POSITIONS double* const p[7] = {&DB, &RH, &AH, &EN, &SV, &WB, &DP}

int M::C_DBRH(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_DBRH2AH, kDB, kRH, kAH},
                     {&M::F_DBAH2EN, kDB, kAH, kEN},
                     {&M::F_DBAH2SV, kDB, kAH, kSV},
                     {&M::F_DBAH2WB, kDB, kAH, kWB}});
}

int M::C_DBAH(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_DBAH2EN, kDB, kAH, kEN},
                     {&M::F_DBAH2RH, kDB, kAH, kRH},
                     {&M::F_DBAH2SV, kDB, kAH, kSV},
                     {&M::F_DBAH2WB, kDB, kAH, kWB}});
}

int M::C_DBEN(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    // The enthalpy line must still have a non-negative humidity ratio at DB.
    double edge = -TolX;
    double dbMax;
    if (F_ENAH2DB(EN, edge, dbMax) != 1 || DB > dbMax) return -1;
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_ENDB2AH, kEN, kDB, kAH},
                     {&M::F_DBAH2RH, kDB, kAH, kRH},
                     {&M::F_DBAH2SV, kDB, kAH, kSV},
                     {&M::F_DBAH2WB, kDB, kAH, kWB}});
}

int M::C_DBWB(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_DBWB2AH, kDB, kWB, kAH},
                     {&M::F_DBAH2EN, kDB, kAH, kEN},
                     {&M::F_DBAH2RH, kDB, kAH, kRH},
                     {&M::F_DBAH2SV, kDB, kAH, kSV}});
}

int M::C_DBSV(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_DBSV2AH, kDB, kSV, kAH},
                     {&M::F_DBAH2EN, kDB, kAH, kEN},
                     {&M::F_DBAH2RH, kDB, kAH, kRH},
                     {&M::F_DBAH2WB, kDB, kAH, kWB}});
}

int M::C_RHAH(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_RHAH2DB, kRH, kAH, kDB},
                     {&M::F_DBAH2EN, kDB, kAH, kEN},
                     {&M::F_DBAH2SV, kDB, kAH, kSV},
                     {&M::F_DBAH2WB, kDB, kAH, kWB}});
}

int M::C_RHEN(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_RHEN2DB, kRH, kEN, kDB},
                     {&M::F_DBRH2AH, kDB, kRH, kAH},
                     {&M::F_DBAH2SV, kDB, kAH, kSV},
                     {&M::F_DBAH2WB, kDB, kAH, kWB}});
}

int M::C_RHWB(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_RHWB2DB, kRH, kWB, kDB},
                     {&M::F_DBRH2AH, kDB, kRH, kAH},
                     {&M::F_DBAH2EN, kDB, kAH, kEN},
                     {&M::F_DBAH2SV, kDB, kAH, kSV}});
}

int M::C_RHSV(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_RHSV2DB, kRH, kSV, kDB},
                     {&M::F_DBRH2AH, kDB, kRH, kAH},
                     {&M::F_DBAH2EN, kDB, kAH, kEN},
                     {&M::F_DBAH2WB, kDB, kAH, kWB}});
}

int M::C_AHEN(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_ENAH2DB, kEN, kAH, kDB},
                     {&M::F_DBAH2RH, kDB, kAH, kRH},
                     {&M::F_DBAH2WB, kDB, kAH, kWB},
                     {&M::F_DBAH2SV, kDB, kAH, kSV}});
}

int M::C_AHWB(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_WBAH2DB, kWB, kAH, kDB},
                     {&M::F_DBAH2RH, kDB, kAH, kRH},
                     {&M::F_DBAH2EN, kDB, kAH, kEN},
                     {&M::F_DBAH2SV, kDB, kAH, kSV}});
}

int M::C_AHSV(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_SVAH2DB, kSV, kAH, kDB},
                     {&M::F_DBAH2RH, kDB, kAH, kRH},
                     {&M::F_DBAH2EN, kDB, kAH, kEN},
                     {&M::F_DBAH2WB, kDB, kAH, kWB}});
}

int M::C_ENWB(double&, double&, double&, double&, double&, double&, double&) {
    return -1;  // enthalpy and wet bulb are not accepted as a pair; nothing is written
}

int M::C_ENSV(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_SVEN2DB, kSV, kEN, kDB},
                     {&M::F_DBSV2AH, kDB, kSV, kAH},
                     {&M::F_DBAH2RH, kDB, kAH, kRH},
                     {&M::F_DBAH2WB, kDB, kAH, kWB}});
}

int M::C_WBSV(double& DB, double& RH, double& AH, double& EN, double& SV, double& WB, double& DP) {
    MOISTEK_POSITIONS;
    return runSteps(*this, p,
                    {{&M::F_SVWB2AH, kSV, kWB, kAH},
                     {&M::F_SVAH2DB, kSV, kAH, kDB},
                     {&M::F_DBAH2RH, kDB, kAH, kRH},
                     {&M::F_DBAH2EN, kDB, kAH, kEN}});
}
