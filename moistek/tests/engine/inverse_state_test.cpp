#include <gtest/gtest.h>

#include "engine_test_support.h"

using M = MoistekClass;

struct SolverCase {
    const char* name;
    BinaryMethod method;
    double a, b;
    int result;
    double db;
    double tolerance;
    friend void PrintTo(const SolverCase& c, std::ostream* os) { *os << c.name; }
};

class DryBulbSolver : public testing::TestWithParam<SolverCase> {};

TEST_P(DryBulbSolver, MatchesReference) {
    const SolverCase& c = GetParam();
    M m;
    const Outcome o = call(m, c.method, c.a, c.b, 42);
    EXPECT_EQ(o.result, c.result);
    EXPECT_NEAR(o.value, c.db, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Reference, DryBulbSolver,
    testing::Values(SolverCase{"rhAh", &M::F_RHAH2DB, 50, kRefAH, 1, 20, 1e-8},
                    SolverCase{"rhEn", &M::F_RHEN2DB, 50, kRefEN, 1, 20, 1e-8},
                    SolverCase{"rhWb", &M::F_RHWB2DB, 50, kRefWB, 1, 20, 1e-8},
                    SolverCase{"rhSv", &M::F_RHSV2DB, 50, kRefSV, 1, 20, 1e-8},
                    SolverCase{"svEn", &M::F_SVEN2DB, kRefSV, kRefEN, 1, 20, 1e-8},
                    SolverCase{"svEnFarAbove", &M::F_SVEN2DB, 2, kRefEN, 1, 716.14, 1e-2},
                    SolverCase{"saturatedTooHumid", &M::F_RHAH2DB, 100, 1.5, -1, 0, 0},
                    SolverCase{"zeroHumidityNeverMeets", &M::F_RHAH2DB, 0, 0.01, -1, 0, 0},
                    SolverCase{"everyTrialOvershoots", &M::F_RHAH2DB, 50, -1, 1, -270, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CompleteState, ReferenceStateFromEveryPair) {
    M m;
    const Positions ref = complete(m, &M::C_DBRH, {0, {20, 50, 9, 9, 9, 9, 9}});
    ASSERT_EQ(ref.result, 1);
    EXPECT_NEAR(ref.p[2], 0.0072630, 1e-7);
    EXPECT_NEAR(ref.p[3], 9.2037, 1e-4);
    EXPECT_NEAR(ref.p[4], 0.84015, 1e-5);
    EXPECT_NEAR(ref.p[5], 13.7801, 1e-4);
    EXPECT_NEAR(ref.p[6], 9.2737, 1e-4);

    struct PairCase {
        CompleteMethod method;
        int first, second;
        int soughtIndex;
        double expected;
        double tolerance;
    } const cases[] = {
        {&M::C_RHAH, 1, 2, 0, 20, 1e-8},         {&M::C_RHEN, 1, 3, 0, 20, 1e-8},
        {&M::C_RHWB, 1, 5, 0, 20, 1e-8},         {&M::C_RHSV, 1, 4, 0, 20, 1e-8},
        {&M::C_AHEN, 2, 3, 0, 20, 1e-12},        {&M::C_ENSV, 3, 4, 0, 20, 1e-8},
        {&M::C_AHWB, 2, 5, 0, 20, 1e-7},         {&M::C_AHSV, 2, 4, 0, 20, 1e-12},
        {&M::C_DBAH, 0, 2, 5, ref.p[5], 0},      {&M::C_DBEN, 0, 3, 2, ref.p[2], 1e-15},
        {&M::C_DBWB, 0, 5, 2, 0.0072575, 1e-12}, {&M::C_DBSV, 0, 4, 2, 0.0072575, 1e-12},
        {&M::C_WBSV, 5, 4, 2, 0.0072575, 1e-12},
    };
    for (const PairCase& c : cases) {
        Positions in{0, {-1, -1, -1, -1, -1, -1, -1}};
        in.p[c.first] = ref.p[c.first];
        in.p[c.second] = ref.p[c.second];
        const Positions out = complete(m, c.method, in);
        EXPECT_EQ(out.result, 1);
        EXPECT_NEAR(out.p[c.soughtIndex], c.expected, c.tolerance)
            << "pair " << c.first << "," << c.second;
        EXPECT_EQ(out.p[c.first], ref.p[c.first]) << "inputs are never written";
        EXPECT_EQ(out.p[c.second], ref.p[c.second]);
        for (double v : out.p) EXPECT_NE(v, -1) << "every other position is written";
    }
}

TEST(CompleteState, FailuresKeepWhatEarlierStepsWrote) {
    M m;
    // The enthalpy line meets zero humidity at about 38.36 °C: refused, nothing written.
    const Positions dben = complete(m, &M::C_DBEN, {0, {50, 7, 7, 9.2037, 7, 7, 7}});
    EXPECT_EQ(dben.result, -1);
    for (int i : {1, 2, 4, 5, 6}) EXPECT_EQ(dben.p[i], 7);
    // C_ENWB always refuses and writes nothing.
    const Positions enwb = complete(m, &M::C_ENWB, {0, {1, 2, 3, 9.2, 5, 13.7, 7}});
    EXPECT_EQ(enwb.result, -1);
    const double untouched[7] = {1, 2, 3, 9.2, 5, 13.7, 7};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(enwb.p[i], untouched[i]);
    // The first step fails: its output is 0, later positions untouched.
    const Positions dbrh = complete(m, &M::C_DBRH, {0, {400, 50, 7, 7, 7, 7, 7}});
    EXPECT_EQ(dbrh.result, -1);
    EXPECT_EQ(dbrh.p[2], 0);
    for (int i : {3, 4, 5, 6}) EXPECT_EQ(dbrh.p[i], 7);
    // A later step fails: earlier outputs stay. At 200 °C and 5 % the wet-bulb search reaches
    // the boiling point after AH, EN and SV were written; DP is never reached.
    const Positions late = complete(m, &M::C_DBRH, {0, {200, 5, 7, 7, 7, 7, 7}});
    EXPECT_EQ(late.result, -1);
    EXPECT_NEAR(late.p[2], 2.0508, 1e-4);
    EXPECT_NEAR(late.p[3], 1454.23, 1e-2);
    EXPECT_NEAR(late.p[4], 5.7599, 1e-4);
    EXPECT_EQ(late.p[5], 0);
    EXPECT_EQ(late.p[6], 7);
}

TEST(CompleteState, SweepRoundTrips) {
    M m;
    for (double db = -10; db <= 50; db += 6)
        for (double rh = 10; rh <= 100; rh += 15) {
            const Positions s = complete(m, &M::C_DBRH, {0, {db, rh, 0, 0, 0, 0, 0}});
            ASSERT_EQ(s.result, 1);
            const Positions back = complete(m, &M::C_AHEN, {0, {0, 0, s.p[2], s.p[3], 0, 0, 0}});
            ASSERT_EQ(back.result, 1);
            EXPECT_NEAR(back.p[0], db, 1e-9);
            EXPECT_NEAR(back.p[1], rh, 1e-7);
            const Positions viaRh = complete(m, &M::C_RHEN, {0, {0, rh, 0, s.p[3], 0, 0, 0}});
            ASSERT_EQ(viaRh.result, 1);
            EXPECT_NEAR(viaRh.p[0], db, 1e-8);
        }
}
