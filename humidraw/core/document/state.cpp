#include "document/state.h"

#include "units/units.h"

#include "moistek/moistek.h"

namespace humidraw {

CurrentState screenToState(const ChartFrame& frame, const ViewTransform& view, double X, double Y) {
    const StatePoint p = stateAtScreen(frame, view, X, Y);
    CurrentState s;
    s.h = p.h;
    s.x = p.x;
    const MoistAir& air = frame.air;
    s.DB = air.ENAH2DB(p.h, p.x);
    s.RH = air.DBAH2RH(s.DB, p.x);
    s.WB = air.DBAH2WB(s.DB, p.x);
    s.SV = air.DBAH2SV(s.DB, p.x);
    return s;
}

namespace {

using Complete = int (MoistekClass::*)(double&, double&, double&, double&, double&, double&,
                                       double&);

Complete methodFor(int code) {
    switch (code) {
        case 1:
            return &MoistekClass::C_DBRH;
        case 2:
            return &MoistekClass::C_DBAH;
        case 3:
            return &MoistekClass::C_DBEN;
        case 4:
            return &MoistekClass::C_DBWB;
        case 5:
            return &MoistekClass::C_DBSV;
        case 12:
            return &MoistekClass::C_RHAH;
        case 13:
            return &MoistekClass::C_RHEN;
        case 14:
            return &MoistekClass::C_RHWB;
        case 15:
            return &MoistekClass::C_RHSV;
        case 23:
            return &MoistekClass::C_AHEN;
        case 24:
            return &MoistekClass::C_AHWB;
        case 25:
            return &MoistekClass::C_AHSV;
        case 35:
            return &MoistekClass::C_ENSV;
        case 45:
            return &MoistekClass::C_WBSV;
        default:
            return nullptr;
    }
}

double& field(CurrentState& s, int property) {
    switch (property) {
        case kDB:
            return s.DB;
        case kRH:
            return s.RH;
        case kAH:
            return s.x;
        case kEN:
            return s.h;
        case kWB:
            return s.WB;
        default:
            return s.SV;
    }
}

}  // namespace

PairResult pairState(const MoistAir& air, int code, double first, double second,
                     CurrentState& s) {
    const Complete method = methodFor(code);
    if (!method && code != 34) return PairResult::UnknownPair;
    field(s, code / 10) = first;
    field(s, code % 10) = second;
    if (!method) return PairResult::NotComputable;
    double dp = 0;
    const int done = (air.library().*method)(s.DB, s.RH, s.x, s.h, s.SV, s.WB, dp);
    return done == 1 ? PairResult::Computed : PairResult::Failed;
}

double typedInEngineering(int property, double typed, UnitSystem units) {
    if (units != UnitSystem::IP) return typed;
    using units::Quantity;
    switch (property) {
        case kDB:
        case kWB: return units::stored(Quantity::Temperature, typed, units);
        case kAH: return units::stored(Quantity::HumidityRatio, typed, units);
        case kEN: return units::stored(Quantity::Enthalpy, typed, units);
        case kSV: return units::stored(Quantity::Volume, typed, units);
        default: return typed;  // RH in % in every system
    }
}

}  // namespace humidraw
