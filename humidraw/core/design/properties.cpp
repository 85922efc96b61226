#include "design/properties.h"

#include <cmath>

#include "document/state.h"
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

// The index of a property among the pair-state selector's (x and a dew point, once turned into
// its x, are the humidity ratio).
int selectorIndex(Property p) {
    switch (p) {
        case Property::DB: return kDB;
        case Property::RH: return kRH;
        case Property::H: return kEN;
        case Property::SV: return kSV;
        case Property::WB: return kWB;
        default: return kAH;
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
    int i = selectorIndex(a.kind), j = selectorIndex(b.kind);
    double first = a.value, second = b.value;
    orderPair(i, j, first, second);
    CurrentState c;
    if (pairState(air, pairCode(i, j), first, second, c) != PairResult::Computed)
        return failure(Reason::Invalid, noState());
    AirProperties s;
    s.DB = c.DB, s.RH = c.RH, s.x = c.x, s.h = c.h, s.SV = c.SV, s.WB = c.WB;
    // The library's complete states end with the dew point of their x.
    s.DP = dewPoint ? *dewPoint : air.AH2DP(c.x);
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
