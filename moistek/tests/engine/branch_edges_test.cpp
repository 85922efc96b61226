// The places where the relations change branch (0 °C, 100 °C, the psychrometer's ice
// coefficient) and the guards of the forward relations, against values worked out by hand from
// the published relations: saturation over water and ice after Sonntag (1990), over water
// above 100 °C after Wagner and Pruß (IAPWS), the library's constants as single-precision
// numbers (Ma 28.966, Mw 18.015, Cpa 0.24, Cpv 0.441, Lf 79.7, R0 597.5 kcal/kg), and
// 1 hPa = 0.75006168 mmHg.
#include <gtest/gtest.h>

#include <cmath>

#include "engine_test_support.h"

using M = MoistekClass;

namespace {
M si() {
    M m;
    m.Mode = 1;
    return m;
}
}  // namespace

TEST(SaturationBranches, WaterAtRoomTemperatureToNineDigits) {
    // T = 293.15 K:
    //   ln e = −6096.9385/293.15 + 16.635794 − 0.02711193·293.15 + 0.00001673952·293.15²
    //          + 2.433502·ln 293.15
    //        = −20.798016 + 16.635794 − 7.947862 + 1.438543 + 13.823957 = 3.152415
    //   e = 23.392491 hPa = 17.545811 mmHg.
    // Every coefficient matters at this tolerance (the smallest, 1.673952e-5, moves ln e by
    // 8.6e-7 per unit in its last digit).
    M eng;
    M hpa = si();
    EXPECT_NEAR(call(hpa, &M::F_DB2PWS, 20).value, 23.3924912776, 2e-8);
    EXPECT_NEAR(call(eng, &M::F_DB2PWS, 20).value, 17.5458113070, 2e-8);
}

TEST(SaturationBranches, HundredDegreesIsOnTheIapwsCurve) {
    // τ = 1 − 373.15/647.096 = 0.42334677
    // S = −7.85951783τ + 1.84408259τ^1.5 − 11.7866497τ³ + 22.6807411τ^3.5 − 15.9618719τ⁴
    //     + 1.80122502τ^7.5 = −3.10380838
    // p = 22 064 000 Pa · exp(647.096/373.15 · S) = 22 064 000 · exp(−5.38245207)
    //   = 101 417.994 Pa = 1014.17994 hPa = 760.697508 mmHg.
    // The water curve would give 760.705358 mmHg there: 8e-3 apart.
    M eng;
    EXPECT_NEAR(call(eng, &M::F_DB2PWS, 100).value, 760.697508, 1e-5);
    // Just below, still over water (T = 373.149): 760.678209 mmHg.
    EXPECT_NEAR(call(eng, &M::F_DB2PWS, 99.999).value, 760.678209, 1e-5);
}

TEST(SaturationBranches, ZeroDegreesIsOverWaterBelowIsOverIce) {
    // T = 273.15: ln e = −22.320844 + 16.635794 − 7.405624 + 1.248951 + 13.651998 = 1.810275,
    // e = 6.1121283 hPa (over ice it would be 6.1115366 hPa).
    M hpa = si();
    EXPECT_NEAR(call(hpa, &M::F_DB2PWS, 0).value, 6.1121283, 1e-7);
    // T = 272.15 over ice:
    //   ln e = −6024.5282/272.15 + 24.7219 + 0.010613868·272.15 − 0.000013198825·272.15²
    //          − 0.49382577·ln 272.15
    //        = −22.136793 + 24.7219 + 2.888564 − 0.977579 − 2.768562 = 1.727530
    //   e = 5.6267402 hPa.
    EXPECT_NEAR(call(hpa, &M::F_DB2PWS, -1).value, 5.6267402, 1e-7);
}

TEST(WetBulbBranches, WaterAtZeroIceBelow) {
    // The dry bulb of a wet bulb: ((L − c·WB)(xs − x) + (Cpv·xs + Cpa)·WB) / (Cpv·x + Cpa),
    // with c = 1, L = 597.5 over water (WB ≥ 0) and c = 0.5, L = 597.5 + 79.7 over ice.
    M m;
    // WB = 0, x = 0.002: p = 6.1121283 hPa = 4.5844732 mmHg,
    //   xs = 0.62193605 · 4.5844732/(760 − 4.5844732) = 0.0037744117,
    //   DB = 597.5 · 0.0017744117 / 0.240882 = 4.4013708 (over ice it would be 4.98847).
    EXPECT_NEAR(call(m, &M::F_WBAH2DB, 0, 0.002).value, 4.4013708, 1e-6);
    // WB = −1, x = 0.002: p = 5.6267402 hPa = 4.2204022 mmHg, xs = 0.0034729970,
    //   DB = (677.7 · 0.0014729970 + (0.441 · 0.0034729970 + 0.24) · (−1)) / 0.240882
    //      = (0.9982500 − 0.2415316) / 0.240882 = 3.1414489 (with water's c and L: 2.74242).
    EXPECT_NEAR(call(m, &M::F_WBAH2DB, -1, 0.002).value, 3.1414489, 1e-6);
}

TEST(PsychrometerCoefficient, IceUpToAndIncludingZero) {
    // RH = (p(WB) − A·1013.25·(DB − WB))·100 / p(DB), pressures in hPa, A = 0.000662 1/K over
    // water (WB > 0) and 0.000583 over ice.
    M m;
    // DB 5, WB −1: p(5) = 8.7253954 (ln e = 2.1662378), p(−1) = 5.6267402 (ice),
    //   RH = (5.6267402 − 0.000583·1013.25·6)·100/8.7253954 = 23.865872 (water's A: 18.36).
    EXPECT_NEAR(call(m, &M::F_DBWB2RH, 5, -1).value, 23.865872, 1e-5);
    // DB 10, WB exactly 0 takes the ice coefficient: p(10) = 12.2813337, p(0) = 6.1121283,
    //   RH = (6.1121283 − 0.000583·1013.25·10)·100/12.2813337 = 1.668229 (water's: −4.85).
    EXPECT_NEAR(call(m, &M::F_DBWB2RH, 10, 0).value, 1.668229, 1e-5);
    // DB 10, WB 1, over water: p(1) = 6.5708012,
    //   RH = (6.5708012 − 0.000662·1013.25·9)·100/12.2813337 = 4.346904.
    EXPECT_NEAR(call(m, &M::F_DBWB2RH, 10, 1).value, 4.346904, 1e-5);
}

TEST(ForwardGuards, OnlyZeroAndOverflowAreRefused) {
    // Specific volume at 1 mmHg total pressure is large but defined:
    //   (0.01·47.06 + 29.27)/1 · 735.5593·1e-4 · (273.15 + 20) = 641.29422 m³/kg.
    M low;
    low.PA = 1;
    const Outcome sv = call(low, &M::F_DBAH2SV, 20, 0.01);
    EXPECT_EQ(sv.result, 1);
    EXPECT_NEAR(sv.value, 641.29422, 1e-4);
    // A pressure so small that the volume overflows: refused with −1 and 0.
    M tiny;
    tiny.PA = 1e-300;
    const Outcome overflow = call(tiny, &M::F_DBAH2SV, 1e10, 0.01, 5);
    EXPECT_EQ(overflow.result, -1);
    EXPECT_EQ(overflow.value, 0);
    // The enthalpy line's divisor Cpv·x + Cpa exactly 1: (1 − 0.24)/0.441 = 1.7233560 kg/kg,
    //   DB = (1000 − 597.5 · 1.7233560)/1 = −29.705189.
    M m;
    const double x = (1 - m.Cpa) / m.Cpv;
    ASSERT_EQ(m.Cpv * x + m.Cpa, 1.0) << "the divisor this case is about";
    const Outcome db = call(m, &M::F_ENAH2DB, 1000, x);
    EXPECT_EQ(db.result, 1);
    EXPECT_NEAR(db.value, -29.705189, 1e-6);
    // The wet-bulb line's divisor is the same Cpv·x + Cpa: at WB = 0 over water,
    //   xs = 0.621936 · 4.584473/(760 − 4.584473) = 0.00377441 (6.112128 hPa after Sonntag),
    //   DB = 597.5 · (0.00377441 − 1.7233560) = −1027.4500.
    const Outcome fromWb = call(m, &M::F_WBAH2DB, 0, x);
    EXPECT_EQ(fromWb.result, 1);
    EXPECT_NEAR(fromWb.value, -1027.4500, 1e-2);
    // The relative humidity's divisor Mw/Ma + x exactly 1: x = 1 − 18.015/28.966 = 0.378064,
    //   RH = 760 · 0.378064 · 100 / 17.5458 mmHg (23.3925 hPa at 20 °C) = 1637.59 %.
    const double unit = 1 - m.Mw / m.Ma;
    ASSERT_EQ(m.Mw / m.Ma + unit, 1.0) << "the divisor this case is about";
    const Outcome rh = call(m, &M::F_DBAH2RH, 20, unit);
    EXPECT_EQ(rh.result, 1);
    EXPECT_NEAR(rh.value, 1637.59, 0.05);
    // No saturation pressure left (it underflows to 0 near absolute zero): the degree of
    // saturation x/xs cannot be formed.
    const Outcome rv = call(m, &M::F_DBAH2RV, -273.14999, 0.01, 5);
    EXPECT_EQ(rv.result, -1);
    EXPECT_EQ(rv.value, 0);
}

TEST(SearchOutputs, FailedSearchLeavesZero) {
    // A dry bulb that is not a number: every wet-bulb trial fails, so the humidity search
    // fails and its output is 0 whatever the caller had there.
    M m;
    const Outcome o = call(m, &M::F_DBWB2AH, NAN, 10, 5);
    EXPECT_EQ(o.result, -1);
    EXPECT_EQ(o.value, 0);
}

TEST(SearchOutputs, AStepEqualToTheToleranceEndsTheSearch) {
    // With a tolerance of exactly 1 °C the dew point search of the reference state (9.27 °C)
    // steps by 10 from −270: −260 … 0 stay below, 10 overshoots, and the next step,
    // 10 · 0.1 = 1 exactly, is not above the tolerance: the answer is 0.
    M m;
    m.TolT = 1;
    const Outcome coarse = call(m, &M::F_AH2DP, kRefAH);
    EXPECT_EQ(coarse.result, 1);
    EXPECT_EQ(coarse.value, 0);
    // A tolerance just below 1 takes one more level: 9.
    m.TolT = 0.999;
    EXPECT_EQ(call(m, &M::F_AH2DP, kRefAH).value, 9);
}

TEST(CompleteState, SuccessIsExactlyOne) {
    // 20 °C, 50 %: pw = 0.5 · 17.5458113 = 8.7729057 mmHg,
    //   x = 0.62193605 · 8.7729057/(760 − 8.7729057) = 0.0072630,
    //   h = 0.24·20 + 0.0072630·(597.5 + 0.441·20) = 9.2037 kcal/kg,
    //   v = (0.0072630·47.06 + 29.27)/760 · 735.5593e-4 · 293.15 = 0.84015 m³/kg.
    M m;
    const Positions s = complete(m, &M::C_DBRH, {0, {20, 50, 0, 0, 0, 0, 0}});
    EXPECT_EQ(s.result, 1);
    EXPECT_NEAR(s.p[2], 0.0072630, 1e-7);
    EXPECT_NEAR(s.p[3], 9.2037, 1e-4);
    EXPECT_NEAR(s.p[4], 0.84015, 1e-5);
}

TEST(CompleteState, DewPointFailureIsExactlyMinusOne) {
    // 1.5 kg/kg at 760 mmHg: saturated air holds that much only where the saturation
    // pressure is 760 · 1.5/(0.622 + 1.5) = 537 mmHg, about 91 °C. Stepping by 10 °C the search
    // passes 90 °C (1.40 kg/kg) and tries 100 °C, where the saturation pressure (760.70 mmHg)
    // passes the total pressure. Every other position is found; the dew point step fails, last.
    M m;
    const Positions s = complete(m, &M::C_DBAH, {0, {20, 7, 1.5, 7, 7, 7, 7}});
    EXPECT_EQ(s.result, -1);
    EXPECT_EQ(s.p[6], 0) << "the failing step's output";
    EXPECT_NE(s.p[3], 7) << "earlier steps wrote theirs";
}
