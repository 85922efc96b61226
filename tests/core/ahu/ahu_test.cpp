// The air-handling unit against hand computation at 760 mmHg: every state from the textbook
// relations written out in the comments, h = 0.24·t + x·(597.5 + 0.441·t) kcal/kg(DA), with the
// library's plain functions only where a saturation pressure enters (an x from a wet bulb or an
// RH, a wet bulb), never from the unit's code.
#include <gtest/gtest.h>

#include <cmath>

#include "ahu/ahu.h"

using namespace humidraw;
using namespace humidraw::ahu;
using design::AirBasis;

namespace {

double enthalpy(double t, double x) {
    return 0.24 * t + x * (597.5 + 0.441 * t);
}
// The DB of an enthalpy at x: t = (h − 597.5x) / (0.24 + 0.441x).
double dryBulb(double h, double x) {
    return (h - 597.5 * x) / (0.24 + 0.441 * x);
}

struct Expected {
    const char* name;
    double DB, x, h;
};

// Each named state against its expected DB, x and h; the list of names in order.
void expectStates(const SeasonResult& s, const std::vector<Expected>& rows) {
    ASSERT_EQ(s.states.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(s.states[i].name, rows[i].name);
        // The library's searches (a state from h and x, from a WB) stop within 0.01 K.
        EXPECT_NEAR(s.states[i].air.DB, rows[i].DB, 0.01);
        EXPECT_NEAR(s.states[i].air.x, rows[i].x, 2e-6);
        EXPECT_NEAR(s.states[i].air.h, rows[i].h, 3e-3);
    }
}

struct Load {
    Part kind;
    double total, sensible, water;
};

void expectLoads(const SeasonResult& s, const std::vector<Load>& rows) {
    ASSERT_EQ(s.components.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(std::string(partName(rows[i].kind)));
        const Component& c = s.components[i];
        EXPECT_EQ(c.kind, rows[i].kind);
        // 12000 kg/h × 3e-3 kcal/kg: the states' tolerance carried into the loads.
        EXPECT_NEAR(c.total, rows[i].total, 40);
        EXPECT_NEAR(c.sensible, rows[i].sensible, 40);
        EXPECT_NEAR(c.latent, rows[i].total - rows[i].sensible, 60);
        EXPECT_NEAR(c.water, rows[i].water, 0.03);
    }
}

// Summer: OA 34 °C / WB 27 °C, RA 26 °C / 50 %, 10000 m³/h supply of which 3000 outdoor, at the
// standard air's 1.2 kg/m³ (G 12000, OA 3600 kg/h); a total heat exchanger at 0.6, mixing, a
// coil leaving at 14 °C / 95 %, reheat, a 3 kW fan. The room gains 25000 kcal/h sensible and the
// latent load that makes the supply's x the coil's.
Unit summerUnit() {
    Unit u;
    u.basis = AirBasis::Standard;
    Season& s = u.summer;
    s.outdoor1 = {Property::DB, 34}, s.outdoor2 = {Property::WB, 27};
    s.outdoorBy = OutdoorBy::Flow, s.outdoorFlow = 3000;
    s.room1 = {Property::DB, 26}, s.room2 = {Property::RH, 50};
    s.sensibleLoad = 25000;
    // ql = (x_RA − x_CC)·G·(597.5 + 0.441·26)
    s.latentLoad = (V_DBRH2AH(26, 50) - V_DBRH2AH(14, 95)) * 12000 * (597.5 + 0.441 * 26);
    s.supplyBy = SupplyBy::Flow, s.supplyFlow = 10000;
    s.recovery = {true, RecoveryKind::Total, 0.6, 0.6};
    s.mixing.on = true;
    s.coil.on = true, s.coil.mode = CoilMode::DbAtRh, s.coil.DB = 14, s.coil.RH = 95;
    s.reheat.on = true;
    s.fan = {true, FanMode::Power, 0, 3};
    u.winter.on = false;
    return u;
}

// Winter: OA 0 °C / 50 %, RA 22 °C / 40 %, 10000 m³/h supply, 30 % outdoor air, standard air; a
// sensible heat exchanger at 0.7, mixing, preheat to 30 °C, reheat, a vaporising humidifier at
// η 0.8 and a fan of 1 K. The room loses 30000 kcal/h, no latent load.
Unit winterUnit() {
    Unit u;
    u.basis = AirBasis::Standard;
    u.summer.on = false;
    Season& s = u.winter;
    s.outdoor1 = {Property::DB, 0}, s.outdoor2 = {Property::RH, 50};
    s.outdoorBy = OutdoorBy::Fraction, s.outdoorFraction = 0.3;
    s.room1 = {Property::DB, 22}, s.room2 = {Property::RH, 40};
    s.sensibleLoad = -30000, s.latentLoad = 0;
    s.supplyBy = SupplyBy::Flow, s.supplyFlow = 10000;
    s.recovery = {true, RecoveryKind::Sensible, 0.7, 0};
    s.preheat = {true, 30};
    s.reheat.on = true;
    s.humidifier = {true, HumidifierKind::Vaporising, 0.8};
    s.fan = {true, FanMode::Rise, 1, 0};
    return u;
}

bool hasWarning(const UnitResult& r, const std::string& start) {
    for (const std::string& w : r.warnings)
        if (w.rfind(start, 0) == 0) return true;
    return false;
}

}  // namespace

TEST(AhuSeasons, SummerWithATotalHeatExchanger) {
    const MoistAir air;
    const Unit u = summerUnit();
    const UnitResult r = computeUnit(air, u);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
    ASSERT_TRUE(r.summer.computed);
    EXPECT_FALSE(r.winter.computed);
    const double G = 12000, gOA = 3600;
    EXPECT_DOUBLE_EQ(r.summer.supplyG, G);
    EXPECT_DOUBLE_EQ(r.summer.outdoorG, gOA);

    const double xOA = V_DBWB2AH(34, 27), hOA = enthalpy(34, xOA);
    const double xRA = V_DBRH2AH(26, 50), hRA = enthalpy(26, xRA);
    // DB_HX = 34 + 0.6·(26 − 34) = 29.2; h_HX = h_OA + 0.6·(h_RA − h_OA)
    const double hHX = hOA + 0.6 * (hRA - hOA);
    const double xHX = (hHX - 0.24 * 29.2) / (597.5 + 0.441 * 29.2);
    // MA = (3600·HX + 8400·RA) / 12000 in h and x
    const double hMA = (gOA * hHX + 8400 * hRA) / G, xMA = (gOA * xHX + 8400 * xRA) / G;
    const double xCC = V_DBRH2AH(14, 95), hCC = enthalpy(14, xCC);
    // SA: h = h_RA − (qs + ql)/G, x = x_RA − ql/(G·(597.5 + 0.441·26)) = x_CC
    const double ql = u.summer.latentLoad;
    const double hSA = hRA - (25000 + ql) / G, xSA = xRA - ql / (G * (597.5 + 0.441 * 26));
    EXPECT_NEAR(xSA, xCC, 1e-12);
    const double dbSA = dryBulb(hSA, xSA);
    // The fan: ΔT = 3·860 / (12000·(0.24 + 0.441·x_SA)); reheat to DB_SA − ΔT.
    const double rise = 3 * 860 / (G * (0.24 + 0.441 * xSA));
    const double dbRH = dbSA - rise;
    expectStates(r.summer, {{"S:OA", 34, xOA, hOA},
                            {"S:HX", 29.2, xHX, hHX},
                            {"S:MA", dryBulb(hMA, xMA), xMA, hMA},
                            {"S:CC", 14, xCC, hCC},
                            {"S:RH", dbRH, xCC, enthalpy(dbRH, xCC)},
                            {"S:FN", dbSA, xCC, enthalpy(dbSA, xCC)},
                            {"S:SA", dbSA, xSA, hSA},
                            {"S:RA", 26, xRA, hRA}});
    // Loads: G·Δh; sensible G·(h(DB_out, x_in) − h_in); water G·Δx. The fan's is its power,
    // 3 kW × 860 = 2580 kcal/h.
    const double coilTotal = G * (hCC - hMA), coilSensible = G * (enthalpy(14, xMA) - hMA);
    const double reheat = G * (enthalpy(dbRH, xCC) - hCC);
    expectLoads(r.summer, {{Part::Recovery, gOA * (hHX - hOA), gOA * (enthalpy(29.2, xOA) - hOA),
                            gOA * (xHX - xOA)},
                           {Part::Mixing, 0, 0, 0},
                           {Part::Coil, coilTotal, coilSensible, G * (xCC - xMA)},
                           {Part::Reheat, reheat, reheat, 0},
                           {Part::Fan, 2580, 2580, 0}});
    // The plant's sum: coil, reheat and fan, not the heat recovered.
    EXPECT_NEAR(r.summer.sum.total, coilTotal + reheat + 2580, 60);
    EXPECT_NEAR(r.summer.sum.water, G * (xCC - xMA), 0.03);

    // The coil's apparatus dew point lies on the straight h–x line from MA through CC, beyond
    // CC, on saturation; the bypass factor is (h_CC − h_ADP)/(h_MA − h_ADP).
    const Component* cc = r.summer.component(Part::Coil);
    ASSERT_TRUE(cc && cc->adp && cc->bf);
    const double xA = V_DBRH2AH(*cc->adp, 100), hA = enthalpy(*cc->adp, xA);
    EXPECT_LT(*cc->adp, 14);
    EXPECT_NEAR((xCC - xA) / (xMA - xA), (hCC - hA) / (hMA - hA), 2e-3);
    EXPECT_NEAR(*cc->bf, (hCC - hA) / (hMA - hA), 2e-3);
}

TEST(AhuSeasons, TheCoilByDryBulbAtRhLeavesAtExactlyThatRh) {
    const MoistAir air;
    for (double rh : {95.0, 90.0, 85.0}) {
        SCOPED_TRACE(rh);
        Unit u = summerUnit();
        u.summer.coil.RH = rh;
        const UnitResult r = computeUnit(air, u);
        ASSERT_TRUE(r.status.ok()) << r.status.error();
        const NamedState* cc = r.summer.find("S:CC");
        ASSERT_TRUE(cc);
        EXPECT_EQ(cc->air.DB, 14);
        EXPECT_NEAR(cc->air.RH, rh, 1e-4);
        EXPECT_NEAR(cc->air.x, V_DBRH2AH(14, rh), 1e-9);
        // Drawn by its DB and x, the point reads the same RH.
        const design::Design d = unitDesign(u, r);
        const auto drawn = design::computeDesign(air, d);
        ASSERT_TRUE(drawn.status.ok()) << drawn.status.error();
        EXPECT_NEAR(drawn.points[drawn.find("S:CC")].air.RH, rh, 1e-4);
    }
}

TEST(AhuSeasons, WinterWithPreheatAndAVaporisingHumidifier) {
    const MoistAir air;
    const UnitResult r = computeUnit(air, winterUnit());
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    EXPECT_TRUE(r.warnings.empty()) << r.warnings.front();
    ASSERT_TRUE(r.winter.computed);
    const double G = 12000, gOA = 0.3 * 10000 * 1.2;
    EXPECT_DOUBLE_EQ(r.winter.outdoorG, gOA);
    const double xOA = V_DBRH2AH(0, 50), xRA = V_DBRH2AH(22, 40);
    const double hOA = enthalpy(0, xOA), hRA = enthalpy(22, xRA);
    // Sensible recovery: DB_HX = 0 + 0.7·(22 − 0) = 15.4 at x_OA.
    const double hHX = enthalpy(15.4, xOA);
    const double hMA = 0.3 * hHX + 0.7 * hRA, xMA = 0.3 * xOA + 0.7 * xRA;
    // SA: h = h_RA + 30000/12000 = h_RA + 2.5, x = x_RA.
    const double hSA = hRA + 2.5, dbSA = dryBulb(hSA, xRA);
    // The humidifier leaves 1 K below the supply, at its x; the reheat heats to that state's
    // wet-bulb line at the mixed x.
    const double dbHU = dbSA - 1;
    const double dbRH = V_WBAH2DB(V_DBAH2WB(dbHU, xRA), xMA);
    expectStates(r.winter, {{"W:OA", 0, xOA, hOA},
                            {"W:HX", 15.4, xOA, hHX},
                            {"W:MA", dryBulb(hMA, xMA), xMA, hMA},
                            {"W:PH", 30, xMA, enthalpy(30, xMA)},
                            {"W:RH", dbRH, xMA, enthalpy(dbRH, xMA)},
                            {"W:HU", dbHU, xRA, enthalpy(dbHU, xRA)},
                            {"W:FN", dbSA, xRA, hSA},
                            {"W:SA", dbSA, xRA, hSA},
                            {"W:RA", 22, xRA, hRA}});
    const double preheat = G * (enthalpy(30, xMA) - hMA);
    const double reheat = G * (enthalpy(dbRH, xMA) - enthalpy(30, xMA));
    // The humidifier: water G·(x_RA − x_MA); its total the small change along the wet bulb.
    const double huTotal = G * (enthalpy(dbHU, xRA) - enthalpy(dbRH, xMA));
    const double huSensible = G * (enthalpy(dbHU, xMA) - enthalpy(dbRH, xMA));
    // The fan: 12000·(0.24 + 0.441·x_RA)·1 K.
    const double fan = G * (0.24 + 0.441 * xRA);
    expectLoads(r.winter, {{Part::Recovery, gOA * (hHX - hOA), gOA * (hHX - hOA), 0},
                           {Part::Mixing, 0, 0, 0},
                           {Part::Preheat, preheat, preheat, 0},
                           {Part::Reheat, reheat, reheat, 0},
                           {Part::Humidifier, huTotal, huSensible, G * (xRA - xMA)},
                           {Part::Fan, fan, fan, 0}});
    EXPECT_NEAR(r.winter.sum.water, G * (xRA - xMA), 0.03);
    EXPECT_NEAR(r.winter.sum.total, preheat + reheat + huTotal + fan, 80);
}

TEST(AhuSeasons, CoilByApparatusDewPointAndSteamHumidifier) {
    const MoistAir air;
    // Summer coil at ADP 12 °C, BF 0.1: CC = ADP + 0.1·(MA − ADP) in h and x.
    Unit u = summerUnit();
    u.summer.coil.mode = CoilMode::AdpBf, u.summer.coil.adp = 12, u.summer.coil.bf = 0.1;
    // Winter: steam at constant DB after the reheat, which heats to the supply DB less the
    // fan's 1 K.
    u.winter = winterUnit().winter;
    u.winter.humidifier.kind = HumidifierKind::Steam;
    const UnitResult r = computeUnit(air, u);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    const NamedState* ma = r.summer.find("S:MA");
    const NamedState* cc = r.summer.find("S:CC");
    ASSERT_TRUE(ma && cc);
    const double xA = V_DBRH2AH(12, 100), hA = enthalpy(12, xA);
    EXPECT_NEAR(cc->air.h, hA + 0.1 * (ma->air.h - hA), 1e-6);
    EXPECT_NEAR(cc->air.x, xA + 0.1 * (ma->air.x - xA), 1e-9);
    const Component* c = r.summer.component(Part::Coil);
    ASSERT_TRUE(c && c->adp && c->bf);
    EXPECT_EQ(*c->adp, 12);
    EXPECT_EQ(*c->bf, 0.1);

    const double xRA = V_DBRH2AH(22, 40), hRA = enthalpy(22, xRA);
    const double dbSA = dryBulb(hRA + 2.5, xRA);
    const NamedState* rh = r.winter.find("W:RH");
    const NamedState* hu = r.winter.find("W:HU");
    ASSERT_TRUE(rh && hu);
    EXPECT_NEAR(rh->air.DB, dbSA - 1, 1e-5);  // the supply DB from its h by a search
    EXPECT_NEAR(hu->air.DB, rh->air.DB, 1e-9);
    EXPECT_NEAR(hu->air.x, xRA, 1e-9);
    // Steam: water G·Δx, and its heat nearly all latent (the vapour's 0.441·t only).
    const Component* h = r.winter.component(Part::Humidifier);
    ASSERT_TRUE(h);
    EXPECT_NEAR(h->water, 12000 * (xRA - rh->air.x), 1e-6);
    EXPECT_NEAR(h->sensible, 0, 1e-6);
    EXPECT_NEAR(h->total, 12000 * (xRA - rh->air.x) * (597.5 + 0.441 * (dbSA - 1)), 1e-3);
}

TEST(AhuSeasons, SupplyByTemperatureDifferenceAndActualAir) {
    const MoistAir air;
    Unit u = summerUnit();
    u.basis = AirBasis::Actual;
    u.summer.supplyBy = SupplyBy::TemperatureDifference;
    u.summer.supplyDifference = 9;
    u.summer.coil.on = false, u.summer.reheat.on = false, u.summer.fan.on = false;
    const UnitResult r = computeUnit(air, u);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    const NamedState* sa = r.summer.find("S:SA");
    ASSERT_TRUE(sa);
    EXPECT_NEAR(sa->air.DB, 26 - 9, 0.01);
    // qs = G·(0.24 + 0.441·x_SA)·9 with x_SA = x_RA − ql/(G·(597.5 + 0.441·26)):
    // G = (qs + 0.441·9·ql/(597.5 + 0.441·26)) / ((0.24 + 0.441·x_RA)·9).
    const double xRA = V_DBRH2AH(26, 50), ql = u.summer.latentLoad;
    const double G = (25000 + 0.441 * 9 * ql / (597.5 + 0.441 * 26)) / ((0.24 + 0.441 * xRA) * 9);
    EXPECT_NEAR(r.summer.supplyG, G, 1e-6 * G);
    // The flow at the room's specific volume; the outdoor 3000 m³/h at the outdoor's.
    EXPECT_NEAR(r.summer.supplyFlow, G * V_DBAH2SV(26, xRA), 1e-6 * G);
    EXPECT_NEAR(r.summer.outdoorG, 3000 / V_DBAH2SV(34, V_DBWB2AH(34, 27)), 1e-6);
    // Nothing after the mixing: the unit's outlet is not the supply.
    EXPECT_TRUE(hasWarning(r, "夏・給気: "));
}

TEST(AhuSeasons, WithoutMixingTheUnitSuppliesOutdoorAirOnly) {
    const MoistAir air;
    Unit u = summerUnit();
    u.summer.mixing.on = false;
    u.summer.outdoorFlow = 0;  // not used
    const UnitResult r = computeUnit(air, u);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    EXPECT_EQ(r.summer.find("S:MA"), nullptr);
    EXPECT_EQ(r.summer.component(Part::Mixing), nullptr);
    // The heat exchanger carries the whole 12000 kg/h: G·(h_HX − h_OA) with h_HX as above.
    const double xOA = V_DBWB2AH(34, 27), hOA = enthalpy(34, xOA);
    const double hRA = enthalpy(26, V_DBRH2AH(26, 50));
    const Component* hx = r.summer.component(Part::Recovery);
    ASSERT_TRUE(hx);
    EXPECT_DOUBLE_EQ(hx->G, 12000);
    EXPECT_NEAR(hx->total, 12000 * 0.6 * (hRA - hOA), 40);
    EXPECT_EQ(r.summer.states[2].name, "S:CC");
}

TEST(AhuSeasons, TargetsNotReachedAreWarnings) {
    const MoistAir air;
    struct Case {
        const char* what;
        void (*change)(Unit&);
        const char* warning;
        const char* state;  // a state that is still computed
    };
    const Case cases[] = {
        {"a coil leaving off the apparatus dew point's line",
         [](Unit& u) {
             u.summer.coil.mode = CoilMode::Leaving;
             u.summer.coil.first = {Property::DB, 24}, u.summer.coil.second = {Property::X, 0.003};
         },
         "夏・冷却コイル: ", "S:CC"},
        {"a coil whose dew point is above the air's",
         [](Unit& u) {
             u.summer.coil.mode = CoilMode::AdpBf, u.summer.coil.adp = 20, u.summer.coil.bf = 0.1;
         },
         "夏・冷却コイル: ", "S:CC"},
        {"a steam humidifier past saturation",
         [](Unit& u) {
             u.winter.preheat.on = false, u.winter.reheat.on = false;
             u.winter.humidifier.kind = HumidifierKind::Steam;
             u.winter.latentLoad = -80000;
         },
         "冬・加湿器: ", "W:HU"},
        {"a vaporising humidifier short of the supply's x",
         [](Unit& u) { u.winter.humidifier.efficiency = 0.1; }, "冬・加湿器: ", "W:HU"},
        {"a preheat below its inlet",
         [](Unit& u) { u.winter.preheat.DB = 5; }, "冬・予熱コイル: ", "W:PH"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Unit u = summerUnit();
        u.winter = winterUnit().winter;
        c.change(u);
        const UnitResult r = computeUnit(air, u);
        ASSERT_TRUE(r.status.ok()) << r.status.error();
        EXPECT_TRUE(hasWarning(r, c.warning));
        EXPECT_TRUE(r.summer.find(c.state) || r.winter.find(c.state));
    }
    // The steam humidifier past saturation stops at saturation at its inlet DB.
    Unit u = summerUnit();
    u.winter = winterUnit().winter;
    u.winter.preheat.on = false, u.winter.reheat.on = false;
    u.winter.humidifier.kind = HumidifierKind::Steam;
    u.winter.latentLoad = -80000;
    const UnitResult r = computeUnit(air, u);
    const NamedState* ma = r.winter.find("W:MA");
    const NamedState* hu = r.winter.find("W:HU");
    ASSERT_TRUE(ma && hu);
    EXPECT_NEAR(hu->air.DB, ma->air.DB, 1e-9);
    EXPECT_NEAR(hu->air.RH, 100, 1e-6);
    EXPECT_NEAR(hu->air.x, V_DBRH2AH(ma->air.DB, 100), 2e-6);
}

TEST(AhuSeasons, ATotalHeatExchangerPastSaturationLeavesSaturated) {
    // OA 0 °C / 50 %, RA 22 °C / 40 %, εt 0.3, εh 0.8: DB 0 + 0.3·22 = 6.6 °C could hold
    // x_s(6.6) but h_HX = h_OA + 0.8·(h_RA − h_OA) needs more: the air condenses and leaves
    // saturated at that enthalpy.
    const MoistAir air;
    Unit u = winterUnit();
    u.winter.recovery = {true, RecoveryKind::Total, 0.3, 0.8};
    const UnitResult r = computeUnit(air, u);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    EXPECT_TRUE(hasWarning(r, "冬・熱交換器: "));
    const double hOA = enthalpy(0, V_DBRH2AH(0, 50)), hRA = enthalpy(22, V_DBRH2AH(22, 40));
    const double hHX = hOA + 0.8 * (hRA - hOA);
    EXPECT_GT((hHX - 0.24 * 6.6) / (597.5 + 0.441 * 6.6), V_DBRH2AH(6.6, 100));
    const NamedState* hx = r.winter.find("W:HX");
    ASSERT_TRUE(hx);
    EXPECT_NEAR(hx->air.h, hHX, 1e-6);
    EXPECT_NEAR(hx->air.RH, 100, 1e-6);
    EXPECT_NEAR(hx->air.x, V_DBRH2AH(hx->air.DB, 100), 2e-6);
}

TEST(AhuSeasons, DefinitionsThatCannotBeComputedNameSeasonAndPart) {
    const MoistAir air;
    struct Case {
        void (*change)(Unit&);
        const char* start;
    };
    const Case cases[] = {
        {[](Unit& u) { u.summer.outdoorBy = OutdoorBy::Fraction, u.summer.outdoorFraction = 1.5; },
         "夏・外気: "},
        {[](Unit& u) { u.summer.outdoorFlow = 20000; }, "夏・外気: "},
        {[](Unit& u) { u.winter.room2 = {Property::RH, 120}; }, "冬・室内: "},
        {[](Unit& u) { u.winter.outdoor1 = {Property::DB, NAN}; }, "冬・外気: "},
        {[](Unit& u) { u.summer.supplyFlow = -5; }, "夏・給気: "},
        {[](Unit& u) { u.summer.recovery.temperatureEffectiveness = 1.2; }, "夏・熱交換器: "},
        {[](Unit& u) { u.summer.coil.mode = CoilMode::AdpBf, u.summer.coil.bf = 1; }, "夏・冷却コイル: "},
        {[](Unit& u) { u.winter.humidifier.efficiency = 0; }, "冬・加湿器: "},
        {[](Unit& u) { u.winter.fan.rise = -1; }, "冬・送風機: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        Unit u = summerUnit();
        u.winter = winterUnit().winter;
        c.change(u);
        const UnitResult r = computeUnit(air, u);
        ASSERT_FALSE(r.status.ok());
        EXPECT_EQ(r.status.error().rfind(c.start, 0), 0u) << r.status.error();
    }
    // The bounds themselves are taken: a saturation efficiency of exactly 1 is a humidifier
    // that can reach saturation.
    Unit whole = summerUnit();
    whole.winter = winterUnit().winter;
    whole.winter.humidifier.efficiency = 1;
    EXPECT_TRUE(computeUnit(air, whole).status.ok());
}

TEST(AhuDrawing, PointsAndLinesReplaceTheUnitsEarlierDrawing) {
    const MoistAir air;
    Unit u = summerUnit();
    u.winter = winterUnit().winter;
    const UnitResult r = computeUnit(air, u);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    const design::Design d = unitDesign(u, r);
    ASSERT_EQ(d.points.size(), 8u + 9u);
    EXPECT_EQ(d.points[3].name, "S:CC");
    EXPECT_EQ(d.points[3].first, (Given{Property::DB, 14}));
    EXPECT_EQ(d.points[3].second.kind, Property::X);
    // Summer: OA→HX→MA→CC→RH→FN→SA, RA→MA, SA→RA.
    std::vector<std::pair<std::string, std::string>> lines;
    for (const design::Process& p : d.processes) {
        EXPECT_EQ(p.kind, design::ProcessKind::Line);
        lines.push_back({p.from.at(0), p.to});
    }
    const std::vector<std::pair<std::string, std::string>> summer = {
        {"S:OA", "S:HX"}, {"S:HX", "S:MA"}, {"S:RA", "S:MA"}, {"S:MA", "S:CC"},
        {"S:CC", "S:RH"}, {"S:RH", "S:FN"}, {"S:FN", "S:SA"}, {"S:SA", "S:RA"}};
    ASSERT_EQ(lines.size(), summer.size() + 9u);
    EXPECT_EQ(std::vector(lines.begin(), lines.begin() + 8), summer);
    EXPECT_EQ(lines.back(), (std::pair<std::string, std::string>{"W:SA", "W:RA"}));

    // The document keeps its own points and lines; a rerun replaces the unit's, never adds.
    design::Design doc;
    doc.points.push_back({"A", {Property::DB, 20}, {Property::RH, 50}, {}});
    doc.points.push_back({"B", {Property::DB, 30}, {Property::RH, 50}, {}});
    design::Process ab;
    ab.from = {"A"}, ab.to = "B";
    doc.processes.push_back(ab);
    replaceUnitDrawing(doc, d);
    replaceUnitDrawing(doc, d);
    EXPECT_EQ(doc.points.size(), 2u + d.points.size());
    EXPECT_EQ(doc.processes.size(), 1u + d.processes.size());
    EXPECT_EQ(doc.points[0].name, "A");
    EXPECT_EQ(doc.processes[0], ab);
    const auto computed = design::computeDesign(air, doc);
    EXPECT_TRUE(computed.status.ok()) << computed.status.error();
    EXPECT_FALSE(unitName("S:"));
    EXPECT_FALSE(unitName("SA"));
    EXPECT_TRUE(unitName("W:OA"));
}
