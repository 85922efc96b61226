#include "coil/coil.h"

#include <cmath>
#include <utility>

#include "coil/coil_objects.h"
#include "lang/language.h"
#include "moistek_internal/air_constants.h"
#include "result/result.h"
#include "text/number_format.h"
#include "units/units.h"

namespace humidraw::coil {
namespace {

// kcal per kJ for SI input, ten ulps above the inverse of kKJPerKcal: the coil has always
// converted with these digits, and the inverse would change the last bit of converted inputs.
constexpr double kCoilKcalPerKJ = 0.238888689814981;
// 1 / 0.24 kcal/(kg·K) as the coil writes it, three ulps above 1 / kDryAirSpecificHeat.
constexpr double kPerSpecificHeat = 4.16666666666667;
constexpr double kPerDensity = 0.833333333333333;  // 1 / 1.2 kg/m³
constexpr int kMaxSearchPasses = 1000;
// A given state may sit on the saturation curve; the round trip through h and x may leave its
// relative humidity a hair above 100 %.
constexpr double kSaturatedRH = 100 + 1e-6;

constexpr const char* kCool = HUMIDRAW_TEXT_NOOP("Coil", "冷房時");
constexpr const char* kHeat = HUMIDRAW_TEXT_NOOP("Coil", "暖房時");

// The reason a run stops.
struct Stop {
    Failure why;
    std::string caption;
};

// A message about one season's input, headed by the season.
std::string seasonal(const char* season, const std::string& text) {
    return withArguments(translate("Coil", "%1：%2"), {translate("Coil", season), text});
}

// Records a refusal of one season's input; false, for the caller to return.
bool refuse(Stop& stop, const char* season, const std::string& reason) {
    stop = {failure(Reason::Invalid, seasonal(season, reason)), "Humidraw"};
    return false;
}

double lenient(const std::string& text) {
    return parseTypedDecimal(text).value_or(0);
}

std::optional<double> strict(const std::string& text, Stop& stop) {
    const auto v = parseTypedDecimal(text);
    if (!v)
        stop = {failure(Reason::Invalid,
                        withArguments(translate("Coil", "'%1' は浮動小数点数ではありません"), {text})),
                "Humidraw"};
    return v;
}

double x95(const MoistAir& air, double t) {
    return air.PW2AH(air.DB2PWS(t) * 95 * 0.01);
}

// Checks one state's selectors: they must make a pair.
Status checkPair(int i, int j, const char* side, const char* selectorNames) {
    if (i == j)
        return failure(Reason::Invalid, withArguments(translate("Coil", "%1：違う種類のデータを入力して下さい"),
                                     {translate("Coil", side)}));
    if (i < 0 || j < 0 || i > 5 || j > 5)
        return failure(Reason::Invalid, withArguments(translate("Coil", "%1：項目が選ばれていません (%2)"),
                                     {translate("Coil", side), selectorNames}));
    return {};
}

// Whether the library gives everything a row shows of the state (RH and WB from DB and x).
bool computable(const MoistAir& air, const AirState& s) {
    if (!std::isfinite(s.DB) || !std::isfinite(s.x) || !std::isfinite(s.h) || !std::isfinite(s.RH))
        return false;
    MoistekClass& m = air.library();
    double db = s.DB, x = s.x, rh = 0, wb = 0;
    return m.F_DBAH2RH(db, x, rh) == 1 && m.F_DBAH2WB(db, x, wb) == 1;
}

// A state given by a pair of selector indexes and values (DB and RH from h and x), or a refusal
// naming the season and the group of fields.
bool givenState(const MoistAir& air, AirState& st, int i, int j, double a, double b, bool si, CurrentState& s,
                const char* season, const std::string& group, Stop& stop) {
    orderPair(i, j, a, b);
    if (si) {
        if (i == kEN) a *= kCoilKcalPerKJ;
        if (j == kEN) b *= kCoilKcalPerKJ;
    }
    const PairResult result = pairState(air, pairCode(i, j), a, b, s);
    if (result == PairResult::NotComputable)
        return refuse(
            stop, season,
            withArguments(translate("Coil", "%1：比ｴﾝﾀﾙﾋﾟと湿球温度の組み合わせでは計算できません"),
                          {group}));
    st.exists = true;
    st.h = s.h;
    st.x = s.x;
    st.DB = air.ENAH2DB(st.h, st.x);
    st.RH = air.DBAH2RH(st.DB, st.x);
    if (result != PairResult::Computed || !computable(air, st))
        return refuse(
            stop, season,
            withArguments(translate("Coil", "%1：この値では空気の状態を計算できません"), {group}));
    if (st.x < 0)
        return refuse(stop, season,
                      withArguments(translate("Coil", "%1：絶対湿度が負になります"), {group}));
    if (st.RH > kSaturatedRH)
        return refuse(stop, season,
                      withArguments(translate("Coil", "%1：相対湿度が100%を超えます (%2%)"),
                                    {group, formatFixed(st.RH, 1)}));
    return true;
}

// Mixed air of outdoor and room air at the outdoor share r (cooling: RA + (OA − RA) r,
// heating: RA − (RA − OA) r, as each season has always computed it).
void mix(const MoistAir& air, AirState& MA, const Season& s, double r, bool heating) {
    MA.exists = true;
    if (heating) {
        MA.h = s.RA.h - (s.RA.h - s.OA.h) * r;
        MA.x = s.RA.x - (s.RA.x - s.OA.x) * r;
    } else {
        MA.h = s.RA.h + (s.OA.h - s.RA.h) * r;
        MA.x = s.RA.x + (s.OA.x - s.RA.x) * r;
    }
    MA.DB = air.ENAH2DB(MA.h, MA.x);
    MA.RH = air.DBAH2RH(MA.DB, MA.x);
}

// Checks the mixed air and tells when more outdoor air than supply air puts it beyond OA.
bool checkMix(const MoistAir& air, CoilRun& run, const AirState& MA, double r, const char* season, const char* oaField,
              const char* saField, Stop& stop) {
    const std::string more = withArguments(
        translate("Coil", "導入外気量(%1)が給気風量(%2)を超えるため、"), {oaField, saField});
    if (MA.x < 0)
        return refuse(stop, season, more + translate("Coil", "混合空気の絶対湿度が負になります"));
    if (!computable(air, MA))
        return refuse(stop, season,
                      withArguments(translate("Coil", "混合空気の状態を計算できません (%1, %2)"),
                                    {oaField, saField}));
    if (r > 1)
        run.warnings.push_back(
            seasonal(season, more + translate("Coil", "混合空気は外気の先に描かれます")));
    return true;
}

// Checks a supply state; above saturation it is still plotted, and the user is told.
bool checkSupply(const MoistAir& air, CoilRun& run, const AirState& SA, const char* season, const std::string& fields,
                 Stop& stop) {
    if (!computable(air, SA))
        return refuse(
            stop, season,
            withArguments(translate("Coil", "給気の状態を計算できません (%1)"), {fields}));
    if (SA.RH > 100)
        run.warnings.push_back(seasonal(
            season,
            withArguments(
                translate("Coil", "給気の相対湿度が100%を超えます (%1%)。%2を見直して下さい"),
                {formatFixed(SA.RH, 1), fields})));
    return true;
}

// The temperature where air of humidity ratio x has 95 % relative humidity (false position);
// nothing when the search does not close in.
std::optional<double> coilOutletTemperature(const MoistAir& air, double x, double dbSupply, double dbMin, double dbMax) {
    double tLo = dbMin - (dbMax - dbMin), xLo = x95(air, tLo);
    double tHi = dbSupply, xHi = x95(air, dbSupply);
    const double tol = 0.1 * 0.001;  // a tenth of the chart's humidity-ratio step
    double T = tLo;
    for (int pass = 0; pass < kMaxSearchPasses; ++pass) {
        if (xHi == xLo) return std::nullopt;
        T = tLo + (tHi - tLo) * (x - xLo) / (xHi - xLo);
        const double xm = x95(air, T);
        if (x - tol < xm && xm < x + tol) return T;
        if (xm < x) {
            tLo = T;
            xLo = xm;
        } else if (xm > x) {
            tHi = T;
            xHi = xm;
        } else {
            return std::nullopt;  // NaN: the temperature left the library's range
        }
    }
    return std::nullopt;
}

// The four typed state values (strict, in the dialog's order) and the check of both selector
// pairs: outdoor ("始点") and room ("終点").
bool readStates(const std::string* const texts[4], const int selectors[4],
                const char* const selectorNames[2], double values[4], Stop& stop) {
    for (int k = 0; k < 4; ++k) {
        const auto v = strict(*texts[k], stop);
        if (!v) return false;
        values[k] = *v;
    }
    Status pairs =
        checkPair(selectors[0], selectors[1], HUMIDRAW_TEXT_NOOP("Coil", "始点"), selectorNames[0]);
    if (pairs)
        pairs = checkPair(selectors[2], selectors[3], HUMIDRAW_TEXT_NOOP("Coil", "終点"),
                          selectorNames[1]);
    if (!pairs) stop = {pairs.failure(), translate("Coil", "線分作成")};
    return pairs.ok();
}

// The cooling-coil outlet at 95 %: at the supply temperature when the supply is above 95 %,
// else at the supply's humidity ratio.
bool coolingCoilOutlet(const MoistAir& air, AirState& CA, const AirState& SA, double dbMin, double dbMax, Stop& stop) {
    CA.exists = true;
    CA.RH = 95;
    if (SA.RH > 95) {
        CA.DB = SA.DB;
        CA.x = x95(air, SA.DB);
    } else {
        CA.x = SA.x;
        CA.DB = coilOutletTemperature(air, SA.x, SA.DB, dbMin, dbMax).value_or(NAN);
    }
    CA.h = air.DBAH2EN(CA.DB, CA.x);
    if (!computable(air, CA))
        return refuse(stop, kCool,
                      translate("Coil", "95%のコイル出口状態が求められません (EQL, EDT, ESA)"));
    return true;
}

// Supply temperature difference and volume: the volume from the difference when one is given,
// else the difference from the volume (rounded as the field shows it).
bool coolingSupplyFlow(CoilInputs& f, double qs, double& sa, double& dt, Stop& stop) {
    if (dt > 0) {
        sa = qs / dt * kPerSpecificHeat * kPerDensity;
        sa = 100 * std::trunc((sa + 99) * 0.01);
        if (!std::isfinite(sa))
            return refuse(
                stop, kCool,
                translate("Coil", "吹き出し温度差(EDT)が小さすぎ、給気風量を計算できません"));
        f.ESA = formatFixed(sa, 0);
        if (sa == 0)
            return refuse(
                stop, kCool,
                translate("Coil", "顕熱負荷(EQS)が0のため給気風量が0になり、計算できません"));
        return true;
    }
    if (sa < 0) return refuse(stop, kCool, translate("Coil", "給気風量(ESA)が負の値です"));
    if (sa == 0)
        return refuse(
            stop, kCool,
            translate("Coil",
                      "給気風量(ESA)が0で吹き出し温度差(EDT)も0以下のため、計算できません"));
    dt = qs / sa * kPerSpecificHeat * kPerDensity;
    if (!std::isfinite(dt))
        return refuse(stop, kCool,
                      translate("Coil", "給気風量(ESA)が小さすぎ、吹き出し温度差を計算できません"));
    f.EDT = formatFixed(dt, 1);
    const auto back = strict(f.EDT, stop);
    if (!back) return false;
    dt = *back;
    return true;
}

// One season's fields read and checked: the four typed state values (outdoor pair, then room
// pair), the outdoor and supply air volumes and the loads in kcal/h.
struct SeasonInput {
    double states[4] = {};
    double oa = 0, sa = 0, dt = 0, qs = 0, ql = 0;
    bool saFromCooling = false;  // heating: the supply volume is the cooling one
};

bool readCooling(const CoilInputs& f, bool si, SeasonInput& in, Stop& stop) {
    in.oa = lenient(f.EOA);
    in.sa = lenient(f.ESA);
    in.dt = lenient(f.EDT);
    in.qs = lenient(f.EQS);
    in.ql = lenient(f.EQL);
    const std::string* const texts[4] = {&f.X1, &f.X2, &f.X10, &f.X20};
    const int selectors[4] = {f.CB1, f.CB2, f.CB10, f.CB20};
    const char* const names[2] = {"CB1, CB2", "CB10, CB20"};
    if (!readStates(texts, selectors, names, in.states, stop)) return false;
    // A negative latent load (a room that dries the air) is kept: the library computes it.
    if (in.oa < 0) return refuse(stop, kCool, translate("Coil", "導入外気量(EOA)が負の値です"));
    if (in.qs < 0) return refuse(stop, kCool, translate("Coil", "顕熱負荷(EQS)が負の値です"));
    if (si) {
        in.qs *= kKcalHPerKW;
        in.ql *= kKcalHPerKW;
    }
    return true;
}

// The cooling season from its read fields; rewrites ESA or EDT, whichever was derived.
bool computeCooling(const MoistAir& air, CoilRun& run, SeasonInput in, bool si, double dbMin, double dbMax,
                    CurrentState& s, Stop& stop) {
    CoilInputs& f = run.fields;
    const double* v = in.states;
    Season& c = run.cooling;
    if (!givenState(air, c.OA, f.CB1, f.CB2, v[0], v[1], si, s, kCool,
                    translate("Coil", "外気条件(X1, X2)"), stop) ||
        !givenState(air, c.RA, f.CB10, f.CB20, v[2], v[3], si, s, kCool,
                    translate("Coil", "室内設定条件(X10, X20)"), stop))
        return false;
    if (!coolingSupplyFlow(f, in.qs, in.sa, in.dt, stop)) return false;
    AirState& SA = c.SA;
    SA.exists = true;
    SA.DB = c.RA.DB - in.dt;
    SA.x = c.RA.x - (in.ql / in.sa) / (kLatentHeat0 + kVapourSpecificHeat * in.dt);
    if (!(SA.x > 0))
        return refuse(
            stop, kCool,
            translate(
                "Coil",
                "潜熱負荷(EQL)が給気風量(ESA)に対して大きすぎ、給気の絶対湿度が0以下になります"));
    SA.h = air.DBAH2EN(SA.DB, SA.x);
    SA.RH = air.DBAH2RH(SA.DB, SA.x);
    if (!checkSupply(air, run, SA, kCool, translate("Coil", "吹き出し温度差(EDT)・給気風量(ESA)"), stop))
        return false;
    if (!coolingCoilOutlet(air, c.CA, SA, dbMin, dbMax, stop)) return false;
    if (in.oa > 0) {
        const double r = in.oa / in.sa;
        mix(air, c.MA, c, r, false);
        if (!checkMix(air, run, c.MA, r, kCool, "EOA", "ESA", stop)) return false;
    }
    c.flows = {in.oa, in.sa, in.qs, in.ql};
    c.computed = true;
    return true;
}

// The heating-coil outlet at the mixed air's humidity ratio: at the supply temperature for a
// steam humidifier, on the supply's wet-bulb line for water spray.
bool heatingCoilOutlet(const MoistAir& air, AirState& CA, const AirState& SA, const AirState& MA, bool steam,
                       Stop& stop) {
    CA.exists = true;
    CA.x = MA.x;
    CA.DB = steam ? SA.DB : air.WBAH2DB(air.DBAH2WB(SA.DB, SA.x), MA.x);
    CA.h = air.DBAH2EN(CA.DB, CA.x);
    CA.RH = air.DBAH2RH(CA.DB, CA.x);
    if (!computable(air, CA))
        return refuse(stop, kHeat,
                      translate("Coil", "加湿前の状態を計算できません (HEQS, HESA, HEOA)"));
    return true;
}

// Read after the cooling season, whose supply volume (as rewritten) it takes when HESA is 0.
bool readHeating(const CoilInputs& f, bool si, SeasonInput& in, Stop& stop) {
    in.oa = lenient(f.HEOA);
    in.sa = lenient(f.HESA);
    if (in.sa == 0) {
        const auto cool = strict(f.ESA, stop);
        if (!cool) return false;
        in.sa = *cool;
        in.saFromCooling = true;
    }
    in.qs = lenient(f.HEQS);
    const std::string* const texts[4] = {&f.HX1, &f.HX2, &f.HX10, &f.HX20};
    const int selectors[4] = {f.HCB1, f.HCB2, f.HCB10, f.HCB20};
    const char* const names[2] = {"HCB1, HCB2", "HCB10, HCB20"};
    if (!readStates(texts, selectors, names, in.states, stop)) return false;
    // A negative heating load (a room with more gains than losses) is kept: it gives a supply
    // cooler than the room, which the library computes.
    if (in.oa < 0) return refuse(stop, kHeat, translate("Coil", "導入外気量(HEOA)が負の値です"));
    if (in.sa < 0) return refuse(stop, kHeat, translate("Coil", "給気風量(HESA)が負の値です"));
    if (in.sa == 0)
        return refuse(stop, kHeat, translate("Coil", "給気風量(HESA)が0のため、計算できません"));
    if (si) in.qs *= kKcalHPerKW;
    return true;
}

// The heating season from its read fields; rewrites HESA when it was taken from cooling.
bool computeHeating(const MoistAir& air, CoilRun& run, const SeasonInput& in, bool si, CurrentState& s, Stop& stop) {
    CoilInputs& f = run.fields;
    if (in.saFromCooling) f.HESA = formatFixed(in.sa, 0);
    const double* v = in.states;
    Season& w = run.heating;
    if (!givenState(air, w.OA, f.HCB1, f.HCB2, v[0], v[1], si, s, kHeat,
                    translate("Coil", "外気条件(HX1, HX2)"), stop) ||
        !givenState(air, w.RA, f.HCB10, f.HCB20, v[2], v[3], si, s, kHeat,
                    translate("Coil", "室内設定条件(HX10, HX20)"), stop))
        return false;
    AirState& SA = w.SA;
    SA.exists = true;
    SA.DB = w.RA.DB + in.qs / in.sa * kPerDensity * kPerSpecificHeat;
    SA.x = w.RA.x;
    SA.h = air.DBAH2EN(SA.DB, SA.x);
    SA.RH = air.DBAH2RH(SA.DB, SA.x);
    if (!checkSupply(air, run, SA, kHeat, translate("Coil", "顕熱負荷(HEQS)・給気風量(HESA)"), stop))
        return false;
    if (in.oa > 0) {
        const double r = in.oa / in.sa;
        mix(air, w.MA, w, r, true);
        if (!checkMix(air, run, w.MA, r, kHeat, "HEOA", "HESA", stop)) return false;
        if (!heatingCoilOutlet(air, w.CA, SA, w.MA, f.Kasitu == 2, stop)) return false;
    }
    w.flows = {in.oa, in.sa, in.qs, 0};
    w.computed = true;
    return true;
}

// Read, compute and check both seasons in turn: heating is read after cooling has rewritten
// its fields.
bool computeSeasons(const MoistAir& air, CoilRun& run, bool si, double dbMin, double dbMax, CurrentState& s,
                    Stop& stop) {
    SeasonInput cool, heat;
    return readCooling(run.fields, si, cool, stop) &&
           computeCooling(air, run, cool, si, dbMin, dbMax, s, stop) &&
           readHeating(run.fields, si, heat, stop) && computeHeating(air, run, heat, si, s, stop);
}

// What a state's value is, by its selector; nothing for the blank item.
std::optional<units::Quantity> stateQuantity(int selector) {
    using units::Quantity;
    switch (selector) {
        case kDB:
        case kWB:
            return Quantity::Temperature;
        case kRH:
            return Quantity::RelativeHumidity;
        case kAH:
            return Quantity::HumidityRatio;
        case kEN:
            return Quantity::Enthalpy;
        case kSV:
            return Quantity::Volume;
        default:
            return std::nullopt;
    }
}

// A typed IP value as the engineering text the calculation reads: exact to the last bit, so a
// run in IP is the engineering run of the converted values. Text that is no number, and a
// value of no quantity, stays as typed: the calculation refuses or reads it as it would.
void toEngineering(std::string& text, std::optional<units::Quantity> q) {
    if (!q) return;
    if (const auto v = parseTypedDecimal(text))
        text = formatShortest(units::stored(*q, *v, UnitSystem::IP));
}

CoilInputs engineeringInputs(const CoilInputs& ip) {
    using units::Quantity;
    CoilInputs e = ip;
    const std::pair<std::string*, int> states[] = {
        {&e.X1, e.CB1},   {&e.X2, e.CB2},   {&e.X10, e.CB10},   {&e.X20, e.CB20},
        {&e.HX1, e.HCB1}, {&e.HX2, e.HCB2}, {&e.HX10, e.HCB10}, {&e.HX20, e.HCB20}};
    for (const auto& [text, selector] : states) toEngineering(*text, stateQuantity(selector));
    for (std::string* flow : {&e.EOA, &e.ESA, &e.HEOA, &e.HESA})
        toEngineering(*flow, Quantity::AirFlow);
    for (std::string* load : {&e.EQS, &e.EQL, &e.HEQS}) toEngineering(*load, Quantity::Load);
    toEngineering(e.EDT, Quantity::TemperatureDifference);
    return e;
}

// A field the calculation rewrote, back in IP: the supply volumes in whole cfm; the temperature
// difference (a tenth of a kelvin) in hundredths of a °F, which 0.18 °F a tenth shows exactly,
// so that the next run reads back the difference this one used.
void rewrittenToIp(std::string& ip, const std::string& typed, const std::string& rewritten,
                   units::Quantity q, int decimals) {
    if (rewritten == typed) return;  // not rewritten: the IP text as typed
    if (const auto v = parseDecimal(rewritten))
        ip = formatFixed(units::shown(q, *v, UnitSystem::IP), decimals);
}

CoilRun runEngine(const MoistAir& air, const CoilInputs& in, bool si, double dbMin, double dbMax,
                  const CurrentAttributes& attributes, int room, CurrentState& state) {
    CoilRun run;
    run.fields = in;
    run.pressureMmHg = air.pressureMmHg();
    Stop stop;
    if (computeSeasons(air, run, si, dbMin, dbMax, state, stop)) {
        appendCoolingObjects(air, run.objects, run.cooling, run.cooling.MA.exists, attributes);
        appendHeatingObjects(air, run.objects, run.heating, run.heating.MA.exists, attributes);
        if (static_cast<int>(run.objects.size()) <= room) {
            run.complete = true;
            return run;
        }
        stop = {failure(Reason::Full,
                        withArguments(translate("Coil", "図形の数が上限(%1)を超えるため記入できません"),
                                      {std::to_string(ObjectTable::kCapacity)})),
                "Humidraw"};
    }
    // Refused: nothing of either half is plotted and the fields stay as typed.
    CoilRun refused;
    refused.status = stop.why;
    refused.errorCaption = stop.caption;
    refused.fields = in;
    return refused;
}

}  // namespace

CoilInputs defaultInputs(UnitSystem units) {
    CoilInputs in;
    if (units == UnitSystem::SI) {
        in.EQS = "60";
        in.EQL = "6";
        in.HEQS = "60";
    } else if (units == UnitSystem::IP) {
        // The engineering defaults converted and rounded: 34 °C = 93.2 °F → 93, 26 °C = 78.8 °F
        // → 79, −1 °C = 30.2 °F → 30, 22 °C = 71.6 °F → 72; 5000 m³/h = 2943 cfm → 3000;
        // 50000 kcal/h = 198,416 Btu/h → 200,000, 5000 kcal/h = 19,842 Btu/h → 20,000;
        // 10 K = 18 °F exactly. The relative humidities stay.
        in.X1 = "93";
        in.X10 = "79";
        in.HX1 = "30";
        in.HX10 = "72";
        in.EOA = in.HEOA = "3000";
        in.EQS = in.HEQS = "200000";
        in.EQL = "20000";
        in.EDT = "18.0";
    }
    return in;
}

CoilRun runCoil(const MoistAir& air, const CoilInputs& in, UnitSystem units, double dbMin,
                double dbMax, const CurrentAttributes& attributes, int room, CurrentState& state) {
    if (units != UnitSystem::IP)
        return runEngine(air, in, units == UnitSystem::SI, dbMin, dbMax, attributes, room, state);
    const CoilInputs engineering = engineeringInputs(in);
    CoilRun run = runEngine(air, engineering, false, dbMin, dbMax, attributes, room, state);
    const CoilInputs rewritten = run.fields;
    run.fields = in;
    if (!run.status) return run;
    using units::Quantity;
    rewrittenToIp(run.fields.ESA, engineering.ESA, rewritten.ESA, Quantity::AirFlow, 0);
    rewrittenToIp(run.fields.EDT, engineering.EDT, rewritten.EDT, Quantity::TemperatureDifference,
                  2);
    rewrittenToIp(run.fields.HESA, engineering.HESA, rewritten.HESA, Quantity::AirFlow, 0);
    return run;
}

}  // namespace humidraw::coil
