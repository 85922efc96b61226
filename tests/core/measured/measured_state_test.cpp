// The state of two measured values (StateCalculator::state).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "measured/measured.h"
#include "moistek/moistek.h"

using namespace humidraw;

// A volume given with the dry bulb gives back the humidity ratio it was worked from to the last
// digits: the library's volume relation inverted, not a search stepping 2.5e-6 kg/kg(DA).
TEST(DataState, DryBulbAndVolumeGiveTheRatioBack) {
    StateCalculator calc;
    for (double DB : {-10.0, 0.0, 20.0, 35.0})
        for (double x : {0.0, 0.0015, 0.0105}) {
            const double SV = V_DBAH2SV(DB, x);
            const PointOutcome o = calc.state(Quantity::DB, DB, Quantity::SV, SV);
            if (x > *calc.saturation(DB)) {
                EXPECT_FALSE(o.point) << DB << " " << x;
                continue;
            }
            ASSERT_TRUE(o.point) << DB << " " << x << ": " << o.reason;
            EXPECT_NEAR(o.point->x, x, 1e-15) << DB;
            EXPECT_EQ(o.point->DB, DB);
        }
}

// Every pair of properties the import accepts, against three states worked by hand at 760 mmHg
// (1013.25 hPa) from the saturation pressures of the published tables (ASHRAE: 15 °C 17.057,
// 20 °C 23.392, 25 °C 31.693, 30 °C 42.467 hPa) and the published relations, with
// k = Mw/Ma = 18.015/28.966 = 0.621936:
//   x = k·pw/(P − pw),  h = 0.24·DB + (597.5 + 0.441·DB)·x kcal/kg(DA),
//   v = (29.27 + 47.06·x)·(273.15 + DB)/10332.27 m³/kg(DA) (760 mmHg = 10332.27 kgf/m²),
//   wet bulb: x = ((597.5 − 0.559·WB)·xs(WB) − 0.24·(DB − WB))/(597.5 + 0.441·DB − WB).
// A, 20 °C 50 %: pw = 11.696 hPa, x = 0.621936 × 11.696 / 1001.554 = 0.0072629;
//    h = 4.8 + 606.32 × 0.0072629 = 9.20363; v = 29.61179 × 293.15 / 10332.27 = 0.840154.
// B, 30 °C with a wet bulb of 25 °C: xs = 0.621936 × 31.693 / 981.557 = 0.0200814,
//    x = (583.525 × 0.0200814 − 1.2) / 585.73 = 0.0179571; pw = x·P/(k + x) = 28.4344 hPa,
//    RH = 28.4344 / 42.467 = 66.957 %; v = 30.11506 × 303.15 / 10332.27 = 0.883579.
// C, 25 °C with a dew point of 15 °C: pw = 17.057, x = 0.621936 × 17.057 / 996.193 = 0.0106489;
//    RH = 17.057 / 31.693 = 53.819 %; h = 6 + 608.525 × 0.0106489 = 12.48012.
// The library's saturation curve lies within a few parts in ten thousand of the tables', and
// the states it gives within 1e-5 kg/kg(DA) and 0.02 K of these (the searches of the pairs
// without the dry bulb or the ratio end within 1e-8 K of the library's own state).
TEST(DataState, EveryAcceptedPairAgainstStatesWorkedByHand) {
    using Q = Quantity;
    struct Case {
        Q a;
        double va;
        Q b;
        double vb;
        double DB, x;  // the state, by hand
    } cases[] = {
        // A: 20 °C, 0.0072629
        {Q::DB, 20, Q::RH, 50, 20, 0.0072629},
        {Q::RH, 50, Q::DB, 20, 20, 0.0072629},
        {Q::DB, 20, Q::X, 0.0072629, 20, 0.0072629},
        {Q::DB, 20, Q::H, 9.20363, 20, 0.0072629},
        {Q::DB, 20, Q::SV, 0.840154, 20, 0.0072629},
        {Q::X, 0.0072629, Q::RH, 50, 20, 0.0072629},
        {Q::X, 0.0072629, Q::H, 9.20363, 20, 0.0072629},
        {Q::SV, 0.840154, Q::X, 0.0072629, 20, 0.0072629},
        {Q::RH, 50, Q::H, 9.20363, 20, 0.0072629},
        {Q::RH, 50, Q::SV, 0.840154, 20, 0.0072629},
        {Q::H, 9.20363, Q::SV, 0.840154, 20, 0.0072629},
        // B: 30 °C, 0.0179571
        {Q::DB, 30, Q::WB, 25, 30, 0.0179571},
        {Q::WB, 25, Q::DB, 30, 30, 0.0179571},
        {Q::X, 0.0179571, Q::WB, 25, 30, 0.0179571},
        {Q::RH, 66.957, Q::WB, 25, 30, 0.0179571},
        {Q::WB, 25, Q::SV, 0.883579, 30, 0.0179571},
        // C: 25 °C, 0.0106489
        {Q::DP, 15, Q::DB, 25, 25, 0.0106489},
        {Q::RH, 53.819, Q::DP, 15, 25, 0.0106489},
        {Q::DP, 15, Q::H, 12.48012, 25, 0.0106489},
    };
    StateCalculator calc(760);
    for (const Case& c : cases) {
        const std::string pair = quantityName(c.a) + "+" + quantityName(c.b);
        const PointOutcome o = calc.state(c.a, c.va, c.b, c.vb);
        ASSERT_TRUE(o.point) << pair << ": " << o.reason;
        EXPECT_NEAR(o.point->DB, c.DB, 0.02) << pair;
        EXPECT_NEAR(o.point->x, c.x, 1e-5) << pair;
        // The point's enthalpy is the one of its state.
        EXPECT_NEAR(o.point->h, 0.24 * o.point->DB + (597.5 + 0.441 * o.point->DB) * o.point->x,
                    1e-6)
            << pair;
    }
}

// What gives no state, and why.
TEST(DataState, PairsAndValuesThatGiveNoState) {
    using Q = Quantity;
    struct Case {
        Q a;
        double va;
        Q b;
        double vb;
        std::string reason;
    } cases[] = {
        {Q::H, 12, Q::WB, 15, "2つの量では状態が決まりません"},  // nearly one line
        {Q::DP, 10, Q::X, 0.0077, "2つの量では状態が決まりません"},
        {Q::DB, 20, Q::DB, 25, "2つの量では状態が決まりません"},
        {Q::DB, 20, Q::RH, 100.5, "相対湿度が 0～100 % の外です"},
        {Q::RH, -1, Q::H, 10, "相対湿度が 0～100 % の外です"},
        {Q::DB, 20, Q::X, -0.001, "絶対湿度が 0 未満です"},
        // Saturation at 20 °C: 0.621936 × 23.392 / 989.858 = 0.014698.
        {Q::DB, 20, Q::X, 0.0148, "飽和を超えています"},
        {Q::DB, NAN, Q::RH, 50, "数値ではありません"},
        {Q::DB, 20, Q::SV, INFINITY, "数値ではありません"},
    };
    StateCalculator calc(760);
    for (const Case& c : cases) {
        const PointOutcome o = calc.state(c.a, c.va, c.b, c.vb);
        EXPECT_FALSE(o.point) << quantityName(c.a) << "+" << quantityName(c.b);
        EXPECT_EQ(std::string(o.reason), c.reason) << quantityName(c.a) << "+" << quantityName(c.b);
    }
}
