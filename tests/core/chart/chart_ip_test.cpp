// The chart under IP units: its line families on round IP values (read back through the chart's
// inverse mapping and the library), its titles, and a mapping the same as the other units'.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "chart/construction.h"
#include "moistek/moistek.h"

using namespace humidraw;

namespace {

struct Built {
    ChartFrame frame;
    ChartTable table;
};

Built chart(UnitSystem u, double lo = (25 - 32) / 1.8, double hi = (115 - 32) / 1.8) {
    ChartSettings s;
    s.units = u;
    s.dbMin = lo;
    s.dbMax = hi;
    FakeTextMetrics m;
    Built b;
    EXPECT_TRUE(constructChart(s, m, b.frame, b.table).ok());
    return b;
}

// The distance of v from the nearest multiple of `step`.
double offGrid(double v, double step) {
    return std::fabs(v / step - std::round(v / step)) * step;
}

const double kCpa = MoistekClass().Cpa;  // the library's own, on which the IP datum rests

std::set<std::string> texts(const ChartTable& t, int kind) {
    std::set<std::string> out;
    for (const ChartElement& e : t.elements())
        if (e.kind == kind) out.insert(e.text);
    return out;
}

}  // namespace

// Read back from the drawn lines: each dry-bulb line's foot (x = 0, where h = Cpa × t) lies on a
// whole °F, each enthalpy line on a whole Btu/lb(DA) on the IP datum (h_IP = 1.8 h + 32 Cpa),
// each humidity-ratio line on a multiple of 10 gr/lb(DA), each volume line's foot on a multiple
// of 0.5 ft³/lb(DA).
TEST(IpChart, LinesLieOnRoundIpValues) {
    const Built b = chart(UnitSystem::IP);
    const ChartFrame& f = b.frame;
    const MoistAir& air = f.air;
    int db = 0, en = 0, ah = 0, sv = 0;
    bool diagonal = true;  // the first enthalpy line is the scale's diagonal
    for (const ChartElement& e : b.table.elements()) {
        const StatePoint p1 = f.inverse(e.c1, e.c2), p2 = f.inverse(e.c3, e.c4);
        if (e.kind == kDryBulbLine) {
            ++db;
            EXPECT_NEAR(p1.x, 0, 1e-12);
            const double t = air.ENAH2DB(p1.h, 0);
            EXPECT_LT(offGrid(1.8 * t + 32, 1), 1e-6) << t;
        } else if (e.kind == kEnthalpyLine && diagonal) {
            diagonal = false;
        } else if (e.kind == kEnthalpyLine) {
            ++en;
            EXPECT_NEAR(p1.h, p2.h, 1e-9);
            EXPECT_LT(offGrid(1.8 * p1.h + 32 * kCpa, 1), 1e-9) << p1.h;
        } else if (e.kind == kHumidityRatioLine) {
            // 0, 10, 20, … gr/lb(DA) in order, up to the chart's top border.
            EXPECT_NEAR(p1.x, p2.x, 1e-12);
            EXPECT_NEAR(p2.x * 7000, 10.0 * ah, 1e-9) << p2.x;
            ++ah;
        } else if (e.kind == kSpecificVolumeLine && std::fabs(p1.x) < 1e-12) {
            ++sv;
            const double v = air.DBAH2SV(air.ENAH2DB(p1.h, 0), 0);
            EXPECT_LT(offGrid(v * 16.01846, 0.5), 1e-6) << v;
        }
    }
    // 25 … 115 °F: 91 dry bulbs.
    EXPECT_EQ(db, 91);
    EXPECT_GE(ah, 20);
    EXPECT_GT(en, 60);
    EXPECT_GE(sv, 4);
    // Labels: whole °F every 5 where whole degrees would touch, enthalpies every 5 Btu/lb.
    const std::set<std::string> dbLabels = texts(b.table, kDryBulbText);
    for (const char* s : {"25", "30", "75", "115", "乾球温度 DB [°F]"})
        EXPECT_TRUE(dbLabels.count(s)) << s;
    EXPECT_FALSE(dbLabels.count("26"));
    for (const std::string& s : texts(b.table, kEnthalpyText))
        if (s.find('[') == std::string::npos) {
            EXPECT_EQ(std::stoi(s) % 5, 0) << s;
        }
    EXPECT_TRUE(texts(b.table, kHumidityRatioText).count("絶対湿度 x [gr/lb(DA)]"));
    // The pressure in psia: 760 × 0.0193368 = 14.696; the enthalpy datum said on the chart.
    const std::set<std::string> titles = texts(b.table, kChartTitleText);
    EXPECT_TRUE(titles.count("湿り空気 h-x 線図(全圧力P=14.696psia)"));
    EXPECT_TRUE(titles.count("比エンタルピの基準: 乾き空気 0°F, 水 32°F"));
}

// The mapping does not depend on the units: a range shown in IP maps every state where the same
// range in engineering units does, so a document's objects stay in place when the units change.
TEST(IpChart, TheMappingIsTheSameAsInTheOtherUnits) {
    const Built ip = chart(UnitSystem::IP, -5, 45), kcal = chart(UnitSystem::Engineering, -5, 45);
    EXPECT_EQ(ip.frame.k1, kcal.frame.k1);
    EXPECT_EQ(ip.frame.k2, kcal.frame.k2);
    EXPECT_EQ(ip.frame.OX, kcal.frame.OX);
    for (const auto& [h, x] : {std::pair{0.0, 0.0}, {12.63, 0.0105}, {30.0, 0.02}}) {
        const ChartPoint a = ip.frame.map(h, x), b = kcal.frame.map(h, x);
        EXPECT_EQ(a.x, b.x);
        EXPECT_EQ(a.y, b.y);
    }
    // −5 … 45 °C is 23 … 113 °F: the IP chart's outermost dry bulbs are its limits.
    const std::set<std::string> dbLabels = texts(ip.table, kDryBulbText);
    EXPECT_TRUE(dbLabels.count("25") && dbLabels.count("110"));
}

// The protractor's moisture-enthalpy ratio in Btu/lb: 1.8 times the kcal/kg value, so the
// direction drawn for u Btu/lb is that of u / 1.8 kcal/kg.
TEST(IpChart, ProtractorInBtuPerPound) {
    ChartSettings s;
    s.units = UnitSystem::IP;
    s.dbMin = (25 - 32) / 1.8;
    s.dbMax = (115 - 32) / 1.8;
    s.view[CB_NE] = true;
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    ASSERT_TRUE(constructChart(s, m, f, t).ok());
    const std::set<std::string> labels = texts(t, kMoistureRatioText);
    for (const char* l : {"0", "1000", "2000", "-2000", "熱水分比[Btu/lb]"})
        EXPECT_TRUE(labels.count(l)) << l;
    EXPECT_FALSE(labels.count("熱水分比[kcal/kg]"));
}
