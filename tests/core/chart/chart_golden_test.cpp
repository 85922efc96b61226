// The chart's geometry against golden files written once and reviewed: the frame (ranges,
// counts, skew, scale factors, origin) for a spread of dry-bulb ranges in both layouts and unit
// systems, and every element of the default chart. A nudged fitting constant moves the scale of
// at least one of these ranges; the hand computation below checks the default frame on its own.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/construction.h"
#include "golden.h"

using namespace humidraw;
using humidraw::testing::goldenLine;
using humidraw::testing::goldenNumber;

namespace {

// The golden file's outcome column: 0 built, 1 reversed limits, 2 an upper limit not above 0 °C,
// 3 a range that cannot be computed.
int outcomeColumn(const Status& st, const ChartSettings& s) {
    if (st) return 0;
    if (limitsReversed(s)) return 1;
    if (upperLimitNotAboveZero(s)) return 2;
    return 3;
}

std::string frameLine(const ChartSettings& s, ChartLayout layout) {
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    const Status st = constructChart(s, m, f, t, layout);
    const std::vector<std::string> head = {
        goldenNumber(s.dbMin), goldenNumber(s.dbMax), s.isSI() ? "si" : "kcal",
        layout == ChartLayout::OnSheet ? "sheet" : "fitted", std::to_string(outcomeColumn(st, s))};
    if (!st) return goldenLine(head);
    std::vector<std::string> fields = head;
    for (double v : {f.AHmax, f.ENmin, f.ENmax, f.WBmin, f.WBmax, f.SVmin, f.SVmax, f.nDB, f.nAH,
                     f.nRH, f.nEN, f.nWB, f.nSV, f.theta, f.k1, f.k2, f.OX, f.OY, f.Ytop})
        fields.push_back(goldenNumber(v));
    fields.push_back(std::to_string(t.elements().size()));
    fields.push_back(std::to_string(t.refused()));
    return goldenLine(fields);
}

std::string elementLines(const ChartSettings& s) {
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    if (!constructChart(s, m, f, t)) return "not constructed\n";
    std::string out;
    for (const ChartElement& e : t.elements())
        out += goldenLine({std::to_string(e.kind), goldenNumber(e.c1), goldenNumber(e.c2),
                           goldenNumber(e.c3), goldenNumber(e.c4), e.text});
    return out;
}

ChartFrame defaultFrame() {
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    EXPECT_TRUE(constructChart(ChartSettings{}, m, f, t).ok());
    return f;
}

}  // namespace

TEST(ChartGolden, FrameOfEachRangeLayoutAndUnit) {
    std::string out;
    for (double lo : {-20.0, -10.0, -5.0, 0.0, 5.0, 12.5, 20.0})
        for (double hi : {15.0, 30.0, 38.0, 45.0, 50.0, 60.0, 80.0})
            for (bool si : {false, true})
                for (ChartLayout layout : {ChartLayout::AsFitted, ChartLayout::OnSheet}) {
                    if (lo >= hi) continue;
                    ChartSettings s;
                    s.dbMin = lo;
                    s.dbMax = hi;
                    s.units = si ? UnitSystem::SI : UnitSystem::Engineering;
                    out += frameLine(s, layout);
                }
    humidraw::testing::expectMatchesGolden("core/chart/golden/frames.txt", out);
}

TEST(ChartGolden, EveryElementOfTheDefaultChart) {
    humidraw::testing::expectMatchesGolden("core/chart/golden/default_chart.txt",
                                           elementLines(ChartSettings{}));
}

TEST(ChartGolden, EveryElementOfTheDefaultSiChart) {
    ChartSettings si;
    si.units = UnitSystem::SI;
    humidraw::testing::expectMatchesGolden("core/chart/golden/default_si_chart.txt", elementLines(si));
}

// The default frame by hand (−5 … 45 °C, kcal). The skew: sin θ = (45 × 0.441 + 597.5) × 0.001
// = 0.617345, θ = 38.123°, cos θ = 0.786686.
// With k1 = −cos θ × k2 / 0.24 the saturation point at 45 °C maps to
// X = (h − 617.345 x) × (−k2 / 0.24) + OX = 10.8 × (−k2) / 0.24 + OX = 45 |k2| + OX
// (h = 0.24 × 45 + x (597.5 + 0.441 × 45): the x terms cancel, the isotherm is vertical), and
// the one at −5 °C (x = 0.002474 over ice) to X = (−1.2 − 22.05 x) |k2| / 0.24 + OX
// = −5.2273 |k2| + OX.
// The fitting steps k2 by −0.2 while the first is at most 570 and OX by −1 while the second is
// at least 50; it stops with both: 45 |k2| + OX > 570 and OX − 5.2273 |k2| < 50, hence
// 50.227 |k2| > 520, |k2| > 10.353: k2 = −10.4 (52 steps), k1 = 0.786686 × 10.4 / 0.24 = 34.090,
// and OX the first whole number below 50 + 54.36 = 104.36 with 468 + OX > 570: OX = 104.
TEST(ChartGolden, DefaultFrameByHand) {
    const ChartFrame f = defaultFrame();
    EXPECT_NEAR(f.theta * 180 / 3.14159265358979323846, 38.123, 1e-3);
    EXPECT_NEAR(f.k2, -10.4, 1e-9);
    EXPECT_NEAR(f.k1, 34.090, 1e-3);
    EXPECT_EQ(f.OX, 104);
    EXPECT_EQ(f.OY, 408);
    EXPECT_EQ(f.Ytop, 30);
    // Zero humidity lies on Y = OY, x = 0.01 is 10 steps of 10.4 units higher; the 45 °C
    // isotherm's foot (h = 10.8, x = 0) at 45 × 10.4 + 104.
    EXPECT_NEAR(f.map(0, 0).y, 408, 1e-12);
    EXPECT_NEAR(f.map(0, 0.01).y, 408 - 104, 1e-9);
    EXPECT_NEAR(f.map(10.8, 0).x, 45 * 10.4 + 104, 1e-9);
}

// The first element of the default chart, the −5 °C dry-bulb line, by hand: from x = 0
// (h = −1.2, X = −1.2 × 10.4 / 0.24 + 104 = 52, Y = 408) up to saturation, x = 0.002476 over
// ice: Y = 408 − 2.476 × 10.4 = 382.25, X = (−1.2 − 22.05 × 0.002476) × 43.333 + 104 = 49.63.
TEST(ChartGolden, FirstDryBulbLineByHand) {
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    ASSERT_TRUE(constructChart(ChartSettings{}, m, f, t).ok());
    ASSERT_FALSE(t.elements().empty());
    const ChartElement& e = t.elements().front();
    EXPECT_EQ(e.kind, kDryBulbLine);
    EXPECT_NEAR(e.c1, 52, 1e-5);
    EXPECT_NEAR(e.c2, 408, 1e-12);
    EXPECT_NEAR(e.c3, 49.63, 0.01);
    EXPECT_NEAR(e.c4, 382.25, 0.01);
}
