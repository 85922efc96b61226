#include <gtest/gtest.h>

#include <cmath>

#include "engine_test_support.h"

using M = MoistekClass;

struct ForwardCase {
    const char* name;
    BinaryMethod method;
    double a, b;
    int mode;
    int result;
    double value;
    double tolerance;
    friend void PrintTo(const ForwardCase& c, std::ostream* os) { *os << c.name; }
};

class Forward : public testing::TestWithParam<ForwardCase> {};

TEST_P(Forward, MatchesReference) {
    const ForwardCase& c = GetParam();
    M m;
    m.Mode = c.mode;
    const Outcome o = call(m, c.method, c.a, c.b, 123);
    EXPECT_EQ(o.result, c.result);
    EXPECT_NEAR(o.value, c.value, c.tolerance);
    EXPECT_EQ(m.Mode, c.mode) << "the unit mode is the caller's after the call";
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceState, Forward,
    testing::Values(
        ForwardCase{"enthalpy", &M::F_DBAH2EN, kRefDB, kRefAH, 0, 1, 9.2037, 1e-4},
        ForwardCase{"enthalpySi", &M::F_DBAH2EN, kRefDB, kRefAH, 1, 1, 38.534, 1e-3},
        ForwardCase{"enLineAh", &M::F_ENDB2AH, kRefEN, kRefDB, 0, 1, kRefAH, 1e-15},
        ForwardCase{"enLineDb", &M::F_ENAH2DB, kRefEN, kRefAH, 0, 1, kRefDB, 1e-12},
        ForwardCase{"volume", &M::F_DBAH2SV, kRefDB, kRefAH, 0, 1, 0.84015, 1e-5},
        ForwardCase{"volumeLineDb", &M::F_SVAH2DB, kRefSV, kRefAH, 0, 1, kRefDB, 1e-12},
        ForwardCase{"wetBulb", &M::F_DBAH2WB, kRefDB, kRefAH, 0, 1, 13.7801, 1e-4},
        ForwardCase{"wetBulbLineDb", &M::F_WBAH2DB, kRefWB, kRefAH, 0, 1, kRefDB, 1e-7},
        ForwardCase{"relativeHumidity", &M::F_DBAH2RH, kRefDB, kRefAH, 0, 1, 50.000, 1e-9},
        ForwardCase{"relativeHumiditySi", &M::F_DBAH2RH, kRefDB, kRefAH, 1, 1, 50.0, 1e-9},
        ForwardCase{"saturationDegree", &M::F_DBAH2RV, kRefDB, kRefAH, 0, 1, 49.416, 1e-3},
        ForwardCase{"psychrometer", &M::F_DBWB2RH, kRefDB, kRefWB, 0, 1, 49.55, 1e-2},
        ForwardCase{"psychrometerSi", &M::F_DBWB2RH, kRefDB, kRefWB, 1, 1, 49.55, 1e-2},
        ForwardCase{"dryWetToAh", &M::F_DBWB2AH, kRefDB, kRefWB, 0, 1, 0.0072575, 1e-12},
        ForwardCase{"dryVolumeToAh", &M::F_DBSV2AH, kRefDB, kRefSV, 0, 1, 0.0072575, 1e-12},
        ForwardCase{"volumeWetToAh", &M::F_SVWB2AH, kRefSV, kRefWB, 0, 1, 0.0072575, 1e-12}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Edges, Forward,
    testing::Values(ForwardCase{"dryAirWetBulb", &M::F_DBAH2WB, 20, 0, 0, 1, 5.826, 1e-3},
                    ForwardCase{"hugeRatioWetBulb", &M::F_DBAH2WB, 20, 20000, 0, 1, 100, 0},
                    ForwardCase{"everyTrialOvershoots", &M::F_DBWB2AH, 20, 5, 0, 1,
                                -2.5000000000007655e-06, 0},
                    ForwardCase{"rhPastCritical", &M::F_DBAH2RH, 400, 0.01, 0, -1, 0, 0},
                    ForwardCase{"rhPastCriticalSi", &M::F_DBAH2RH, 400, 0.01, 1, -1, 0, 0},
                    ForwardCase{"enthalpyLineAtZeroDivisor", &M::F_ENDB2AH, 1,
                                -597.5 / 0.4410000145435333, 0, -1, 0, 0},
                    ForwardCase{"volumeLineOverflow", &M::F_SVAH2DB, 1e308, 0, 0, -1, 0, 0},
                    ForwardCase{"enthalpyOverflow", &M::F_DBAH2EN, 1e300, 1e300, 0, -1, 0, 0},
                    ForwardCase{"wetBulbNoSaturation", &M::F_WBAH2DB, 100, 0.01, 0, -1, 0, 0},
                    ForwardCase{"wetBulbSearchFails", &M::F_DBAH2WB, 150, 2, 0, -1, 0, 0},
                    ForwardCase{"volumeWetSearchFails", &M::F_SVWB2AH, 0.84, 120, 0, -1, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WetBulb, SaturatedAirAndIce) {
    M m;
    for (double t : {-30.0, -5.0, 0.5, 20.0, 45.0, 80.0}) {
        const double xs = call(m, &M::F_DBRH2AH, t, 100).value;
        const Outcome wb = call(m, &M::F_DBAH2WB, t, xs);
        ASSERT_EQ(wb.result, 1) << t;
        EXPECT_NEAR(wb.value, t, 1e-8) << "the wet bulb of saturated air is its dry bulb";
    }
    const double ah = call(m, &M::F_DBRH2AH, -5, 50).value;
    EXPECT_NEAR(call(m, &M::F_DBAH2WB, -5, ah).value, -7.257, 1e-3) << "ice branch";
}

TEST(WetBulb, SweepInvertsDryBulbLine) {
    M m;
    for (double db = -20; db <= 60; db += 7.3)
        for (double rh = 5; rh <= 100; rh += 19) {
            const double ah = call(m, &M::F_DBRH2AH, db, rh).value;
            const Outcome wb = call(m, &M::F_DBAH2WB, db, ah);
            ASSERT_EQ(wb.result, 1);
            EXPECT_LE(wb.value, db + 1e-8);
            // The dry bulb of the found wet bulb lies at or just below db.
            const double back = call(m, &M::F_WBAH2DB, wb.value, ah).value;
            EXPECT_LE(back, db) << db << " " << rh;
            EXPECT_NEAR(back, db, 1e-7) << db << " " << rh;
        }
}

TEST(ModeSwitching, RestoredOnEveryPath) {
    for (int mode : {0, 1, 7}) {
        M m;
        m.Mode = mode;
        call(m, &M::F_DBAH2RH, 20, 0.01);
        EXPECT_EQ(m.Mode, mode);
        call(m, &M::F_DBAH2RH, 400, 0.01);  // fails on the saturation pressure
        EXPECT_EQ(m.Mode, mode);
        call(m, &M::F_DBAH2RH, 20, -0.6219360530395339);  // fails on the divisor
        EXPECT_EQ(m.Mode, mode);
        call(m, &M::F_DBWB2RH, 20, 10);
        EXPECT_EQ(m.Mode, mode);
        call(m, &M::F_DBWB2RH, 20, 500);
        EXPECT_EQ(m.Mode, mode);
    }
}

TEST(Psychrometer, OutputWrittenOnlyOnSuccess) {
    M m;
    EXPECT_EQ(call(m, &M::F_DBWB2RH, 400, 10, 5.0).value, 5.0);
    EXPECT_EQ(call(m, &M::F_DBWB2RH, 20, -300, 5.0).value, 5.0);
    EXPECT_EQ(call(m, &M::F_DBWB2RH, -273.14999, -300, 5.0).result, -1);
    // WB = 0 takes the ice coefficient.
    const double atZero = call(m, &M::F_DBWB2RH, 10, 0).value;
    const double above = call(m, &M::F_DBWB2RH, 10, 1e-300).value;
    EXPECT_GT(atZero, above);
}

TEST(HumiditySearch, ResultsOnTheSearchGrid) {
    M m;
    for (double db = 0; db <= 40; db += 5)
        for (double rh = 10; rh <= 90; rh += 20) {
            const double ah = call(m, &M::F_DBRH2AH, db, rh).value;
            const double wb = call(m, &M::F_DBAH2WB, db, ah).value;
            const Outcome x = call(m, &M::F_DBWB2AH, db, wb);
            ASSERT_EQ(x.result, 1);
            EXPECT_LE(x.value, ah + 1e-12);
            EXPECT_GT(x.value, ah - 1e-5 - 1e-12);
            const double steps = (x.value + 0.0000025) / 0.00001;
            EXPECT_NEAR(steps, std::round(steps), 1e-6) << "-0.0000025 plus whole steps";
        }
}
