// Every way a relation refuses: the result is exactly −1 (callers of the library compare with
// it) and the output is 0, or untouched where the relation writes only on success.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine_test_support.h"

using M = MoistekClass;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Refusal {
    const char* name;
    BinaryMethod method;
    double a, b;
    double pa;      // total pressure, mmHg
    double output;  // what the output holds afterwards (the call starts it at 5)
    friend void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }
};

class Refusals : public testing::TestWithParam<Refusal> {};

}  // namespace

TEST_P(Refusals, MinusOneAndTheOutputAsDocumented) {
    const Refusal& c = GetParam();
    for (int mode : {0, 1}) {
        M m;
        m.Mode = mode;
        m.PA = c.pa;
        const Outcome o = call(m, c.method, c.a, c.b, 5);
        EXPECT_EQ(o.result, -1) << "mode " << mode;
        EXPECT_EQ(o.value, c.output) << "mode " << mode;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forward, Refusals,
    testing::Values(
        // vapour pressure ↔ humidity ratio
        Refusal{"vapourAboveTotal", &M::F_PAPW2AH, 760, 800, 760, 0},
        Refusal{"vapourMinusInfinity", &M::F_PAPW2AH, 760, -kInf, 760, 0},
        Refusal{"saturationFailsForRatio", &M::F_DBRH2AH, 400, 50, 760, 0},
        // enthalpy
        Refusal{"enthalpyInfinite", &M::F_DBAH2EN, 20, kInf, 760, 0},
        Refusal{"enthalpyLineInfiniteDryBulb", &M::F_ENDB2AH, 10, kInf, 760, 0},
        Refusal{"enthalpyLineInfiniteEnthalpy", &M::F_ENDB2AH, kInf, 20, 760, 0},
        Refusal{"enthalpyLineInfiniteRatio", &M::F_ENAH2DB, 10, kInf, 760, 0},
        Refusal{"enthalpyLineDryBulbOverflows", &M::F_ENAH2DB, kInf, 0.01, 760, 0},
        // specific volume
        Refusal{"volumeAtZeroPressure", &M::F_DBAH2SV, 20, 0.01, 0, 0},
        Refusal{"volumeAtInfinitePressure", &M::F_DBAH2SV, 20, 0.01, kInf, 0},
        Refusal{"volumeLineInfiniteRatio", &M::F_SVAH2DB, 0.8, kInf, 760, 0},
        // wet bulb
        Refusal{"wetBulbPastCritical", &M::F_WBAH2DB, 400, 0.01, 760, 0},
        Refusal{"wetBulbInfiniteRatio", &M::F_WBAH2DB, 20, kInf, 760, 0},
        Refusal{"wetBulbDryBulbOverflows", &M::F_WBAH2DB, 20, -1e308, 760, 0},
        // relative humidity and degree of saturation
        Refusal{"humidityAtAbsoluteZero", &M::F_DBAH2RH, -273.14999, 0.01, 760, 0},
        Refusal{"humidityInfiniteRatio", &M::F_DBAH2RH, 20, kInf, 760, 0},
        Refusal{"humidityOverflows", &M::F_DBAH2RH, 20, 1e308, 760, 0},
        Refusal{"saturationDegreePastCritical", &M::F_DBAH2RV, 400, 0.01, 760, 0},
        // the psychrometer writes only on success
        Refusal{"psychrometerDryPastCritical", &M::F_DBWB2RH, 400, 10, 760, 5},
        Refusal{"psychrometerWetBelowAbsoluteZero", &M::F_DBWB2RH, 20, -300, 760, 5},
        Refusal{"psychrometerNoSaturationLeft", &M::F_DBWB2RH, -273.14999, -273.1499, 760, 5},
        Refusal{"psychrometerQuotientOverflows", &M::F_DBWB2RH, -265.15, -273.1, 760, 5},
        // searches
        Refusal{"dryWetSearchFails", &M::F_DBWB2AH, NAN, 10, 760, 0},
        Refusal{"dryVolumeSearchFails", &M::F_DBSV2AH, 20, kInf, 760, 0},
        Refusal{"dewPointSearchFails", &M::F_RHAH2DB, 50, NAN, 760, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Refusals, DewPointAndSaturationPressureExactlyMinusOne) {
    M m;
    EXPECT_EQ(call(m, &M::F_DB2PWS, 373.946, 5).result, -1);
    EXPECT_EQ(call(m, &M::F_DB2PWS, -273.15, 5).result, -1);
    EXPECT_EQ(call(m, &M::F_AH2DP, 5, 5).result, -1);
    EXPECT_EQ(call(m, &M::F_AH2DP, 5, 5).value, 0);
}
