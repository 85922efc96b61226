#include <gtest/gtest.h>

#include <cmath>

#include "chart/construction.h"
#include "chart/view_transform.h"
#include "moistek/moistek.h"

using namespace humidraw;

namespace {

ChartFrame built(const ChartSettings& s) {
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    EXPECT_TRUE(constructChart(s, m, f, t).ok());
    return f;
}

constexpr double kDegree = 3.14159265358979323846 / 180;

}  // namespace

TEST(ChartFrame, DefaultRangesAndCounts) {
    const ChartFrame f = built(ChartSettings{});
    EXPECT_EQ(f.nDB, 50);
    EXPECT_EQ(f.nRH, 10);
    EXPECT_EQ(f.AHmax, 0.065) << "saturation at 45 °C to three decimals";
    EXPECT_NEAR(MoistAir().saturationRatio(45), 0.0652, 5e-4);
    EXPECT_EQ(f.ENmin, -1);
    EXPECT_EQ(f.ENmax, 51);
    EXPECT_EQ(f.SVmin, 0.76);
    EXPECT_NEAR(f.theta / kDegree, 38.1, 0.05);
    EXPECT_LT(f.k2, 0);
    EXPECT_EQ(f.OY, 408);
    EXPECT_EQ(f.Ytop, 30);
    // The fitting's guarantee: k1 follows from k2.
    EXPECT_NEAR(f.k1, -std::cos(f.theta) * f.k2 * f.ENstep / (f.DBstep * 0.24), 1e-12);
    // The saturation curve spans the width.
    const double xs45 = MoistAir().saturationRatio(45), xsm5 = MoistAir().saturationRatio(-5);
    EXPECT_GT(f.map(V_DBAH2EN(45, xs45), xs45).x, 570);
    EXPECT_LT(f.map(V_DBAH2EN(-5, xsm5), xsm5).x, 50);
}

TEST(ChartFrame, UpperIsothermIsVertical) {
    const ChartFrame f = built(ChartSettings{});
    // Vertical to the precision of the engine's single-precision heat constants.
    const double X0 = f.map(V_DBAH2EN(45, 0), 0).x;
    for (double x : {0.005, 0.02, 0.05, 0.065})
        EXPECT_NEAR(f.map(V_DBAH2EN(45, x), x).x, X0, 1e-5) << x;
    // Other isotherms lean slightly.
    EXPECT_GT(std::fabs(f.map(V_DBAH2EN(0, 0.003), 0.003).x - f.map(V_DBAH2EN(0, 0), 0).x), 1e-3);
}

TEST(ChartFrame, InverseMappingRoundTripAtAnyZoom) {
    const ChartFrame f = built(ChartSettings{});
    for (double zoom : {0.3, 1.0, 1.875, 5.6}) {
        const ViewTransform view{zoom};
        for (double h : {-1.0, 9.2, 30.0})
            for (double x : {0.0, 0.0072, 0.03}) {
                const ChartPoint p = stateToScreen(f, view, h, x);
                const StatePoint back = stateAtScreen(f, view, p.x, p.y);
                EXPECT_NEAR(back.h, h, 1e-9);
                EXPECT_NEAR(back.x, x, 1e-12);
            }
    }
}

TEST(ChartFrame, SiUnitsAndPressureMoveNoState) {
    ChartSettings si;
    si.units = UnitSystem::SI;
    ChartSettings pressure;
    pressure.pressureMmHg = 700;
    const ChartFrame a = built(ChartSettings{}), b = built(si), c = built(pressure);
    EXPECT_EQ(b.ENstep, 5);
    EXPECT_NEAR(b.theta / kDegree, 7.1, 0.05);
    EXPECT_NE(a.k1, b.k1);
    for (double h : {0.0, 12.0, 25.0})
        for (double x : {0.0, 0.01, 0.02}) {
            EXPECT_NEAR(a.map(h, x).x, b.map(h, x).x, 1e-9);
            EXPECT_NEAR(a.map(h, x).y, b.map(h, x).y, 1e-9);
            EXPECT_EQ(a.map(h, x).x, c.map(h, x).x);
        }
}

TEST(ChartFrame, UnfittableLimitsRefusedAndPreviousChartKept) {
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    ASSERT_TRUE(constructChart(ChartSettings{}, m, f, t).ok());
    const size_t before = t.elements().size();
    const double k2 = f.k2;
    const std::string reversed = "乾球温度の下限は上限より低くしてください ";
    const std::string notAboveZero = "乾球温度の上限は0℃より高くしてください ";
    const std::string noChart = "この乾球温度の範囲では線図を作成できません ";
    // Each limit with one decimal; one no chart could have in a short exponent form.
    struct Case {
        double lo, hi;
        std::string message;
    } const cases[] = {
        {30, 30, reversed + "(30.0～30.0℃)"},
        {40, 30, reversed + "(40.0～30.0℃)"},
        {-20, 0, notAboveZero + "(-20.0～0.0℃)"},
        {-30, -5, notAboveZero + "(-30.0～-5.0℃)"},
        {NAN, 30, noChart + "(nan～30.0℃)"},
        {INFINITY, 30, noChart + "(inf～30.0℃)"},
        {-1e308, 45, noChart + "(-1e+308～45.0℃)"},
    };
    for (const Case& c : cases) {
        ChartSettings s;
        s.dbMin = c.lo;
        s.dbMax = c.hi;
        const Failure expected = failure(Reason::Invalid, c.message);
        EXPECT_EQ(constructChart(s, m, f, t).failure(), expected) << c.lo << " " << c.hi;
        EXPECT_EQ(noChartMessage(s), c.message);
        EXPECT_EQ(t.elements().size(), before);
        EXPECT_EQ(f.k2, k2);
        if (c.lo >= c.hi || c.hi <= 0) {
            EXPECT_EQ(checkLimits(s).failure(), expected) << "refused before any computing";
        }
    }
    ChartSettings fine;
    EXPECT_TRUE(checkLimits(fine).ok());
}

TEST(ChartFrame, EveryRangeTheOptionsAllowGivesFiniteElements) {
    FakeTextMetrics m;
    for (int lo = -20; lo <= 60; lo += 4)
        for (int hi = 30; hi <= 80; hi += 5) {
            if (lo >= hi) continue;
            ChartSettings s;
            s.dbMin = lo;
            s.dbMax = hi;
            for (bool si : {false, true}) {
                s.units = si ? UnitSystem::SI : UnitSystem::Engineering;
                ChartFrame f;
                ChartTable t;
                ASSERT_TRUE(constructChart(s, m, f, t).ok()) << lo << " " << hi;
                EXPECT_EQ(t.refused(), 0) << lo << " " << hi << " si " << si;
                EXPECT_LE(t.elements().size(), 6000u);
            }
        }
}

TEST(ChartFrame, NarrowWarmRangeStartsOnTheTopBorder) {
    // The lower limit's saturation point lies above the top border: the 100 % curve is reduced
    // to its start on the border instead of dividing zero by zero.
    ChartSettings s;
    s.dbMin = 20;
    s.dbMax = 30;
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    ASSERT_TRUE(constructChart(s, m, f, t).ok());
    EXPECT_EQ(t.refused(), 0);
    for (const ChartElement& e : t.elements()) {
        ASSERT_TRUE(std::isfinite(e.c1) && std::isfinite(e.c2) && std::isfinite(e.c3) &&
                    std::isfinite(e.c4));
        if (e.kind == kRelativeHumidityLine) {
            EXPECT_GE(std::min(e.c2, e.c4), f.Ytop - 1e-9);
        }
    }
}

TEST(ChartLimits, PressureAndTheUpperLimitItAllows) {
    // The humidity ratio at saturation at the upper limit may be at most 1.7 kg/kg: by the ideal
    // gas, x = 0.62194 p_ws / (p − p_ws) with ASHRAE's p_ws, at 400 mmHg
    //   76 °C: p_ws = 40.18 kPa = 301.4 mmHg, x = 0.62194 × 301.4 / 98.6 = 1.90 (refused),
    //   75 °C: p_ws = 38.58 kPa = 289.4 mmHg, x = 0.62194 × 289.4 / 110.6 = 1.63 (allowed);
    // at 500 mmHg, 80 °C: p_ws = 47.39 kPa = 355.5 mmHg, x = 0.62194 × 355.5 / 144.5 = 1.53.
    const struct {
        double p, dbMax;
        const char* refusal;  // "" allowed
    } cases[] = {
        {760, 80, ""},
        {500, 80, ""},
        {400, 75, ""},
        {400, 76, "大気圧 400mmHg では乾球温度の上限を75℃以下にしてください"},
        {400, 80, "大気圧 400mmHg では乾球温度の上限を75℃以下にしてください"},
        {399, 45, "大気圧は400〜800mmHgの範囲で指定してください"},
        {801, 45, "大気圧は400〜800mmHgの範囲で指定してください"},
        {NAN, 45, "大気圧は400〜800mmHgの範囲で指定してください"},
    };
    for (const auto& c : cases) {
        ChartSettings s;
        s.pressureMmHg = c.p;
        s.dbMax = c.dbMax;
        const Status st = checkLimits(s);
        EXPECT_EQ(st.error(), c.refusal) << c.p << " mmHg, " << c.dbMax << " °C";
    }
    EXPECT_EQ(highestUpperLimit(760), 80);
    EXPECT_EQ(highestUpperLimit(400), 75);
}
