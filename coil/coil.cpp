#include "coil/coil.h"

#include <cmath>
#include <utility>

#include "common/number_format.h"
#include "document/state_line.h"
#include "engine/moistek.h"

namespace humidraw::coil {
namespace {

constexpr double kKcalPerKJ = 0.238888689814981;
constexpr double kKcalHPerKW = 860;
constexpr double kPerSpecificHeat = 4.16666666666667;  // 1 / 0.24 kcal/(kg·K)
constexpr double kPerDensity = 0.833333333333333;      // 1 / 1.2 kg/m³
constexpr int kMaxSearchPasses = 1000;

// The reason a run stops.
struct Stop {
    std::string text, caption;
};

double lenient(const std::string& text) {
    return parseTypedDecimal(text).value_or(0);
}

std::optional<double> strict(const std::string& text, Stop& stop) {
    const auto v = parseTypedDecimal(text);
    if (!v) stop = {"'" + text + "' は浮動小数点数ではありません", "Humidraw"};
    return v;
}

double x95(double t) {
    return V_PW2AH(V_DB2PWS(t) * 95 * 0.01);
}

// Checks one state's selectors; an empty message when they make a pair.
std::string checkPair(int i, int j, const char* side, const char* selectorNames) {
    if (i == j) return std::string(side) + "：違う種類のデータを入力して下さい";
    if (i < 0 || j < 0 || i > 5 || j > 5)
        return std::string(side) + "：項目が選ばれていません (" + selectorNames + ")";
    return {};
}

// The state of a pair of selector indexes and values; DB and RH from h and x.
AirState pairToState(int i, int j, double a, double b, bool si, CurrentState& s,
                     std::vector<std::string>& notices) {
    if (j < i) {
        std::swap(i, j);
        std::swap(a, b);
    }
    if (si) {
        if (i == kEN) a *= kKcalPerKJ;
        if (j == kEN) b *= kKcalPerKJ;
    }
    if (pairState(pairCode(i, j), a, b, s) == PairResult::NotComputable)
        notices.push_back("この組み合わせでは計算できません");
    AirState st;
    st.exists = true;
    st.h = s.h;
    st.x = s.x;
    st.DB = V_ENAH2DB(st.h, st.x);
    st.RH = V_DBAH2RH(st.DB, st.x);
    return st;
}

ObjectRecord text(const std::string& label, const AirState& s, int position) {
    ObjectRecord r;
    r.kind = kTextObject;
    r.colour = kLabelColour;
    r.h1 = s.h;
    r.x1 = s.x;
    r.labelPosition = position;
    r.text = label;
    return r;
}

ObjectRecord line(const AirState& a, const AirState& b, const CurrentAttributes& attr) {
    ObjectRecord r;
    r.kind = kLineBothMarkers;
    r.colour = attr.colour;
    r.width = attr.width;
    r.style = attr.style;
    r.h1 = a.h;
    r.x1 = a.x;
    r.h2 = b.h;
    r.x2 = b.x;
    return r;
}

ObjectRecord row(const std::string& rowText) {
    ObjectRecord r;
    r.kind = kTableRow;
    r.colour = kLabelColour;
    r.text = rowText;
    return r;
}

ObjectRecord stateRow(const std::string& label, const AirState& s) {
    return row(valueRow(label, s.DB, s.RH, s.x, s.h));
}

// The temperature where air of humidity ratio x has 95 % relative humidity (false position).
double coilOutletTemperature(double x, double dbSupply, double dbMin, double dbMax) {
    double tLo = dbMin - (dbMax - dbMin), xLo = x95(tLo);
    double tHi = dbSupply, xHi = x95(dbSupply);
    const double tol = 0.1 * 0.001;  // a tenth of the chart's humidity-ratio step
    double T = tLo;
    for (int pass = 0; pass < kMaxSearchPasses; ++pass) {
        if (xHi == xLo) break;
        T = tLo + (tHi - tLo) * (x - xLo) / (xHi - xLo);
        const double xm = x95(T);
        if (x - tol < xm && xm < x + tol) break;
        if (xm < x) {
            tLo = T;
            xLo = xm;
        } else if (xm > x) {
            tHi = T;
            xHi = xm;
        }
    }
    return T;
}

bool cooling(CoilRun& run, bool si, double dbMin, double dbMax, const CurrentAttributes& attr,
             CurrentState& s, Stop& stop) {
    CoilInputs& f = run.fields;
    const double oa = lenient(f.EOA);
    double sa = lenient(f.ESA), dt = lenient(f.EDT), qs = lenient(f.EQS), ql = lenient(f.EQL);
    const auto a1 = strict(f.X1, stop);
    if (!a1) return false;
    const auto b1 = strict(f.X2, stop);
    if (!b1) return false;
    const auto a2 = strict(f.X10, stop);
    if (!a2) return false;
    const auto b2 = strict(f.X20, stop);
    if (!b2) return false;
    std::string e = checkPair(f.CB1, f.CB2, "始点", "CB1, CB2");
    if (e.empty()) e = checkPair(f.CB10, f.CB20, "終点", "CB10, CB20");
    if (!e.empty()) {
        stop = {e, "線分作成"};
        return false;
    }
    if (si) {
        qs *= kKcalHPerKW;
        ql *= kKcalHPerKW;
    }
    Season& c = run.cooling;
    c.OA = pairToState(f.CB1, f.CB2, *a1, *b1, si, s, run.notices);
    c.RA = pairToState(f.CB10, f.CB20, *a2, *b2, si, s, run.notices);
    AirState& SA = c.SA;
    SA.exists = true;
    if (dt > 0) {
        SA.DB = c.RA.DB - dt;
        sa = qs / dt * kPerSpecificHeat * kPerDensity;
        sa = 100 * std::trunc((sa + 99) * 0.01);
        f.ESA = formatFixed(sa, 0);
        if (sa == 0) {
            stop = {"顕熱負荷(EQS)が0のため給気風量が0になり、計算できません", "Humidraw"};
            return false;
        }
    } else {
        if (sa == 0) {
            stop = {"給気風量(ESA)が0で吹き出し温度差(EDT)も0以下のため、計算できません",
                    "Humidraw"};
            return false;
        }
        dt = qs / sa * kPerSpecificHeat * kPerDensity;
        f.EDT = formatFixed(dt, 1);
        const auto back = strict(f.EDT, stop);
        if (!back) return false;
        dt = *back;
        SA.DB = c.RA.DB - dt;
    }
    SA.x = c.RA.x - (ql / sa) / (597.5 + 0.441 * dt);
    SA.h = V_DBAH2EN(SA.DB, SA.x);
    SA.RH = V_DBAH2RH(SA.DB, SA.x);
    AirState& CA = c.CA;
    CA.exists = true;
    CA.RH = 95;
    if (SA.RH > 95) {
        CA.DB = SA.DB;
        CA.x = x95(SA.DB);
    } else {
        CA.x = SA.x;
        CA.DB = coilOutletTemperature(SA.x, SA.DB, dbMin, dbMax);
    }
    CA.h = V_DBAH2EN(CA.DB, CA.x);
    if (oa > 0) {
        const double r = oa / sa;
        AirState& MA = c.MA;
        MA.exists = true;
        MA.h = c.RA.h + (c.OA.h - c.RA.h) * r;
        MA.x = c.RA.x + (c.OA.x - c.RA.x) * r;
        MA.DB = V_ENAH2DB(MA.h, MA.x);
        MA.RH = V_DBAH2RH(MA.DB, MA.x);
    }
    c.computed = true;
    auto& o = run.objects;
    const bool withOA = oa > 0;
    if (withOA) {
        o.push_back(text("C:OA", c.OA, 4));
        o.push_back(line(c.OA, c.RA, attr));
    }
    o.push_back(text("C:RA", c.RA, 0));
    o.push_back(line(c.RA, SA, attr));
    o.push_back(text("C:SA", SA, 0));
    o.push_back(line(SA, CA, attr));
    o.push_back(text("C:CA", CA, 6));
    if (withOA) {
        o.push_back(line(CA, c.MA, attr));
        o.push_back(text("C:MA", c.MA, 0));
        o.push_back(stateRow("C:OA", c.OA));
    }
    o.push_back(stateRow("C:RA", c.RA));
    o.push_back(stateRow("C:SA", SA));
    o.push_back(row(valueRow("C:CA", CA.DB, 95, CA.x, CA.h)));
    if (withOA) o.push_back(stateRow("C:MA", c.MA));
    return true;
}

bool heating(CoilRun& run, bool si, const CurrentAttributes& attr, CurrentState& s, Stop& stop) {
    CoilInputs& f = run.fields;
    const double oa = lenient(f.HEOA);
    double sa = lenient(f.HESA);
    if (sa == 0) {
        const auto cool = strict(f.ESA, stop);
        if (!cool) return false;
        sa = *cool;
        f.HESA = formatFixed(sa, 0);
    }
    double qs = lenient(f.HEQS);
    const auto a1 = strict(f.HX1, stop);
    if (!a1) return false;
    const auto b1 = strict(f.HX2, stop);
    if (!b1) return false;
    const auto a2 = strict(f.HX10, stop);
    if (!a2) return false;
    const auto b2 = strict(f.HX20, stop);
    if (!b2) return false;
    std::string e = checkPair(f.HCB1, f.HCB2, "始点", "HCB1, HCB2");
    if (e.empty()) e = checkPair(f.HCB10, f.HCB20, "終点", "HCB10, HCB20");
    if (!e.empty()) {
        stop = {e, "線分作成"};
        return false;
    }
    if (sa == 0) {
        stop = {"暖房時の給気風量(HESA)が0のため、計算できません", "Humidraw"};
        return false;
    }
    if (si) qs *= kKcalHPerKW;
    Season& w = run.heating;
    w.OA = pairToState(f.HCB1, f.HCB2, *a1, *b1, si, s, run.notices);
    w.RA = pairToState(f.HCB10, f.HCB20, *a2, *b2, si, s, run.notices);
    AirState& SA = w.SA;
    SA.exists = true;
    SA.DB = w.RA.DB + qs / sa * kPerDensity * kPerSpecificHeat;
    SA.x = w.RA.x;
    SA.h = V_DBAH2EN(SA.DB, SA.x);
    SA.RH = V_DBAH2RH(SA.DB, SA.x);
    const bool withOA = oa > 0;
    if (withOA) {
        const double r = oa / sa;
        AirState& MA = w.MA;
        MA.exists = true;
        MA.h = w.RA.h - (w.RA.h - w.OA.h) * r;
        MA.x = w.RA.x - (w.RA.x - w.OA.x) * r;
        MA.DB = V_ENAH2DB(MA.h, MA.x);
        MA.RH = V_DBAH2RH(MA.DB, MA.x);
        AirState& CA = w.CA;
        CA.exists = true;
        CA.x = MA.x;
        CA.DB = f.Kasitu == 2 ? SA.DB : V_WBAH2DB(V_DBAH2WB(SA.DB, SA.x), MA.x);
        CA.h = V_DBAH2EN(CA.DB, CA.x);
        CA.RH = V_DBAH2RH(CA.DB, CA.x);
    }
    w.computed = true;
    auto& o = run.objects;
    if (withOA) {
        o.push_back(text("H:OA", w.OA, 0));
        o.push_back(line(w.OA, w.RA, attr));
    }
    o.push_back(text("H:RA", w.RA, 0));
    o.push_back(line(w.RA, SA, attr));
    o.push_back(text("H:SA", SA, 2));
    if (withOA) {
        o.push_back(line(SA, w.CA, attr));
        o.push_back(text("H:CA", w.CA, 0));
        o.push_back(line(w.CA, w.MA, attr));
        o.push_back(text("H:MA", w.MA, 0));
    }
    o.push_back(row(" "));
    if (withOA) o.push_back(stateRow("H:OA", w.OA));
    o.push_back(stateRow("H:RA", w.RA));
    o.push_back(stateRow("H:SA", SA));
    if (withOA) {
        o.push_back(stateRow("H:CA", w.CA));
        o.push_back(stateRow("H:MA", w.MA));
    }
    return true;
}

}  // namespace

CoilInputs defaultInputs(bool si) {
    CoilInputs in;
    if (si) {
        in.EQS = "60";
        in.EQL = "6";
        in.HEQS = "60";
    }
    return in;
}

CoilRun runCoil(const CoilInputs& in, bool si, double dbMin, double dbMax,
                const CurrentAttributes& attributes, int room, CurrentState& state) {
    CoilRun run;
    run.fields = in;
    Stop stop;
    if (!cooling(run, si, dbMin, dbMax, attributes, state, stop)) {
        run.error = stop.text;
        run.errorCaption = stop.caption;
        run.objects.clear();
        return run;
    }
    if (!heating(run, si, attributes, state, stop)) {
        run.error = stop.text;
        run.errorCaption = stop.caption;
    } else {
        run.complete = true;
    }
    if (static_cast<int>(run.objects.size()) > room) {
        run.error = "図形の数が上限(640)を超えるため記入できません";
        run.errorCaption = "Humidraw";
        run.objects.clear();
        run.complete = false;
    }
    return run;
}

}  // namespace humidraw::coil
