// The state of two measured values (StateCalculator::state).
#include <gtest/gtest.h>

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
