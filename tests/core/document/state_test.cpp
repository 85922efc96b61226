#include "document/state.h"

#include <gtest/gtest.h>

#include "chart/construction.h"

using namespace humidraw;

TEST(PairState, ComputesAnyPairAndReorders) {
    CurrentState a;
    ASSERT_EQ(pairState(MoistAir(), pairCode(kDB, kRH), 26, 50, a), PairResult::Computed);
    EXPECT_NEAR(a.x, 0.01050, 5e-5);
    EXPECT_EQ(a.DB, 26);
    EXPECT_EQ(a.RH, 50);
    CurrentState b;
    ASSERT_EQ(pairState(MoistAir(), pairCode(kAH, kEN), a.x, a.h, b), PairResult::Computed);
    EXPECT_NEAR(b.DB, 26, 1e-9);
    EXPECT_NEAR(b.RH, 50, 1e-7);
    CurrentState c;
    ASSERT_EQ(pairState(MoistAir(), pairCode(kWB, kSV), a.WB, a.SV, c), PairResult::Computed);
    EXPECT_NEAR(c.x, a.x, 1e-5);
}

TEST(PairState, EnthalpyWithWetBulbStoresOnlyTheTwoValues) {
    CurrentState s;
    s.x = 0.01;
    s.DB = 30;
    ASSERT_EQ(pairState(MoistAir(), pairCode(kEN, kWB), 12, 15, s), PairResult::NotComputable);
    EXPECT_EQ(s.h, 12);
    EXPECT_EQ(s.WB, 15);
    EXPECT_EQ(s.x, 0.01);
    EXPECT_EQ(s.DB, 30);
}

TEST(PairState, UnknownPairChangesNothing) {
    CurrentState s;
    s.DB = 1;
    for (int code : {0, 6, 16, 56, 99, -1}) {
        EXPECT_EQ(pairState(MoistAir(), code, 5, 5, s), PairResult::UnknownPair) << code;
        EXPECT_EQ(s.DB, 1);
        EXPECT_EQ(s.RH, 0);
    }
}

TEST(PairState, FailingMethodLeavesWhatItComputed) {
    CurrentState s;
    s.h = 77;
    // No saturation pressure at 400 °C (beyond the critical point): the first step fails.
    ASSERT_EQ(pairState(MoistAir(), pairCode(kDB, kRH), 400, 50, s), PairResult::Failed);
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.h, 77) << "steps after the failing one write nothing";
}

TEST(ScreenToState, ReadsTheChartBack) {
    FakeTextMetrics m;
    ChartFrame f;
    ChartTable t;
    ASSERT_TRUE(constructChart(ChartSettings{}, m, f, t).ok());
    const ViewTransform view{2, 15, -7};
    CurrentState ref;
    pairState(MoistAir(), pairCode(kDB, kRH), 20, 50, ref);
    const ChartPoint p = stateToScreen(f, view, ref.h, ref.x);
    const CurrentState s = screenToState(f, view, p.x, p.y);
    EXPECT_NEAR(s.DB, 20, 1e-9);
    EXPECT_NEAR(s.RH, 50, 1e-7);
    EXPECT_NEAR(s.WB, ref.WB, 1e-7);
    EXPECT_NEAR(s.SV, ref.SV, 1e-12);
}
