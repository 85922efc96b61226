#include <gtest/gtest.h>

#include <cmath>

#include "engine_test_support.h"

using M = MoistekClass;

TEST(Constants, SinglePrecisionMembersWidenedExactly) {
    const M m;
    EXPECT_EQ(m.Mode, 0);
    EXPECT_EQ(m.AtMmHg, 735.559326171875);
    EXPECT_EQ(m.T0, 273.1499938964844);
    EXPECT_EQ(m.Ma, 28.965999603271484);
    EXPECT_EQ(m.Mw, 18.014999389648438);
    EXPECT_EQ(m.Ra, 29.270000457763672);
    EXPECT_EQ(m.Rw, 47.060001373291016);
    EXPECT_EQ(m.Cpa, 0.23999999463558197);
    EXPECT_EQ(m.Cpv, 0.4410000145435333);
    EXPECT_EQ(m.Lf, 79.69999694824219);
    EXPECT_EQ(m.KcalKJ, 4.186800003051758);
    EXPECT_EQ(m.PA, 760.0);
    EXPECT_EQ(m.Pstd, 760.0);
    EXPECT_EQ(m.HPaMmHg, 0.75006168);
    EXPECT_EQ(m.TolT, 1e-8);
    EXPECT_EQ(m.TolX, 2.5e-6);
    EXPECT_NEAR(m.Mw / m.Ma, 0.62193605, 1e-8);
    // Programs allocate instances themselves: the layout is part of the interface.
    EXPECT_EQ(sizeof(M), 8u + 18u * 8u);
}

struct PwsCase {
    double db;
    int mode;
    int result;
    double pws;
    double tolerance;
    const char* why;
    friend void PrintTo(const PwsCase& c, std::ostream* os) { *os << c.why; }
};

class SaturationPressure : public testing::TestWithParam<PwsCase> {};

TEST_P(SaturationPressure, MatchesReference) {
    const PwsCase& c = GetParam();
    M m;
    m.Mode = c.mode;
    const Outcome o = call(m, &M::F_DB2PWS, c.db, 99);
    EXPECT_EQ(o.result, c.result) << c.why;
    EXPECT_NEAR(o.value, c.pws, c.tolerance) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Reference, SaturationPressure,
    testing::Values(PwsCase{20, 0, 1, 17.546, 1e-3, "water branch, mmHg"},
                    PwsCase{20, 1, 1, 23.392, 1e-3, "water branch, hPa in SI mode"},
                    PwsCase{0, 0, 1, 4.5845, 1e-4, "0 °C takes the water branch"},
                    PwsCase{-0.0001, 0, 1, 4.5840, 1e-4, "just below 0 °C: over ice"},
                    PwsCase{100, 0, 1, 760.70, 1e-2, "100 °C takes the IAPWS branch"},
                    PwsCase{150, 0, 1, 3571.48, 1e-2, "IAPWS, mmHg"},
                    PwsCase{150, 1, 1, 4761.59, 1e-2, "IAPWS, hPa"},
                    PwsCase{-40, 0, 1, 0.096285, 1e-6, "deep ice branch"},
                    PwsCase{-273.14999, 0, 1, 0.0, 0.0, "underflow to zero is no fault"},
                    PwsCase{373.946, 0, -1, 0.0, 0.0, "critical point and above"},
                    PwsCase{-273.15, 0, -1, 0.0, 0.0, "absolute zero"},
                    PwsCase{NAN, 0, -1, 0.0, 0.0, "not a number"}));

TEST(SaturationPressure, SiModeIsEngineeringDividedByConversion) {
    M eng, si;
    si.Mode = 1;
    for (double db : {-50.0, -0.5, 0.0, 25.0, 99.9, 100.0, 200.0}) {
        const double mmHg = call(eng, &M::F_DB2PWS, db).value;
        const double hPa = call(si, &M::F_DB2PWS, db).value;
        EXPECT_NEAR(hPa, mmHg / 0.75006168, 1e-12 * hPa) << db;
    }
    // Any Mode other than exactly 1 is engineering mode.
    M two;
    two.Mode = 2;
    EXPECT_EQ(call(two, &M::F_DB2PWS, 20.0).value, call(eng, &M::F_DB2PWS, 20.0).value);
}

TEST(VapourPressure, HumidityRatioRelations) {
    M m;
    EXPECT_NEAR(call(m, &M::F_DBRH2AH, 20, 50).value, 0.0072630, 1e-7);
    EXPECT_EQ(call(m, &M::F_DBRH2AH, 20, 50).value, kRefAH);
    // F_PAAH2PW inverts F_PAPW2AH: half the saturation pressure at 20 °C.
    const Outcome pw = call(m, &M::F_PAAH2PW, 760, 0.0072630);
    EXPECT_EQ(pw.result, 1);
    EXPECT_NEAR(pw.value, 8.7729, 1e-4);
    // Vapour pressure at or above the total pressure has no humidity ratio.
    EXPECT_EQ(call(m, &M::F_PW2AH, 760, 5).result, -1);
    EXPECT_EQ(call(m, &M::F_PW2AH, 800, 5).value, 0);
    // SI mode converts both pressures to mmHg first.
    M si;
    si.Mode = 1;
    EXPECT_EQ(call(si, &M::F_PAPW2AH, 1000, 20).value,
              call(m, &M::F_PAPW2AH, 1000 * 0.75006168, 20 * 0.75006168).value);
}

TEST(VapourPressure, PaAh2PwLeavesOutputOnRefusal) {
    M m;
    // A humidity ratio that makes AH·Ma + Mw exactly zero: refused, output untouched.
    const double ah = -m.Mw / m.Ma;
    if (ah * m.Ma + m.Mw == 0) {
        EXPECT_EQ(call(m, &M::F_PAAH2PW, 760, ah, 5.0).result, -1);
        EXPECT_EQ(call(m, &M::F_PAAH2PW, 760, ah, 5.0).value, 5.0);
    }
    // An overflow is an arithmetic fault: output 0.
    const Outcome overflow = call(m, &M::F_PAAH2PW, 1e308, 1e300, 5.0);
    EXPECT_EQ(overflow.result, -1);
    EXPECT_EQ(overflow.value, 0.0);
}

struct DewCase {
    double ah;
    double pa;
    int result;
    double dp;
    double tolerance;
    const char* why;
    friend void PrintTo(const DewCase& c, std::ostream* os) { *os << c.why; }
};

class DewPoint : public testing::TestWithParam<DewCase> {};

TEST_P(DewPoint, MatchesReference) {
    const DewCase& c = GetParam();
    M m;
    m.PA = c.pa;
    const Outcome o = call(m, &M::F_AH2DP, c.ah, 7);
    EXPECT_EQ(o.result, c.result) << c.why;
    EXPECT_NEAR(o.value, c.dp, c.tolerance) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Reference, DewPoint,
    testing::Values(DewCase{kRefAH, 760, 1, 9.2737, 1e-4, "reference state"},
                    DewCase{0, 760, 1, -273.1499938964844, 0, "dry air: floor at -T0"},
                    DewCase{-0.5, 760, 1, -273.1499938964844, 0, "negative ratio: floor"},
                    DewCase{20000, 760, 1, 99.99999, 0, "beyond 10000: fixed answer"},
                    DewCase{5, 760, -1, 0, 0, "search reaches 100 °C at 760 mmHg"},
                    DewCase{1.5, 760, -1, 0, 0, "above saturation at 90 °C"},
                    DewCase{1.40, 760, 1, 89.9909, 1e-4, "just below saturation at 90 °C"},
                    DewCase{20, 800, 1, 100, 0, "at 800 mmHg the search passes 100 °C"}));

TEST(DewPoint, SaturationRoundTrip) {
    M m;
    for (double t = -40; t <= 85; t += 6.5) {
        const double xs = call(m, &M::F_DBRH2AH, t, 100).value;
        const Outcome dp = call(m, &M::F_AH2DP, xs);
        ASSERT_EQ(dp.result, 1) << t;
        EXPECT_NEAR(dp.value, t, 2e-8) << t;
    }
}
