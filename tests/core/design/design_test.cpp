// The design layer's states and processes against hand computation: the expected values are
// worked from the library's own plain functions at 760 mmHg (each property of a state as the
// library defines it) and the textbook relations written out below, never from the design code.
#include <gtest/gtest.h>

#include <cmath>

#include "design/design.h"
#include "design/design_edit.h"
#include "design/units.h"

using namespace humidraw;
using namespace humidraw::design;

namespace {

Point point(const std::string& name, Property a, double va, Property b, double vb) {
    return Point{name, {a, va}, {b, vb}, {}};
}

Process from(ProcessKind k, std::vector<std::string> in, std::string to, std::vector<double> flows = {}) {
    Process p;
    p.kind = k;
    p.from = std::move(in);
    p.to = std::move(to);
    p.flows = std::move(flows);
    return p;
}

const AirProperties& state(const DesignResult& r, const std::string& name) {
    const int i = r.find(name);
    EXPECT_GE(i, 0) << name;
    static AirProperties none;
    return i < 0 ? none : r.points[i].air;
}

}  // namespace

TEST(DesignStates, EveryPairThatFixesAStateGivesTheSameState) {
    // The state DB 26 °C, RH 50 % and its properties as the library's plain functions give them.
    const double DB = 26, x = V_DBRH2AH(26, 50);
    const double values[kPropertyCount] = {DB, V_DBAH2WB(DB, x), V_AH2DP(x), 50,
                                           x,  V_DBAH2EN(DB, x), V_DBAH2SV(DB, x)};
    const MoistAir air;
    int pairs = 0;
    for (int i = 0; i < kPropertyCount; ++i) {
        for (int j = 0; j < kPropertyCount; ++j) {
            const Property a = kProperties[i], b = kProperties[j];
            if (pairRefusal(a, b)) continue;
            SCOPED_TRACE(std::string(propertyName(a)) + " + " + std::string(propertyName(b)));
            const auto s = stateFrom(air, {a, values[i]}, {b, values[j]});
            ASSERT_TRUE(s.ok()) << s.error();
            ++pairs;
            // The library's searches stop within hundredths of a kelvin.
            EXPECT_NEAR(s->DB, DB, 0.02);
            EXPECT_NEAR(s->x, x, 2e-5);
            EXPECT_NEAR(s->RH, 50, 0.2);
            // The two given values are kept as typed.
            EXPECT_EQ(s->value(a), values[i]);
            EXPECT_EQ(s->value(b), values[j]);
        }
    }
    // 7 × 6 ordered pairs, less DP with x and h with WB, both ways round.
    EXPECT_EQ(pairs, 42 - 4);
}

TEST(DesignStates, TheOtherPropertiesOfAState) {
    const MoistAir air;
    const auto s = stateFrom(air, {Property::DB, 20}, {Property::DP, 10});
    ASSERT_TRUE(s.ok());
    // x at a dew point of 10 °C is the saturation ratio there.
    const double x = V_PW2AH(V_DB2PWS(10));
    EXPECT_EQ(s->x, x);
    EXPECT_EQ(s->DP, 10);
    EXPECT_EQ(s->h, V_DBAH2EN(20, x));
    EXPECT_EQ(s->SV, V_DBAH2SV(20, x));
    // The vapour pressure of the air at its dew point is the saturation pressure there, 9.21 mmHg
    // (9.209 mmHg in the steam tables at 10 °C).
    EXPECT_NEAR(s->PW, V_DB2PWS(10), 1e-9);
    EXPECT_NEAR(s->PW, 9.209, 0.01);
    // The density of the moist air: (1 + x) / SV.
    EXPECT_NEAR(s->density, (1 + x) / V_DBAH2SV(20, x), 1e-12);
    // The degree of saturation: x over the saturation ratio at 20 °C, in %.
    EXPECT_NEAR(s->mu, 100 * x / V_DBRH2AH(20, 100), 1e-9);
}

TEST(DesignStates, PairsThatFixNoStateAreRefused) {
    const MoistAir air;
    const struct {
        Given a, b;
    } cases[] = {
        {{Property::DP, 10}, {Property::X, 0.008}},   // both only give x
        {{Property::H, 12}, {Property::WB, 17}},      // lines almost together
        {{Property::DB, 20}, {Property::DB, 25}},     // the same property
        {{Property::DB, 20}, {Property::RH, 120}},    // above saturation
        {{Property::DB, 20}, {Property::DP, 25}},     // a dew point above the dry bulb
        {{Property::DB, 20}, {Property::X, -0.001}},  // a negative humidity
        {{Property::DB, NAN}, {Property::RH, 50}},
    };
    for (const auto& c : cases) {
        const auto s = stateFrom(air, c.a, c.b);
        EXPECT_FALSE(s.ok()) << propertyName(c.a.kind) << " " << c.a.value << ", "
                             << propertyName(c.b.kind) << " " << c.b.value;
        if (!s.ok()) {
            EXPECT_FALSE(s.error().empty());
        }
    }
}

TEST(DesignProcesses, MixingByDryAirMass) {
    Design d;
    d.basis = AirBasis::Standard;
    d.points = {point("OA", Property::DB, 34, Property::X, 0.020),
                point("RA", Property::DB, 26, Property::X, 0.0105)};
    d.processes = {from(ProcessKind::Mixing, {"OA", "RA"}, "MA", {5000, 12400})};
    const DesignResult r = computeDesign(MoistAir(), d);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    // G = 1.2 × 5000 = 6000 and 1.2 × 12400 = 14880 kg/h; x = (6000 × 0.020 + 14880 × 0.0105)
    // / 20880 = (120 + 156.24) / 20880 = 0.01322988506.
    const AirProperties& m = state(r, "MA");
    EXPECT_NEAR(m.x, 0.01322988506, 1e-11);
    const double h = (6000 * V_DBAH2EN(34, 0.020) + 14880 * V_DBAH2EN(26, 0.0105)) / 20880;
    EXPECT_NEAR(m.h, h, 1e-12);
    EXPECT_NEAR(m.DB, V_ENAH2DB(h, m.x), 1e-9);
    ASSERT_TRUE(r.processes[0].G);
    EXPECT_NEAR(*r.processes[0].G, 20880, 1e-9);
    EXPECT_FALSE(r.processes[0].total);  // a mixing carries no load
}

TEST(DesignProcesses, SensibleHeatingByTemperatureAndByLoad) {
    Design d;
    d.points = {point("A", Property::DB, 10, Property::X, 0.005)};
    d.processes = {from(ProcessKind::Sensible, {"A"}, "B", {5000}),
                   from(ProcessKind::Sensible, {"A"}, "C", {5000})};
    d.processes[0].leaving = {{Property::DB, 20}};
    d.processes[1].load = 14400;
    {
        const DesignResult r = computeDesign(MoistAir(), d);
        ASSERT_TRUE(r.status.ok()) << r.status.error();
        // Actual air: G = 5000 / SV(10 °C, 0.005).
        const double G = 5000 / V_DBAH2SV(10, 0.005);
        const ProcessFigures& f = r.processes[0];
        EXPECT_NEAR(*f.G, G, 1e-9);
        EXPECT_NEAR(*f.total, G * (V_DBAH2EN(20, 0.005) - V_DBAH2EN(10, 0.005)), 1e-8);
        EXPECT_NEAR(*f.latent, 0, 1e-8);
        EXPECT_NEAR(*f.shf, 1, 1e-12);
        EXPECT_NEAR(*f.water, 0, 1e-12);
        EXPECT_EQ(state(r, "B").x, 0.005);
    }
    d.basis = AirBasis::Standard;
    const DesignResult r = computeDesign(MoistAir(), d);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    // G = 6000 kg/h, so Δh = 14400 / 6000 = 2.4 kcal/kg(DA); with the humid specific heat
    // 0.24 + 0.441 × 0.005 = 0.242205 the rise is 2.4 / 0.242205 = 9.9089 K.
    EXPECT_NEAR(state(r, "C").DB, 10 + 2.4 / 0.242205, 1e-4);
    EXPECT_NEAR(*r.processes[1].total, 14400, 1e-8);
    EXPECT_NEAR(*r.processes[1].sensible, 14400, 1e-3);
}

TEST(DesignProcesses, CoilByApparatusDewPointAndBypassFactorAndBack) {
    const double xin = 0.0130, hin = V_DBAH2EN(28, xin);
    const double xadp = V_DBRH2AH(12, 100), hadp = V_DBAH2EN(12, xadp);
    // The leaving state on the straight line to the saturated state at 12 °C, a tenth of the
    // way back: h = h_ADP + 0.1 (h_in − h_ADP), x likewise.
    const double hout = hadp + 0.1 * (hin - hadp), xout = xadp + 0.1 * (xin - xadp);
    Design d;
    d.basis = AirBasis::Standard;
    d.points = {point("MA", Property::DB, 28, Property::X, xin)};
    d.processes = {from(ProcessKind::Coil, {"MA"}, "CA", {10000}),
                   from(ProcessKind::Coil, {"MA"}, "CB", {10000})};
    d.processes[0].adp = 12;
    d.processes[0].bf = 0.1;
    d.processes[1].leaving = {{Property::H, hout}, {Property::X, xout}};
    const DesignResult r = computeDesign(MoistAir(), d);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    EXPECT_NEAR(state(r, "CA").h, hout, 1e-12);
    EXPECT_NEAR(state(r, "CA").x, xout, 1e-12);
    EXPECT_EQ(*r.processes[0].adp, 12);
    // From the leaving state, the line extended meets saturation at 12 °C again.
    const ProcessFigures& back = r.processes[1];
    ASSERT_TRUE(back.adpMet);
    EXPECT_NEAR(*back.adp, 12, 1e-5);
    EXPECT_NEAR(*back.bf, 0.1, 1e-6);
    // G = 12000 kg/h: the total load G (h_out − h_in), a cooling, is negative.
    EXPECT_NEAR(*back.total, 12000 * (hout - hin), 1e-6);
    EXPECT_NEAR(*back.water, 12000 * (xout - xin), 1e-9);
    EXPECT_LT(*back.water, 0);
}

TEST(DesignProcesses, SteamAndSprayHumidifiers) {
    const double xw = V_PW2AH(V_DB2PWS(10)), wb = V_DBAH2WB(20, xw);
    Design d;
    d.basis = AirBasis::Standard;
    d.points = {point("W", Property::DB, 20, Property::DP, 10)};
    d.processes = {from(ProcessKind::Steam, {"W"}, "S1", {3000}),
                   from(ProcessKind::Spray, {"W"}, "S2", {3000}),
                   from(ProcessKind::Spray, {"W"}, "S3", {3000})};
    d.processes[0].leaving = {{Property::X, 0.009}};
    d.processes[1].efficiency = 0.8;
    d.processes[2].leaving = {{Property::RH, 90}};
    const DesignResult r = computeDesign(MoistAir(), d);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    // Steam: the dry bulb stays; G = 3600 kg/h takes up 3600 (0.009 − x_W) kg/h of water.
    EXPECT_EQ(state(r, "S1").DB, 20);
    EXPECT_EQ(state(r, "S1").x, 0.009);
    EXPECT_NEAR(*r.processes[0].water, 3600 * (0.009 - xw), 1e-9);
    // Spray at η = 0.8: DB_out = 20 − 0.8 (20 − WB), on the inlet's wet-bulb line.
    const double db = 20 - 0.8 * (20 - wb);
    EXPECT_NEAR(state(r, "S2").DB, db, 1e-12);
    EXPECT_NEAR(state(r, "S2").x, V_DBWB2AH(db, wb), 1e-12);
    EXPECT_NEAR(state(r, "S3").WB, wb, 1e-12);
    EXPECT_NEAR(state(r, "S3").RH, 90, 0.2);
}

TEST(DesignProcesses, SupplyStateFromRoomLoadsAndTheShfLine) {
    const double xr = V_DBRH2AH(26, 50), hr = V_DBAH2EN(26, xr), G = 17400 / V_DBAH2SV(26, xr);
    Design d;
    d.points = {point("RA", Property::DB, 26, Property::RH, 50)};
    d.processes = {from(ProcessKind::Supply, {"RA"}, "SA", {17400}), from(ProcessKind::Shf, {"RA"}, "")};
    d.processes[0].sensibleLoad = 50000;
    d.processes[0].latentLoad = 5000;
    d.processes[1].shf = 0.8;
    const DesignResult r = computeDesign(MoistAir(), d);
    ASSERT_TRUE(r.status.ok()) << r.status.error();
    // x_SA = x_RA − 5000 / (G (597.5 + 0.441 × 26)) = x_RA − 5000 / (608.966 G);
    // h_SA = h_RA − 55000 / G.
    EXPECT_NEAR(state(r, "SA").x, xr - 5000 / (G * 608.966), 1e-12);
    EXPECT_NEAR(state(r, "SA").h, hr - 55000 / G, 1e-12);
    EXPECT_NEAR(*r.processes[0].shf, 50000.0 / 55000, 1e-12);
    // The SHF line's slope on the chart: 608.966 / (1 − 0.8) = 3044.83 kcal/kg per kg/kg.
    EXPECT_NEAR(*r.processes[1].slope, 3044.83, 1e-9);
    EXPECT_EQ(r.processes[1].to, -1);
}

TEST(DesignProcesses, WhatCannotBeComputedIsNamed) {
    const Point w = point("W", Property::DB, 20, Property::DP, 10);
    const auto withOne = [&](Process p) {
        Design d;
        d.points = {w};
        d.processes = {p};
        return computeDesign(MoistAir(), d);
    };
    Process unknown = from(ProcessKind::Sensible, {"X"}, "Y");
    unknown.leaving = {{Property::DB, 30}};
    Process condenses = from(ProcessKind::Sensible, {"W"}, "Y");
    condenses.leaving = {{Property::DB, 5}};
    Process drying = from(ProcessKind::Steam, {"W"}, "Y");
    drying.leaving = {{Property::X, 0.001}};
    Process highAdp = from(ProcessKind::Coil, {"W"}, "Y");
    highAdp.adp = 15, highAdp.bf = 0.1;
    Process oneStream = from(ProcessKind::Mixing, {"W"}, "Y", {100});
    Process noFlowLoad = from(ProcessKind::Sensible, {"W"}, "Y");
    noFlowLoad.load = 1000;
    Process badFlow = from(ProcessKind::Sensible, {"W"}, "Y", {-5});
    badFlow.leaving = {{Property::DB, 30}};
    Process taken = from(ProcessKind::Sensible, {"W"}, "W");
    taken.leaving = {{Property::DB, 30}};
    Process halfLoads = from(ProcessKind::Supply, {"W"}, "SA", {1000});
    halfLoads.sensibleLoad = 500;  // no latent load (the state it would give exists)
    for (const Process& p :
         {unknown, condenses, drying, highAdp, oneStream, noFlowLoad, badFlow, taken, halfLoads}) {
        const DesignResult r = withOne(p);
        ASSERT_FALSE(r.status.ok()) << processKindName(p.kind);
        // "状態変化 1 (kind): reason"; the point before it still computed.
        EXPECT_EQ(r.status.error().rfind("状態変化 1 (" + std::string(processKindName(p.kind)) + "): ", 0), 0u)
            << r.status.error();
        EXPECT_EQ(r.points.size(), 1u);
    }
    Design twice;
    twice.points = {w, w};
    const DesignResult r = computeDesign(MoistAir(), twice);
    EXPECT_EQ(r.status.error().rfind("状態点 W: ", 0), 0u) << r.status.error();
}

TEST(DesignEdits, DraggedPointKeepsItsKinds) {
    const MoistAir air;
    Design d;
    d.points = {point("A", Property::DB, 20, Property::RH, 50)};
    Process heat = from(ProcessKind::Sensible, {"A"}, "B");
    heat.leaving = {{Property::DB, 30}};
    d.processes = {heat};
    const auto at = stateAt(air, 24, 0.009);
    ASSERT_TRUE(at.ok());
    const auto moved = movedPoint(air, d, 0, *at);
    ASSERT_TRUE(moved.ok()) << moved.error();
    EXPECT_EQ(moved->points[0].first, (Given{Property::DB, 24}));
    EXPECT_EQ(moved->points[0].second, (Given{Property::RH, V_DBAH2RH(24, 0.009)}));
    // The made point follows: B keeps 30 °C and takes A's new x.
    const DesignResult r = computeDesign(air, *moved);
    EXPECT_NEAR(state(r, "B").x, at->x, 1e-5);
    // With the first kept, only RH moves: along the 20 °C line.
    const auto along = movedPoint(air, d, 0, *at, 0);
    ASSERT_TRUE(along.ok());
    EXPECT_EQ(along->points[0].first, (Given{Property::DB, 20}));
    EXPECT_EQ(along->points[0].second.value, at->RH);
    // A place where the process cannot follow (B at 30 °C below A) is refused.
    const auto hot = stateAt(air, 35, 0.009);
    ASSERT_TRUE(hot.ok());
    Design cooling = d;
    cooling.processes[0].leaving = {{Property::DB, 5}};
    EXPECT_FALSE(movedPoint(air, cooling, 0, *stateAt(air, 20, 0.012)).ok());
}

TEST(DesignEdits, RemovingAPointTakesWhatFollowsFromIt) {
    Design d;
    d.points = {point("A", Property::DB, 20, Property::RH, 50),
                point("B", Property::DB, 30, Property::RH, 40)};
    Process heat = from(ProcessKind::Sensible, {"A"}, "C");
    heat.leaving = {{Property::DB, 30}};
    Process line = from(ProcessKind::Line, {"C"}, "B");
    Process other = from(ProcessKind::Line, {"B"}, "B");
    d.processes = {heat, line, other};
    const Design without = withoutPoint(d, 0);
    ASSERT_EQ(without.points.size(), 1u);
    // The heating made C from A, and the line started at C: both go; B's own line stays.
    ASSERT_EQ(without.processes.size(), 1u);
    EXPECT_EQ(without.processes[0].from[0], "B");
    // An index past the end changes nothing.
    EXPECT_TRUE(withoutPoint(d, d.points.size()) == d);
    EXPECT_TRUE(withoutProcess(d, d.processes.size()) == d);
    const Design noHeat = withoutProcess(d, 0);
    EXPECT_EQ(noHeat.points.size(), 2u);
    EXPECT_EQ(noHeat.processes.size(), 1u);
    EXPECT_EQ(freePointName(d), "P1");
    d.points[0].name = "P1";
    EXPECT_EQ(freePointName(d), "P2");
}

TEST(DesignUnits, ShownAndTyped) {
    // 4.18605 kJ/kcal and 860 kcal/h a kW: 10 kcal/kg(DA) is 41.8605 kJ/kg(DA), 8600 kcal/h 10 kW.
    EXPECT_NEAR(shownValue(Property::H, 10, UnitSystem::SI), 41.8605, 1e-12);
    EXPECT_NEAR(storedValue(Property::H, 41.8605, UnitSystem::SI), 10, 1e-12);
    EXPECT_EQ(shownValue(Property::DB, 10, UnitSystem::SI), 10);
    EXPECT_NEAR(shownLoad(8600, UnitSystem::SI), 10, 1e-12);
    EXPECT_NEAR(storedLoad(10, UnitSystem::SI), 8600, 1e-12);
    EXPECT_EQ(shownLoad(8600, UnitSystem::Engineering), 8600);
    // 760 mmHg is 101.325 kPa.
    EXPECT_NEAR(shownPressure(760, UnitSystem::SI), 101.325, 1e-12);
}
