#include "design/properties.h"

#include <cmath>

#include "lang/language.h"

namespace humidraw::design {

std::string_view propertyName(Property p) {
    switch (p) {
        case Property::DB: return "DB";
        case Property::WB: return "WB";
        case Property::DP: return "DP";
        case Property::RH: return "RH";
        case Property::X: return "x";
        case Property::H: return "h";
        case Property::SV: return "SV";
    }
    return "";
}

std::optional<Property> parseProperty(std::string_view name) {
    for (Property p : kProperties)
        if (propertyName(p) == name) return p;
    if (name == "AH") return Property::X;
    if (name == "EN") return Property::H;
    return std::nullopt;
}

double AirProperties::value(Property p) const {
    switch (p) {
        case Property::DB: return DB;
        case Property::WB: return WB;
        case Property::DP: return DP;
        case Property::RH: return RH;
        case Property::X: return x;
        case Property::H: return h;
        case Property::SV: return SV;
    }
    return 0;
}

namespace {

// Positions of the library's complete states: DB, RH, AH, EN, SV, WB (DP is their output).
enum Slot { kSlotDB, kSlotRH, kSlotAH, kSlotEN, kSlotSV, kSlotWB };

using Complete = int (MoistekClass::*)(double&, double&, double&, double&, double&, double&,
                                       double&);

Slot slotOf(Property p) {
    switch (p) {
        case Property::DB: return kSlotDB;
        case Property::RH: return kSlotRH;
        case Property::H: return kSlotEN;
        case Property::SV: return kSlotSV;
        case Property::WB: return kSlotWB;
        default: return kSlotAH;  // x, and a dew point once turned into its x
    }
}

// The library's complete state of two slots, a < b.
Complete completeFor(Slot a, Slot b) {
    const int code = 10 * a + b;
    switch (code) {
        case 1: return &MoistekClass::C_DBRH;
        case 2: return &MoistekClass::C_DBAH;
        case 3: return &MoistekClass::C_DBEN;
        case 4: return &MoistekClass::C_DBSV;
        case 5: return &MoistekClass::C_DBWB;
        case 12: return &MoistekClass::C_RHAH;
        case 13: return &MoistekClass::C_RHEN;
        case 14: return &MoistekClass::C_RHSV;
        case 15: return &MoistekClass::C_RHWB;
        case 23: return &MoistekClass::C_AHEN;
        case 24: return &MoistekClass::C_AHSV;
        case 25: return &MoistekClass::C_AHWB;
        case 34: return &MoistekClass::C_ENSV;
        case 45: return &MoistekClass::C_WBSV;
        default: return nullptr;
    }
}

bool finite(double v) {
    return std::isfinite(v);
}

// The properties the library's forward relations give at (DB, x), with its own WB, DP and RH.
void completeFrom(const MoistAir& air, AirProperties& s) {
    double pw = 0, pa = air.pressureMmHg();
    air.library().F_PAAH2PW(pa, s.x, pw);
    s.PW = pw;
    s.density = air.density(s.DB, s.x);
    s.mu = air.DBAH2RV(s.DB, s.x);
}

std::string noState() {
    return translate("Design", "この二つの値の空気の状態はありません（飽和を超えるか、範囲の外です）");
}

}  // namespace

std::optional<std::string> pairRefusal(Property a, Property b) {
    if (a == b) return translate("Design", "同じ量が二つです");
    const bool dpx = (a == Property::DP && b == Property::X) || (a == Property::X && b == Property::DP);
    if (dpx) return translate("Design", "露点と絶対湿度はどちらも絶対湿度を決めるだけで、状態は決まりません");
    const bool hwb = (a == Property::H && b == Property::WB) || (a == Property::WB && b == Property::H);
    if (hwb) return translate("Design", "エンタルピーと湿球温度の線はほぼ重なるため、状態は決まりません");
    return std::nullopt;
}

Result<AirProperties> stateFrom(const MoistAir& air, Given a, Given b) {
    if (const auto why = pairRefusal(a.kind, b.kind)) return failure(Reason::Invalid, *why);
    if (!finite(a.value) || !finite(b.value))
        return failure(Reason::Invalid, translate("Design", "値が数値ではありません"));
    // A dew point gives the humidity ratio of saturation at it.
    std::optional<double> dewPoint;
    for (Given* g : {&a, &b}) {
        if (g->kind != Property::DP) continue;
        dewPoint = g->value;
        double pws = 0, dp = g->value, x = 0;
        if (air.library().F_DB2PWS(dp, pws) != 1 || air.library().F_PW2AH(pws, x) != 1 || x <= 0)
            return failure(Reason::Invalid, noState());
        *g = {Property::X, x};
    }
    Slot sa = slotOf(a.kind), sb = slotOf(b.kind);
    double first = a.value, second = b.value;
    if (sb < sa) {
        std::swap(sa, sb);
        std::swap(first, second);
    }
    const Complete method = completeFor(sa, sb);
    if (!method) return failure(Reason::Invalid, noState());
    double v[6] = {0, 0, 0, 0, 0, 0}, dp = 0;
    v[sa] = first;
    v[sb] = second;
    if ((air.library().*method)(v[kSlotDB], v[kSlotRH], v[kSlotAH], v[kSlotEN], v[kSlotSV],
                                v[kSlotWB], dp) != 1)
        return failure(Reason::Invalid, noState());
    AirProperties s;
    s.DB = v[kSlotDB], s.RH = v[kSlotRH], s.x = v[kSlotAH], s.h = v[kSlotEN];
    s.SV = v[kSlotSV], s.WB = v[kSlotWB], s.DP = dewPoint ? *dewPoint : dp;
    if (s.x < 0 || s.RH > 100.0000001) return failure(Reason::Invalid, noState());
    completeFrom(air, s);
    for (double f : {s.DB, s.RH, s.x, s.h, s.SV, s.WB, s.DP, s.PW, s.density, s.mu})
        if (!finite(f)) return failure(Reason::Invalid, noState());
    return s;
}

Result<AirProperties> stateAt(const MoistAir& air, double DB, double x) {
    return stateFrom(air, {Property::DB, DB}, {Property::X, x});
}

}  // namespace humidraw::design
