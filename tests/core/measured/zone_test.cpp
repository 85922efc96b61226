// Zones: counts against data sets whose answer is known by construction (points on both sides of
// each bound, on the bound, at the corners), and the outlines of the presets on the library's
// lines.
#include "measured/zone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "moistek/moistek.h"
#include "lang/language.h"

using namespace humidraw;

namespace {

struct Given {
    Quantity q1;
    double v1;
    Quantity q2;
    double v2;
};

DataSet makeSet(const std::vector<Given>& given) {
    StateCalculator calc;
    DataSet s;
    for (const Given& g : given) {
        const PointOutcome o = calc.state(g.q1, g.v1, g.q2, g.v2);
        EXPECT_TRUE(o.point) << g.v1 << " " << g.v2;
        if (o.point) s.points.push_back(*o.point);
    }
    return s;
}

constexpr Quantity DB = Quantity::DB, RH = Quantity::RH, DP = Quantity::DP;

}  // namespace

TEST(DataZones, BuildingHygieneCountsByConstruction) {
    const DataSet set = makeSet({
        {DB, 18, RH, 40},      // corner: inside
        {DB, 28, RH, 70},      // corner: inside
        {DB, 18, RH, 70},      // corner: inside
        {DB, 23, RH, 55},      // inside
        {DB, 28, RH, 55},      // on the upper DB bound: inside
        {DB, 28.5, RH, 55},    // too hot
        {DB, 30, RH, 90},      // too hot: DB fails before moisture
        {DB, 17.5, RH, 55},    // too cold
        {DB, 10, RH, 20},      // too cold
        {DB, 23, RH, 71},      // too humid
        {DB, 23, RH, 39},      // too dry
        {DB, 27.9, RH, 69.9},  // inside, near the corner
    });
    const Zone z = *presetZone("building-hygiene");
    StateCalculator calc;
    const ZoneCount c = countInZone(z, set, calc);
    EXPECT_EQ(c.total, 12);
    EXPECT_EQ(c.inside, 6);
    EXPECT_EQ(c.tooHot, 2);
    EXPECT_EQ(c.tooCold, 2);
    EXPECT_EQ(c.tooHumid, 1);
    EXPECT_EQ(c.tooDry, 1);
    EXPECT_DOUBLE_EQ(c.share(), 0.5);
}

TEST(DataZones, DataCentreEnvelopesOnDewPointBounds) {
    // Recommended: 18–27 °C, DP −9..15 °C, RH ≤ 60 %. At 24 °C a 15 °C dew point is
    // RH = 17.04 / 29.85 = 57 % (saturation pressures from the tables): the DP bound decides.
    const DataSet set = makeSet({
        {DB, 24, DP, 15},    // on the upper DP bound: inside
        {DB, 24, DP, 15.3},  // too humid
        {DB, 18, DP, -9},    // corner: inside
        {DB, 18, DP, -9.5},  // too dry
        {DB, 20, RH, 61},    // too humid by RH (DP 12.2 °C)
        {DB, 27.2, DP, 5},   // too hot
    });
    StateCalculator calc;
    const ZoneCount rec = countInZone(*presetZone("tc99-recommended"), set, calc);
    EXPECT_EQ(rec.inside, 2);
    EXPECT_EQ(rec.tooHumid, 2);
    EXPECT_EQ(rec.tooDry, 1);
    EXPECT_EQ(rec.tooHot, 1);
    // A1: 15–32 °C, DP −12..17 °C, RH 8..80 %: every point above is inside but none.
    const ZoneCount a1 = countInZone(*presetZone("tc99-a1"), set, calc);
    EXPECT_EQ(a1.inside, 6);
}

TEST(DataZones, UserZonesAndTheirProblems) {
    Zone z;
    z.name = "dry store";
    z.ranges[kZoneX] = {std::nullopt, 8.0};   // g/kg
    z.ranges[kZoneH] = {20.0, std::nullopt};  // kJ/kg
    // 20 °C 7.263 g/kg: h = 9.2037 kcal/kg = 38.5 kJ/kg (see the import test): inside.
    const DataSet set = makeSet(
        {{DB, 20, Quantity::X, 0.007263},
         {DB, 20, Quantity::X, 0.0081},  // too humid
         {DB, 0, Quantity::X, 0.002}});  // h = 597.5 × 0.002 = 1.195 kcal = 5.0 kJ: too cold
    StateCalculator calc;
    const ZoneCount c = countInZone(z, set, calc);
    EXPECT_EQ(c.inside, 1);
    EXPECT_EQ(c.tooHumid, 1);
    EXPECT_EQ(c.tooCold, 1);
    EXPECT_TRUE(zoneProblem(z).empty());
    Zone reversed = z;
    reversed.ranges[kZoneDB] = {30.0, 20.0};
    Zone infinite = z;
    infinite.ranges[kZoneRH] = {std::nullopt, HUGE_VAL};
    // In the program's language and in its English translation.
    const struct {
        Language language;
        std::string reversed, infinite, unbounded;
    } cases[] = {{Language::Japanese, "DB: 下限が上限より大きくなっています",
                  "RH: 範囲の端が有限の数ではありません", "ゾーンがどの量の範囲も限っていません"},
                 {Language::English, "DB: the lower bound is above the upper",
                  "RH: a bound is not a finite number", "the zone bounds no property"}};
    for (const auto& c : cases) {
        setLanguage(c.language);
        EXPECT_EQ(zoneProblem(reversed), c.reversed);
        EXPECT_EQ(zoneProblem(infinite), c.infinite);
        EXPECT_EQ(zoneProblem(Zone{}), c.unbounded);
        setLanguage(Language::Japanese);
    }
    EXPECT_TRUE(zoneBoundary(reversed, -5, 45, calc).empty());
}

TEST(DataZones, CountsAsCsv) {
    ZoneCount c;
    c.total = 8;
    c.inside = 3;
    c.tooHot = 1, c.tooCold = 2, c.tooHumid = 1, c.tooDry = 1;
    EXPECT_EQ(countsCsv({{"a, \"b\"", "site", c}}),
              "zone,data set,inside,total,share,too hot,too cold,too humid,too dry\n"
              "\"a, \"\"b\"\"\",site,3,8,0.3750,1,2,1,1\n");
}

namespace {

// Each outline point lies within the zone (on an edge) and the upper edge between the DB bounds
// on the named line.
void expectUpperEdgeOn(const std::string& preset, double dbFrom, double dbTo,
                       double (*property)(double DB, double x), double value, double tolerance) {
    const Zone z = *presetZone(preset);
    StateCalculator calc;
    const auto outline = zoneBoundary(z, -5, 45, calc);
    ASSERT_GT(outline.size(), 10u) << preset;
    // The upper edge is the outline's first half after its lower-left corner.
    const size_t upperCount = outline.size() / 2;
    int onLine = 0;
    for (size_t i = 0; i < outline.size(); ++i) {
        const ZonePoint& p = outline[i];
        PointProperties pp = calc.properties({p.DB, p.x, V_DBAH2EN(p.DB, p.x)});
        EXPECT_EQ(classify(z, pp), ZoneVerdict::Inside) << preset << " " << p.DB << " " << p.x;
        if (i >= 1 && i <= upperCount && p.DB > dbFrom && p.DB < dbTo) {
            EXPECT_NEAR(property(p.DB, p.x), value, tolerance) << preset << " at " << p.DB;
            ++onLine;
        }
    }
    EXPECT_GT(onLine, 20) << preset;
}

double rhOf(double DB, double x) {
    return V_DBAH2RH(DB, x);
}

double dpOf(double, double x) {
    return V_AH2DP(x);
}

}  // namespace

TEST(DataZones, PresetOutlinesOnTheLibraryLines) {
    // Building hygiene: the top edge is the 70 % curve from 18 to 28 °C.
    expectUpperEdgeOn("building-hygiene", 18, 28, rhOf, 70, 1e-9);
    // A1: the 17 °C dew point bounds the top above about 20.6 °C (80 % RH at 20.6 °C has a
    // 17 °C dew point), the 80 % curve below.
    expectUpperEdgeOn("tc99-a1", 21, 32, dpOf, 17, 1e-6);
    // Recommended: a 15 °C dew point (17.04 hPa) is 60 % RH where the saturation pressure is
    // 28.4 hPa, about 23.15 °C; above that the dew point bounds the top.
    expectUpperEdgeOn("tc99-recommended", 23.4, 27, dpOf, 15, 1e-6);
}

TEST(DataZones, OutlineCutToTheChartAndSaturation) {
    Zone wide;
    wide.ranges[kZoneDB] = {-50.0, 100.0};
    StateCalculator calc;
    const auto outline = zoneBoundary(wide, -5, 45, calc);
    ASSERT_FALSE(outline.empty());
    for (const ZonePoint& p : outline) {
        EXPECT_GE(p.DB, -5);
        EXPECT_LE(p.DB, 45);
        EXPECT_GE(p.x, 0);
        EXPECT_LE(p.x, *calc.saturation(p.DB) * (1 + 1e-12));
    }
    // A zone wholly above saturation has no outline.
    Zone wet;
    wet.ranges[kZoneDB] = {10.0, 12.0};
    wet.ranges[kZoneX] = {30.0, std::nullopt};
    EXPECT_TRUE(zoneBoundary(wet, -5, 45, calc).empty());
}

// The zone dialog's bounds in each unit system, from the zone units (°C, %, g/kg(DA), kJ/kg(DA)):
// x 6 g/kg = 0.006 kg/kg = 42 gr/lb (× 7000); h 50.2326 kJ/kg = 12 kcal/kg (÷ 4.18605) =
// 1.8 × 12 + 32 × 0.24 = 29.28 Btu/lb; 18 °C = 64.4 °F; −12 °C = 10.4 °F; RH as it is.
TEST(DataZones, BoundsShownInTheChartsUnits) {
    const double ipDatum = 32 * static_cast<double>(0.24f);
    const struct {
        ZoneProperty p;
        double zone;
        UnitSystem u;
        double shown;
    } cases[] = {
        {kZoneDB, 18, UnitSystem::Engineering, 18},
        {kZoneX, 6, UnitSystem::Engineering, 0.006},
        {kZoneH, 50.2326, UnitSystem::Engineering, 12},
        {kZoneX, 6, UnitSystem::SI, 0.006},
        {kZoneH, 50.2326, UnitSystem::SI, 50.2326},
        {kZoneDB, 18, UnitSystem::IP, 64.4},
        {kZoneDP, -12, UnitSystem::IP, 10.4},
        {kZoneWB, 0, UnitSystem::IP, 32},
        {kZoneRH, 40, UnitSystem::IP, 40},
        {kZoneX, 6, UnitSystem::IP, 42},
        {kZoneH, 50.2326, UnitSystem::IP, 1.8 * 12 + ipDatum},
        {kZoneH, 0, UnitSystem::IP, ipDatum},
    };
    for (const auto& c : cases) {
        const std::string what = zonePropertyName(c.p) + " " + unitSystemName(c.u);
        EXPECT_NEAR(zoneBoundShown(c.p, c.zone, c.u), c.shown, 1e-12) << what;
        EXPECT_NEAR(zoneBoundStored(c.p, c.shown, c.u), c.zone, 1e-12) << what;
    }
    // Engineering and SI bounds go through one factor each, as they always have.
    EXPECT_EQ(zoneBoundShown(kZoneH, 50.2326, UnitSystem::Engineering), 50.2326 / 4.18605);
    EXPECT_EQ(zoneBoundStored(kZoneX, 0.006, UnitSystem::SI), 0.006 * 1000);
    // Every preset bound comes back through IP within rounding.
    for (const ZonePreset& preset : zonePresets())
        for (int i = 0; i < kZonePropertyCount; ++i)
            for (const auto& b : {preset.zone.ranges[i].low, preset.zone.ranges[i].high})
                if (b) {
                    const auto p = static_cast<ZoneProperty>(i);
                    EXPECT_NEAR(
                        zoneBoundStored(p, zoneBoundShown(p, *b, UnitSystem::IP), UnitSystem::IP),
                        *b, 1e-12 * std::max(1.0, std::abs(*b)))
                        << preset.key << " " << zonePropertyName(p);
                }
}
