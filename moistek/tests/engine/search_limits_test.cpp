// The limits of the step searches: the trial budget, the fixed answers for huge humidity
// ratios, and the enthalpy line's edge at a humidity ratio of −TolX.
#include <gtest/gtest.h>

#include <cmath>

#include "engine_test_support.h"

using M = MoistekClass;

namespace {
// The k-th trial of a humidity search: −0.0000025 + k·0.01 (summed step by step; after 10^5
// additions the rounding is far below the 5e-6 margins used here).
double humidityTrial(int k) {
    return -0.0000025 + 0.01 * k;
}
}  // namespace

TEST(SearchLimits, AHundredThousandTrialsBelowTheTargetAtMost) {
    // The volume line's dry bulb falls as the humidity ratio grows. A target 5e-6 kg/kg past
    // the k-th trial makes trials 1 … k land below it and every finer level overshoot at once
    // (0.001, 0.0001 and 0.00001 are all larger than 5e-6), so the search counts exactly k
    // trials below the target.
    M m;
    const double sv = 0.84;
    // The dry bulb the line reaches 5e-6 past trial k: an input, placed with the line itself.
    auto targetPast = [&](int k) {
        double v = humidityTrial(k) + 5e-6, s = sv, db = 0;
        EXPECT_EQ(m.F_SVAH2DB(s, v, db), 1);
        return db;
    };
    double db = targetPast(100000);
    Outcome o = call(m, &M::F_DBSV2AH, db, sv, 5);
    EXPECT_EQ(o.result, 1) << "100 000 trials are allowed";
    EXPECT_NEAR(o.value, humidityTrial(100000), 1e-7);
    db = targetPast(100001);
    o = call(m, &M::F_DBSV2AH, db, sv, 5);
    EXPECT_EQ(o.result, -1) << "the 100 001st is one too many";
    EXPECT_EQ(o.value, 0);
}

TEST(SearchLimits, HugeRatiosGetFixedAnswers) {
    // Above 10000 kg/kg the wet bulb is 100 °C and the dew point 99.99999 °C, without a search.
    M m;
    const Outcome wb = call(m, &M::F_DBAH2WB, 20, 10000.5, 5);
    EXPECT_EQ(wb.result, 1);
    EXPECT_EQ(wb.value, 100);
    const Outcome dp = call(m, &M::F_AH2DP, 10000.5, 5);
    EXPECT_EQ(dp.result, 1);
    EXPECT_EQ(dp.value, 99.99999);
}

TEST(SearchLimits, EnthalpyPairAcceptedUpToTheLinesEdge) {
    // The enthalpy line 10 kcal/kg reaches x = −TolX at DB = (10 + 597.5·0.0000025)/
    // (0.24 − 0.441·0.0000025) = 41.673… °C; at that dry bulb the pair is still accepted, and
    // the humidity ratio written is the edge's, −0.0000025.
    M m;
    double edge = -m.TolX, en = 10, dbMax = 0;
    ASSERT_EQ(m.F_ENAH2DB(en, edge, dbMax), 1);
    EXPECT_NEAR(dbMax, (10 + 597.5 * 0.0000025) / (0.24 - 0.441 * 0.0000025), 1e-5);
    Positions at = complete(m, &M::C_DBEN, {0, {dbMax, 7, 7, 10, 7, 7, 7}});
    EXPECT_NEAR(at.p[2], -0.0000025, 1e-12) << "the humidity ratio is written";
    Positions past =
        complete(m, &M::C_DBEN, {0, {std::nextafter(dbMax, 100.0), 7, 7, 10, 7, 7, 7}});
    EXPECT_EQ(past.result, -1);
    EXPECT_EQ(past.p[2], 7) << "refused before anything is written";
}
