#include "chart/construction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace humidraw;

namespace {

class Construction : public testing::Test {
  protected:
    void build(const ChartSettings& s) {
        FakeTextMetrics m;
        ASSERT_TRUE(constructChart(s, m, frame, table).ok());
    }
    std::vector<ChartElement> ofKind(int kind) const {
        std::vector<ChartElement> out;
        for (const auto& e : table.elements())
            if (e.kind == kind) out.push_back(e);
        return out;
    }
    std::vector<std::string> textsOf(int kind) const {
        std::vector<std::string> out;
        for (const auto& e : ofKind(kind)) out.push_back(e.text);
        return out;
    }
    ChartFrame frame;
    ChartTable table;
};

}  // namespace

TEST_F(Construction, FamiliesInOrder) {
    build(ChartSettings{});
    // Families are appended in order: each kind's first element comes after the previous
    // family's, and the table ends with the protractors.
    const int order[] = {kDryBulbLine,        kChartTitleText, kRelativeHumidityLine,
                         kHumidityRatioLine,  kEnthalpyLine,   kWetBulbLine,
                         kSpecificVolumeLine, kShfLine,        kMoistureRatioLine};
    int last = -1;
    for (int kind : order) {
        const auto& e = table.elements();
        const auto it = std::find_if(e.begin(), e.end(), [&](auto& x) { return x.kind == kind; });
        ASSERT_NE(it, e.end()) << kind;
        const int at = static_cast<int>(it - e.begin());
        EXPECT_GT(at, last) << kind;
        last = at;
    }
    EXPECT_EQ(table.elements().front().kind, kDryBulbLine);
    EXPECT_EQ(table.elements().back().kind, kMoistureRatioText)
        << "the moisture-ratio title comes last";
}

TEST_F(Construction, DryBulbLinesAndLabels) {
    build(ChartSettings{});
    EXPECT_EQ(ofKind(kDryBulbLine).size(), 51u);
    const auto labels = textsOf(kDryBulbText);
    ASSERT_EQ(labels.size(), 52u);
    EXPECT_EQ(labels.front(), "-5");
    EXPECT_EQ(labels[5], "0");
    EXPECT_EQ(labels[50], "45");
    EXPECT_EQ(labels[51], "乾球温度 DB [℃]");
    // Each label is centred under its line with the fake width (H = 8, 4 px a character).
    const auto lines = ofKind(kDryBulbLine);
    const auto texts = ofKind(kDryBulbText);
    EXPECT_DOUBLE_EQ(texts[0].c1, lines[0].c1 - 4.0);  // "-5": 8 px wide
    EXPECT_DOUBLE_EQ(texts[0].c2, lines[0].c2);
    EXPECT_EQ(textsOf(kChartTitleText),
              std::vector<std::string>{"湿り空気 h-x 線図(全圧力P=760mmHg)"});
}

TEST_F(Construction, RelativeHumidityCurves) {
    build(ChartSettings{});
    const auto labels = textsOf(kRelativeHumidityText);
    ASSERT_EQ(labels.size(), 11u);
    // The title follows the label of the 20 % curve it sits on.
    const std::vector<std::string> expected = {
        "10", "20", "相対湿度RH[%]", "30", "40", "50", "60", "70", "80", "90", "100"};
    EXPECT_EQ(labels, expected);
    // The 0 % curve lies on the base line; every curve has one segment per dry-bulb step
    // unless it leaves through the top border.
    const auto segments = ofKind(kRelativeHumidityLine);
    for (int j = 0; j <= 50; ++j) {
        EXPECT_DOUBLE_EQ(segments[j].c2, frame.OY);
        EXPECT_DOUBLE_EQ(segments[j].c4, frame.OY);
    }
    EXPECT_DOUBLE_EQ(segments[0].c1, segments[0].c3) << "the first segment has no length";
    for (const auto& s : segments) EXPECT_GE(std::min(s.c2, s.c4), frame.Ytop - 1e-9);

    // Below 45 °C the title sits on the 20 % curve as above: on its segment from 36 to 37 °C
    // for −5 … 40 °C (the third curve; 46 segments a curve, the k-th ending at −5 + k °C),
    // turned as that segment.
    ChartSettings cooler;
    cooler.dbMax = 40;
    build(cooler);
    const auto titles = ofKind(kRelativeHumidityText);
    const auto title = std::find_if(titles.begin(), titles.end(), [](const ChartElement& e) {
        return e.text == "相対湿度RH[%]";
    });
    ASSERT_NE(title, titles.end()) << "below 45 °C the curves have a title too";
    const ChartElement q = ofKind(kRelativeHumidityLine)[2 * 46 + 42];
    const double slope = std::atan((q.c2 - q.c4) / (q.c3 - q.c1)) * 1800 / 3.14159265358979;
    EXPECT_NEAR(title->c3, slope, 1e-6);
    EXPECT_GT(title->c1, q.c1 - 40) << "centred on the segment (the title is 56 wide)";
    EXPECT_LT(title->c1, q.c1);

    // A chart of one dry-bulb step: the title on it, after the label 20.
    ChartSettings narrow;
    narrow.dbMin = 29;
    narrow.dbMax = 30;
    build(narrow);
    const auto narrowTexts = textsOf(kRelativeHumidityText);
    ASSERT_EQ(narrowTexts.size(), 11u);
    EXPECT_EQ(narrowTexts[2], "相対湿度RH[%]");
}

TEST_F(Construction, WetBulbHasTwoLinesAtZero) {
    build(ChartSettings{});
    ASSERT_EQ(frame.WBmin, -10);
    // Lines -10 … -1, then -0.0001 and 0: the twelfth line is the water one at 0 °C.
    const auto lines = ofKind(kWetBulbLine);
    ASSERT_GE(lines.size(), 12u);
    const auto labels = textsOf(kWetBulbText);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "0"), 1) << "only the ice-side line";
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "-0"), 0);
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "湿球温度WB[℃]"), 1);
    EXPECT_EQ(frame.nWB, 56) << "the count grows by one for the second 0 °C line";
}

TEST_F(Construction, HumidityRatioAndClippedLinesCarryNoLabel) {
    build(ChartSettings{});
    const auto labels = textsOf(kHumidityRatioText);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front(), "0.000");
    EXPECT_EQ(labels.back(), "絶対湿度 x [kg/kg(DA)]");
    EXPECT_DOUBLE_EQ(ofKind(kHumidityRatioLine).front().c2, frame.OY)
        << "x = 0 lies on the base line";
    // Only enthalpy lines that end on the diagonal carry a label; those stopped at the top
    // border or at the saturation point do not.
    const auto en = ofKind(kEnthalpyLine);
    const double diagonal = en[0].c1 + en[0].c2;
    int onDiagonal = 0, atTop = 0;
    for (size_t i = 1; i < en.size(); ++i) {
        if (std::fabs(en[i].c3 + en[i].c4 - diagonal) < 1e-6) ++onDiagonal;
        if (std::fabs(en[i].c4 - frame.Ytop) < 1e-9) ++atTop;
    }
    EXPECT_GT(atTop, 0);
    EXPECT_EQ(ofKind(kEnthalpyText).size(), static_cast<size_t>(onDiagonal) + 1)
        << "labels plus the title";
}

TEST_F(Construction, SiLabelsAndTitles) {
    ChartSettings s;
    s.units = UnitSystem::SI;
    build(s);
    EXPECT_EQ(textsOf(kChartTitleText),
              std::vector<std::string>{"湿り空気 h-x 線図(全圧力P=101.325kPa)"});
    const auto en = textsOf(kEnthalpyText);
    EXPECT_EQ(en.front(), "比エンタルピ h [kJ/kg(DA)]");
    for (size_t i = 1; i < en.size(); ++i) EXPECT_EQ(std::stoi(en[i]) % 5, 0) << en[i];
    EXPECT_EQ(frame.ENmin, 0);
    const auto ne = textsOf(kMoistureRatioText);
    EXPECT_NE(std::find(ne.begin(), ne.end(), "熱水分比[kJ/kg]"), ne.end());
    EXPECT_NE(std::find(ne.begin(), ne.end(), "20000"), ne.end());
    // The lines lie where the traditional chart has them.
    ChartTable si = table;
    build(ChartSettings{});
    for (int kind : {kDryBulbLine, kRelativeHumidityLine, kHumidityRatioLine, kWetBulbLine,
                     kSpecificVolumeLine}) {
        std::vector<ChartElement> a, b;
        for (const auto& e : si.elements())
            if (e.kind == kind) a.push_back(e);
        b = ofKind(kind);
        ASSERT_EQ(a.size(), b.size()) << kind;
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_NEAR(a[i].c1, b[i].c1, 1e-9);
            EXPECT_NEAR(a[i].c4, b[i].c4, 1e-9);
        }
    }
}

TEST_F(Construction, LowerLimitWithNegativeEnthalpyGivesShiftedSiLabels) {
    ChartSettings s;
    s.units = UnitSystem::SI;
    s.dbMin = -20;
    build(s);
    EXPECT_LE(frame.ENmin, -5);
    const auto en = textsOf(kEnthalpyText);
    ASSERT_GT(en.size(), 2u);
    // ENmin × 4.18605 + 5 i, shown as whole numbers: not all multiples of 5.
    bool offGrid = false;
    for (size_t i = 1; i < en.size(); ++i) offGrid = offGrid || std::stoi(en[i]) % 5 != 0;
    EXPECT_TRUE(offGrid);
}

TEST_F(Construction, ProtractorsAndArcs) {
    build(ChartSettings{});
    const auto shf = textsOf(kShfText);
    ASSERT_EQ(shf.size(), 9u);
    EXPECT_EQ(shf[0], "1.0");
    EXPECT_EQ(shf[8], "0.3");
    EXPECT_EQ(shf[6], "顕熱比SHF") << "the title follows the 0.5 shaft, before 0.4";
    EXPECT_EQ(ofKind(kShfCircle).size(), 1u);
    EXPECT_EQ(ofKind(kMoistureRatioCircle).size(), 1u);
    EXPECT_EQ(ofKind(kShfArc).size(), 2u) << "the arc and its point record";
    EXPECT_EQ(ofKind(kMoistureRatioArc).size(), 1u);
    EXPECT_EQ(ofKind(kMoistureRatioArcEnds).size(), 1u);
    const auto ne = textsOf(kMoistureRatioText);
    for (const char* label : {"800", "0", "熱水分比[kcal/kg]", "900", "5000", "-100", "-5000"})
        EXPECT_NE(std::find(ne.begin(), ne.end(), label), ne.end()) << label;
}

TEST(ChartTableBounds, RefusesBeyondCapacityAndNonFinite) {
    ChartTable t;
    for (int i = 0; i < ChartTable::kCapacity + 10; ++i) t.append({10, 1, 2, 3, 4, {}});
    EXPECT_EQ(t.elements().size(), 6000u);
    EXPECT_EQ(t.refused(), 10);
    ChartTable u;
    EXPECT_FALSE(u.append({10, NAN, 0, 0, 0, {}}));
    EXPECT_FALSE(u.append({10, 0, 0, INFINITY, 0, {}}));
    EXPECT_TRUE(u.elements().empty());
}

TEST(FakeMetrics, NarrowAndWideCharacters) {
    FakeTextMetrics m;
    m.setFont("x", 6);
    EXPECT_EQ(m.height(), 8);
    EXPECT_EQ(m.width("0.000"), 20);
    EXPECT_EQ(m.width("乾球"), 16);
    EXPECT_EQ(m.width("℃"), 4) << "ambiguous width counts as narrow";
    EXPECT_EQ(m.width("ｴﾝ"), 8) << "half-width katakana are narrow";
    m.setFont("x", 7);
    EXPECT_EQ(m.height(), 9);
    EXPECT_EQ(m.width("abc"), 13) << "13.5 truncated";
}

// The relative-humidity curves are those of the chart's pressure: every vertex, read back through
// the chart's mapping, has a whole ten per cent at 600 mmHg and does not at 760 mmHg (x at a
// given RH is about 0.62194 φ p_ws / (p − φ p_ws), a quarter higher at 600 mmHg).
TEST(ChartConstruction, RelativeHumidityCurvesAreThoseOfTheChartsPressure) {
    ChartSettings s;
    s.pressureMmHg = 600;
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    ASSERT_TRUE(constructChart(s, m, f, t, ChartLayout::AsFitted));
    const MoistAir site(600), sea(760);
    int vertices = 0, offAtSea = 0;
    for (const ChartElement& e : t.elements()) {
        if (e.kind != kRelativeHumidityLine) continue;
        for (const ChartPoint p : {ChartPoint{e.c1, e.c2}, ChartPoint{e.c3, e.c4}}) {
            if (p.y <= f.Ytop + 1e-9) continue;  // cut at the chart's top: not a curve vertex
            const StatePoint q = f.inverse(p.x, p.y);
            const double db = site.ENAH2DB(q.h, q.x);
            const double rh = site.DBAH2RH(db, q.x);
            // Within 1e-4 of the RH: at 0 °C the curve takes the saturation pressure over water
            // and the read-back, a hair below 0 °C, over ice.
            EXPECT_NEAR(rh, 10 * std::round(rh / 10), 1e-4 * rh) << db << " °C, x " << q.x;
            const double rhSea = sea.DBAH2RH(sea.ENAH2DB(q.h, q.x), q.x);
            if (std::fabs(rhSea - 10 * std::round(rhSea / 10)) > 0.5) ++offAtSea;
            ++vertices;
        }
    }
    EXPECT_GT(vertices, 100);
    EXPECT_GT(offAtSea, vertices / 2) << "the same points are no whole RH at 760 mmHg";
}
